// Microphone positions of the standard arrangements and of a receiver layout,
// and the sketch of the arrangement.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "iso3744/MicLayout.h"

namespace fonderel {
namespace {

struct Position {
  int mic;
  float x, y, z;
};

struct LayoutCase {
  const char* what;
  int mics;
  float a, b, c;
  std::array<float, 3> source;
  std::vector<Position> expected;
};

TEST(MicLayout, StandardArrangements) {
  const LayoutCase cases[] = {
      {"default box, 8 points: e = .75, h1 = .1875, h2 = .5625, w = .375", 8, 1, 0.75f, 1,
       {0, 0, 0.5f},
       {{1, 1, 0, 0.1875f}, {4, 0, -0.75f, 0.1875f}, {5, 0.5f, 0.375f, 0.5625f},
        {7, -0.5f, -0.375f, 0.5625f}}},
      {"8 points with b + c < 1: negative e", 8, 1, 0.25f, 0.25f, {0, 0, 0.125f},
       {{1, 1, 0, -0.125f}, {6, -0.5f, -0.25f, -0.375f}}},
      {"8 points, h2 and w limited by c and b", 8, 1, 0.5f, 2, {0, 0, 1},
       {{5, 0.5f, 0.5f, 1.125f}, {8, 0.5f, -0.5f, 1.125f}}},
      {"5 points", 5, 2, 1, 3, {0, 0, 1.5f},
       {{1, 2, 0, 1.5f}, {2, 0, 1, 1.5f}, {3, -2, 0, 1.5f}, {5, 0, 0, 3}}},
      {"9 points", 9, 2, 1, 3, {0, 0, 1.5f},
       {{4, 0, -1, 1.5f}, {5, 2, 1, 3}, {7, -2, -1, 3}, {9, 0, 0, 3}}},
      {"hemisphere of radius 4", 10, 2, 9, 9, {0, 0, 0},
       {{1, -3.96f, 0, 0.6f}, {5, -1.8f, -3.08f, 1.8f}, {10, 0, 0, 4}}},
  };
  for (const LayoutCase& c : cases) {
    Measurement m;
    m.MicCount = static_cast<std::int16_t>(c.mics);
    m.DimA = c.a;
    m.DimB = c.b;
    m.DimC = c.c;
    ASSERT_TRUE(PlaceMicrophones(m)) << c.what;
    EXPECT_FLOAT_EQ(m.SrcX, c.source[0]) << c.what;
    EXPECT_FLOAT_EQ(m.SrcZ, c.source[2]) << c.what;
    for (const Position& p : c.expected) {
      EXPECT_NEAR(m.MicX(p.mic), p.x, 1e-6) << c.what << " mic " << p.mic;
      EXPECT_NEAR(m.MicY(p.mic), p.y, 1e-6) << c.what << " mic " << p.mic;
      EXPECT_NEAR(m.MicZ(p.mic), p.z, 1e-6) << c.what << " mic " << p.mic;
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
