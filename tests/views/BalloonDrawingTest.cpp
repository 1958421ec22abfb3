// The balloon wire frame: picture layout, the oblique projection, the radius
// of each sample over 40 dB and the colours of the two passes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "views/BalloonDrawing.h"

namespace fonderel {
namespace {

constexpr int kBand = 4;
constexpr std::size_t kAxes = 3;
constexpr std::size_t kCircles = 18 * 36;  // first pass, p = 0..17, k = 0..35
constexpr std::size_t kAcross = 35 * 18;   // second pass, k = 1..35, p = 0..17

// The default window, 3600 × 3400 twips inside: the picture is 3540 × 2400,
// so S = 1200 and the centre is (1770, 1200).
constexpr TwipsSize kWindow{3600, 3400};
constexpr double kS = 1200, kCx = 1770, kCy = 1200;

std::size_t CircleIndex(int p, int k) { return kAxes + static_cast<std::size_t>(p * 36 + k); }
std::size_t AcrossIndex(int p, int k) { return kAxes + kCircles + static_cast<std::size_t>((k - 1) * 18 + p); }

struct Point2 {
  double x, y;
};
// Where the unit direction of sample (p, k), scaled by r, lands on the picture.
Point2 Projected(int p, int k, double r) {
  const double phi = p * std::numbers::pi / 18, theta = k * std::numbers::pi / 18;
  const double x = r * std::cos(theta), y = r * std::sin(theta) * std::cos(phi),
               z = r * std::sin(theta) * std::sin(phi);
  return {kCx + kS * (0.85 * x + 0.32 * y), kCy - kS * (0.6 * y + 0.75 * z - 0.22 * x)};
}

// A band whose balloon is `all` everywhere except `sample` at (4, 7).
std::unique_ptr<Source> Band(float dirQ, float all, float sample) {
  auto src = std::make_unique<Source>();
  src->FirstBand = 3;
  src->LastBand = 6;
  src->BandPresent(kBand) = kTrue;
  src->DirQ(kBand) = dirQ;
  for (int p = 0; p < 18; ++p)
    for (int k = 0; k < 36; ++k) src->BalloonData(p, k, kBand) = all;
  src->BalloonData(4, 7, kBand) = sample;
  return src;
}

void ExpectColour(const Segment& s, int red, int green, int blue) {
  EXPECT_EQ(s.red, red);
  EXPECT_EQ(s.green, green);
  EXPECT_EQ(s.blue, blue);
}

TEST(BalloonDrawing, LayoutAndAxes) {
  const auto picture = DrawBalloon(*Band(2, 2, 2), kBand, kWindow);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->rect, (TwipsRect{30, 0, 3540, 2400}));
  ASSERT_EQ(picture->segments.size(), kAxes + kCircles + kAcross);
  // Origin (1770, 1200); x = (1, 0, 0) at (1770 + 0.85 S, 1200 + 0.22 S),
  // y at (1770 + 0.32 S, 1200 - 0.6 S), z at (1770, 1200 - 0.75 S).
  const struct {
    double x2, y2;
    int red, green, blue;
  } axes[] = {{2790, 1464, 255, 0, 0}, {2154, 480, 0, 255, 0}, {1770, 300, 0, 0, 255}};
  for (std::size_t i = 0; i < kAxes; ++i) {
    SCOPED_TRACE(i);
    const Segment& s = picture->segments[i];
    EXPECT_DOUBLE_EQ(s.x1, kCx);
    EXPECT_DOUBLE_EQ(s.y1, kCy);
    EXPECT_NEAR(s.x2, axes[i].x2, 1e-9);
    EXPECT_NEAR(s.y2, axes[i].y2, 1e-9);
    ExpectColour(s, axes[i].red, axes[i].green, axes[i].blue);
  }
}

// Window inner size and the picture placed in it; S and the centre follow.
TEST(BalloonDrawing, PictureRect) {
  const struct {
    TwipsSize window;
    bool drawn;
    TwipsRect rect;
    double xTip, yTip;  // the x axis' tip: (Cx + 0.85 S, Cy + 0.22 S)
  } cases[] = {
      {{3600, 3400}, true, {30, 0, 3540, 2400}, 2790, 1464},
      {{500, 500}, true, {30, 0, 440, 200}, 305, 122},      // height kept at 200: S = 100
      {{2060, 5000}, true, {30, 0, 2000, 4000}, 1850, 2220},  // S = 1000 from the width
      {{1000, 100}, true, {30, 0, 940, 200}, 555, 122},
      {{1000, 99}, false, {}, 0, 0},
      {{1000, 0}, false, {}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.window.width << "x" << c.window.height);
    const auto picture = DrawBalloon(*Band(2, 2, 2), kBand, c.window);
    ASSERT_EQ(picture.has_value(), c.drawn);
    if (!c.drawn) continue;
    EXPECT_EQ(picture->rect, c.rect);
    EXPECT_NEAR(picture->segments[0].x2, c.xTip, 1e-9);
    EXPECT_NEAR(picture->segments[0].y2, c.yTip, 1e-9);
  }
}

TEST(BalloonDrawing, SphereIsPureRedAndGreen) {
  const auto picture = DrawBalloon(*Band(3.5f, 3.5f, 3.5f), kBand, kWindow);
  ASSERT_TRUE(picture);
  const auto& seg = picture->segments;
  ASSERT_EQ(seg.size(), kAxes + kCircles + kAcross);
  for (std::size_t i = kAxes; i < kAxes + kCircles; ++i) ExpectColour(seg[i], 255, 0, 0);
  for (std::size_t i = kAxes + kCircles; i < seg.size(); ++i) ExpectColour(seg[i], 0, 255, 0);
  // Plane circle (0, 0) runs from the x axis' tip towards 10° in the xy plane.
  const Point2 next = Projected(0, 1, 1);
  EXPECT_NEAR(seg[CircleIndex(0, 0)].x1, 2790, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(0, 0)].y1, 1464, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(0, 0)].x2, next.x, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(0, 0)].y2, next.y, 1e-2);
  // Plane 9, point 9 is the z axis' tip; plane 0, point 35 closes the circle.
  EXPECT_NEAR(seg[CircleIndex(9, 9)].x1, 1770, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(9, 9)].y1, 300, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(0, 35)].x2, 2790, 1e-2);
  EXPECT_NEAR(seg[CircleIndex(0, 35)].y2, 1464, 1e-2);
  // Across the planes: (0, 1) to (1, 1); the last plane joins plane 0 run the
  // other way, so (17, 1) ends at plane 0's point 35.
  const Point2 p01 = Projected(0, 1, 1), p11 = Projected(1, 1, 1), p035 = Projected(0, 35, 1);
  EXPECT_NEAR(seg[AcrossIndex(0, 1)].x1, p01.x, 1e-2);
  EXPECT_NEAR(seg[AcrossIndex(0, 1)].y1, p01.y, 1e-2);
  EXPECT_NEAR(seg[AcrossIndex(0, 1)].x2, p11.x, 1e-2);
  EXPECT_NEAR(seg[AcrossIndex(0, 1)].y2, p11.y, 1e-2);
  EXPECT_NEAR(seg[AcrossIndex(17, 1)].x2, p035.x, 1e-2);
  EXPECT_NEAR(seg[AcrossIndex(17, 1)].y2, p035.y, 1e-2);
}

