// Microphone positions of the standard arrangements and of a receiver layout,
// and the sketch of the arrangement.
#include <gtest/gtest.h>

#include <string>

#include "iso3744/IsoCases.h"
#include "iso3744/MicLayout.h"

namespace fonderel {
namespace {

// Measurement with the count and a, b, c of a case of layout.json.
Measurement Of(const nlohmann::json& c) {
  Measurement m;
  m.MicCount = c["mics"].get<std::int16_t>();
  m.DimA = c["abc"][0];
  m.DimB = c["abc"][1];
  m.DimC = c["abc"][2];
  return m;
}

TEST(MicLayout, StandardArrangements) {
  for (const auto& c : test::IsoJson("layout", "standard")) {
    Measurement m = Of(c);
    const std::string what = c["what"];
    ASSERT_TRUE(PlaceMicrophones(m)) << what;
    EXPECT_FLOAT_EQ(m.SrcX, c["source"][0]) << what;
    EXPECT_FLOAT_EQ(m.SrcZ, c["source"][1]) << what;
    for (const auto& p : c["mic"]) {
      const int k = p[0];
      EXPECT_NEAR(m.MicX(k), p[1], 1e-6) << what << " mic " << k;
      EXPECT_NEAR(m.MicY(k), p[2], 1e-6) << what << " mic " << k;
      EXPECT_NEAR(m.MicZ(k), p[3], 1e-6) << what << " mic " << k;
    }
  }
}

TEST(MicLayout, UserArrangementNeedsItsLayoutFile) {
  Measurement m;
  m.MicCount = 3;
  m.Rec.NReceivers = 3;
  m.Rec.RecX(2) = 7;
  EXPECT_FALSE(PlaceMicrophones(m));
  EXPECT_EQ(m.MicX(2), 0.0f);
  m.MicLayoutFile = "room.mea";
  EXPECT_TRUE(PlaceMicrophones(m));
  EXPECT_EQ(m.MicX(2), 7.0f);
}

TEST(MicLayout, ReceiverBoxGivesDimensionsWithItsFloorAtZero) {
  Measurement m;
  const float pts[][3] = {{1.5f, 0, 0.5f}, {0, 1, 0.5f}, {-1.5f, 0, 0.5f}, {0, -1, 1.25f}};
  m.Rec.NReceivers = 4;
  for (int k = 1; k <= 4; ++k) {
    m.Rec.RecX(k) = pts[k - 1][0];
    m.Rec.RecY(k) = pts[k - 1][1];
    m.Rec.RecZ(k) = pts[k - 1][2];
  }
  ApplyReceiverLayout(m);
  EXPECT_FLOAT_EQ(m.DimA, 1.5f);
  EXPECT_FLOAT_EQ(m.DimB, 1.0f);
  EXPECT_FLOAT_EQ(m.DimC, 1.25f);
  EXPECT_EQ(m.MicCount, 4);
}

TEST(MicLayout, SketchNumbersEveryMicrophone) {
  for (int n : {5, 8, 9, 10}) {
    Measurement m;
    m.MicCount = static_cast<std::int16_t>(n);
    const LayoutSketch s = SketchArrangement(m);
    ASSERT_EQ(s.points.size(), static_cast<std::size_t>(n + 1)) << n;
    EXPECT_EQ(s.points[0].label, "S");
    EXPECT_EQ(s.points[static_cast<std::size_t>(n)].label, std::to_string(n));
    EXPECT_GE(s.lines.size(), 12u + 3u) << "the edges and the three axes";
  }
  // The user layout is drawn with the projection X = 1500 + 300x + 200y,
  // Y = 2000 - 300z - 200y.
  Measurement m;
  m.MicCount = 1;
  m.MicLayoutFile = "one.mea";
  m.Rec.NReceivers = 1;
  m.Rec.RecX(1) = 1;
  m.Rec.RecY(1) = 2;
  m.Rec.RecZ(1) = 3;
  const LayoutSketch s = SketchArrangement(m);
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[1].x, 1500 + 300 + 400);
  EXPECT_EQ(s.points[1].y, 2000 - 900 - 400);
  EXPECT_EQ(s.points[1].radius, 100);
  EXPECT_EQ(s.points[1].label, "1");
}

}  // namespace
}  // namespace fonderel
