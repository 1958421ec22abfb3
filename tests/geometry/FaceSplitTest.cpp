// Faces of more than four vertices become a fan of four-vertex subfaces.
#include "geometry/FaceSplit.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace fonderel {
namespace {

// Point Pi sits at (i, 10·i, 100·i), so every coordinate tells its point.
std::vector<Vertex> Points(int n) {
  std::vector<Vertex> p;
  for (int i = 1; i <= n; ++i) p.push_back({float(i), float(10 * i), float(100 * i)});
  return p;
}

TEST(FaceSplit, FanSharesTheFirstPoint) {
  using Sub = std::array<int, 5>;  // vertex count, then the point numbers of vertices 1..4
  struct Case { int n; std::vector<Sub> subfaces; };
  const Case cases[] = {
      {4, {{4, 1, 2, 3, 4}}},
      {5, {{4, 1, 2, 3, 4}, {3, 1, 4, 5, 5}}},
      {6, {{4, 1, 2, 3, 4}, {4, 1, 4, 5, 6}}},
      {7, {{4, 1, 2, 3, 4}, {4, 1, 4, 5, 6}, {3, 1, 6, 7, 7}}},
      {8, {{4, 1, 2, 3, 4}, {4, 1, 4, 5, 6}, {4, 1, 6, 7, 8}}},
      {9, {{4, 1, 2, 3, 4}, {4, 1, 4, 5, 6}, {4, 1, 6, 7, 8}, {3, 1, 8, 9, 9}}},
  };
  for (const Case& c : cases) {
    const auto points = Points(c.n);
    const std::vector<SubFace> got = SplitFace(points);
    ASSERT_EQ(got.size(), c.subfaces.size()) << c.n << " points";
    for (std::size_t s = 0; s < got.size(); ++s) {
      EXPECT_EQ(got[s].NVert, c.subfaces[s][0]) << c.n << " points, subface " << s;
      for (std::size_t v = 0; v < 4; ++v) {
        const float i = float(c.subfaces[s][v + 1]);
        EXPECT_EQ(got[s].V[v].X, i) << c.n << " points, subface " << s << ", vertex " << v + 1;
        EXPECT_EQ(got[s].V[v].Y, 10 * i);
        EXPECT_EQ(got[s].V[v].Z, 100 * i);
      }
    }
  }
  EXPECT_TRUE(SplitFace(Points(3)).empty());
}

TEST(FaceSplit, SubFaceCountMatchesTheSplit) {
  const int expected[] = {2, 2, 3, 3, 4, 4, 5, 5};  // n = 5..12
  for (int n = 5; n <= 12; ++n) {
    EXPECT_EQ(SubFaceCount(n), expected[n - 5]) << n;
    EXPECT_EQ(SplitFace(Points(n)).size(), std::size_t(expected[n - 5])) << n;
  }
}

TEST(FaceSplit, WarningText) {
  EXPECT_EQ(FaceSplitWarning(7, 3),
            "Not supported number of vertexes ( 7 ) for face N. 3\rThis face will be splitted in 4-vertexes subfaces!");
  EXPECT_EQ(FaceSplitWarning(12, 100),
            "Not supported number of vertexes ( 12 ) for face N. 100\rThis face will be splitted in 4-vertexes "
            "subfaces!");
}

}  // namespace
}  // namespace fonderel
