// Faces of more than four vertices become a fan of four-vertex subfaces.
#include "geometry/FaceSplit.h"

#include <gtest/gtest.h>

#include "app/CaseData.h"
#include <vector>

namespace fonderel {
namespace {

// Point Pi sits at (i, 10·i, 100·i), so every coordinate tells its point.
std::vector<Vertex> Points(int n) {
  std::vector<Vertex> p;
  for (int i = 1; i <= n; ++i) p.push_back({float(i), float(10 * i), float(100 * i)});
  return p;
}

// Cases in tests/data/cases5/geometry.json.
TEST(FaceSplit, FanSharesTheFirstPoint) {
  for (const auto& c : test::Cases("../cases5/geometry", "fan")) {
    const int n = c[0];
    const std::vector<SubFace> got = SplitFace(Points(n));
    ASSERT_EQ(got.size(), c[1].size()) << n << " points";
    EXPECT_TRUE(n <= 4 || SubFaceCount(n) == int(got.size())) << n;
    for (std::size_t s = 0; s < got.size(); ++s) {
      EXPECT_EQ(got[s].NVert, c[1][s][0].get<int>()) << n << " points, subface " << s;
      for (std::size_t v = 0; v < 4; ++v) {
        const float i = c[1][s][v + 1].get<float>();
        EXPECT_EQ(got[s].V[v].X, i) << n << " points, subface " << s << ", vertex " << v + 1;
        EXPECT_EQ(got[s].V[v].Y, 10 * i);
        EXPECT_EQ(got[s].V[v].Z, 100 * i);
      }
    }
  }
}

TEST(FaceSplit, WarningText) {
  EXPECT_EQ(FaceSplitWarning(7, 3),
            "Not supported number of vertexes ( 7 ) for face N. 3\rThis face will be splitted in 4-vertexes subfaces!");
}

}  // namespace
}  // namespace fonderel