// DirQ, the value of every sample but (4, 7), that sample's value; the
// radius it is drawn at and the colours of its plane-circle wire and of its
// line across the planes.
TEST(BalloonDrawing, SampleRadiusAndColour) {
  const struct {
    const char* what;
    float dirQ, all, sample;
    double radius;
    int red, blue, green;
  } cases[] = {
      {"at Q", 3, 3, 3, 1.0, 255, 0, 255},
      {"zero: -39.9 dB", 3, 3, 0, 0.0025, 1, 254, 1},
      {"0.00001 counts as zero", 1, 1, 0.00001f, 0.0025, 1, 254, 1},
      {"-10 dB", 3, 3, 0.3f, 0.75, 191, 64, 191},
      {"-30 dB", 1, 1, 0.001f, 0.25, 64, 191, 64},
      {"-40 dB at the centre", 1, 1, 0.0001f, 0.0, 0, 255, 0},
      {"below -40 dB clamped", 1, 1, 0.00005f, 0.0, 0, 255, 0},
      {"+10 dB beyond the tips, pure red", 3, 3, 30, 1.25, 255, 0, 255},
      {"DirQ 0 counts as 2", 0, 2, 2, 1.0, 255, 0, 255},
      {"DirQ 0, sample 0.2", 0, 2, 0.2f, 0.75, 191, 64, 191},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto picture = DrawBalloon(*Band(c.dirQ, c.all, c.sample), kBand, kWindow);
    ASSERT_TRUE(picture);
    const auto& seg = picture->segments;
    ASSERT_EQ(seg.size(), kAxes + kCircles + kAcross);
    const Segment& wire = seg[CircleIndex(4, 7)];
    ExpectColour(wire, c.red, 0, c.blue);
    const Point2 at = Projected(4, 7, c.radius);
    EXPECT_NEAR(wire.x1, at.x, 1e-2);
    EXPECT_NEAR(wire.y1, at.y, 1e-2);
    EXPECT_NEAR(seg[CircleIndex(4, 6)].x2, at.x, 1e-2);  // the wire before ends there
    EXPECT_NEAR(seg[CircleIndex(4, 6)].y2, at.y, 1e-2);
    ExpectColour(seg[AcrossIndex(4, 7)], 0, c.green, 0);
    ExpectColour(seg[CircleIndex(4, 8)], 255, 0, 0);  // the neighbours stay at Q
    ExpectColour(seg[AcrossIndex(3, 7)], 0, 255, 0);
  }
}

TEST(BalloonDrawing, BandWithoutDataIsAnEmptyPicture) {
  auto src = Band(2, 2, 2);
  src->BandPresent(kBand) = kFalse;
  for (const int band : {kBand, 0, 11, 3}) {
    const auto picture = DrawBalloon(*src, band, kWindow);
    ASSERT_TRUE(picture) << band;
    EXPECT_TRUE(picture->segments.empty()) << band;
    EXPECT_EQ(picture->rect, (TwipsRect{30, 0, 3540, 2400})) << band;
  }
}

}  // namespace
}  // namespace fonderel
