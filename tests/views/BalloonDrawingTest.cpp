// The balloon wire frame: picture layout, the oblique projection, the radius
// of each sample over 40 dB and the colours of the two passes.
#include "views/BalloonDrawing.h"

#include <cmath>
#include <numbers>

#include "app/CaseData.h"

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

std::size_t CircleIndex(int p, int k) {
  return kAxes + static_cast<std::size_t>(p * 36 + k);
}
std::size_t AcrossIndex(int p, int k) {
  return kAxes + kCircles + static_cast<std::size_t>((k - 1) * 18 + p);
}

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

void ExpectAt(double x, double y, Point2 want, double tolerance = 1e-2) {
  EXPECT_NEAR(x, want.x, tolerance);
  EXPECT_NEAR(y, want.y, tolerance);
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

std::string Colour(const Segment& s) {
  return std::to_string(s.red) + "," + std::to_string(s.green) + "," + std::to_string(s.blue);
}

TEST(BalloonDrawing, LayoutAndAxes) {
  const auto picture = DrawBalloon(*Band(2, 2, 2), kBand, kWindow);
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->segments.size(), kAxes + kCircles + kAcross);
  const auto axes = test::Cases("BalloonDrawing", "Axes/cases");
  for (std::size_t i = 0; i < kAxes; ++i) {
    SCOPED_TRACE(i);
    const Segment& s = picture->segments[i];
    const auto& a = axes[i];
    ExpectAt(s.x1, s.y1, {kCx, kCy}, 1e-9);
    ExpectAt(s.x2, s.y2, {a[0], a[1]}, 1e-9);
    EXPECT_EQ(Colour(s), a[2].dump() + "," + a[3].dump() + "," + a[4].dump());
  }
}

// Window inner size and the picture placed in it; S and the centre follow.
TEST(BalloonDrawing, PictureRect) {
  for (const auto& c : test::Cases("BalloonDrawing", "PictureRect/cases")) {
    SCOPED_TRACE(c.dump());
    const auto picture = DrawBalloon(*Band(2, 2, 2), kBand, {c["window"][0], c["window"][1]});
    ASSERT_EQ(picture.has_value(), c.contains("rect"));
    if (!picture) continue;
    const auto& r = c["rect"];
    EXPECT_EQ(picture->rect, (TwipsRect{r[0], r[1], r[2], r[3]}));
    ExpectAt(picture->segments[0].x2, picture->segments[0].y2, {c["tip"][0], c["tip"][1]}, 1e-9);
  }
}

TEST(BalloonDrawing, SphereIsPureRedAndGreen) {
  const auto picture = DrawBalloon(*Band(3.5f, 3.5f, 3.5f), kBand, kWindow);
  ASSERT_TRUE(picture);
  const auto& seg = picture->segments;
  ASSERT_EQ(seg.size(), kAxes + kCircles + kAcross);
  for (std::size_t i = kAxes; i < seg.size(); ++i)
    EXPECT_EQ(Colour(seg[i]), i < kAxes + kCircles ? "255,0,0" : "0,255,0") << i;
  // Plane circle (0, 0) runs from the x axis' tip towards 10° in the xy plane.
  ExpectAt(seg[CircleIndex(0, 0)].x1, seg[CircleIndex(0, 0)].y1, {2790, 1464});
  ExpectAt(seg[CircleIndex(0, 0)].x2, seg[CircleIndex(0, 0)].y2, Projected(0, 1, 1));
  // Plane 9, point 9 is the z axis' tip; plane 0, point 35 closes the circle.
  ExpectAt(seg[CircleIndex(9, 9)].x1, seg[CircleIndex(9, 9)].y1, {1770, 300});
  ExpectAt(seg[CircleIndex(0, 35)].x2, seg[CircleIndex(0, 35)].y2, {2790, 1464});
  // Across the planes: (0, 1) to (1, 1); the last plane joins plane 0 run the
  // other way, so (17, 1) ends at plane 0's point 35.
  ExpectAt(seg[AcrossIndex(0, 1)].x1, seg[AcrossIndex(0, 1)].y1, Projected(0, 1, 1));
  ExpectAt(seg[AcrossIndex(0, 1)].x2, seg[AcrossIndex(0, 1)].y2, Projected(1, 1, 1));
  ExpectAt(seg[AcrossIndex(17, 1)].x2, seg[AcrossIndex(17, 1)].y2, Projected(0, 35, 1));
}

// DirQ, the value of every sample but (4, 7), that sample's value; the
// radius it is drawn at and the colours of its plane-circle wire and of its
// line across the planes.
TEST(BalloonDrawing, SampleRadiusAndColour) {
  for (const auto& c : test::Cases("BalloonDrawing", "SampleRadiusAndColour")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const auto picture = DrawBalloon(*Band(c["dirQ"], c["all"], c["sample"]), kBand, kWindow);
    ASSERT_TRUE(picture);
    const auto& seg = picture->segments;
    ASSERT_EQ(seg.size(), kAxes + kCircles + kAcross);
    const Segment& wire = seg[CircleIndex(4, 7)];
    EXPECT_EQ(Colour(wire), c["red"].dump() + ",0," + c["blue"].dump());
    const Point2 at = Projected(4, 7, c["radius"]);
    ExpectAt(wire.x1, wire.y1, at);
    ExpectAt(seg[CircleIndex(4, 6)].x2, seg[CircleIndex(4, 6)].y2,
             at);  // the wire before ends there
    EXPECT_EQ(Colour(seg[AcrossIndex(4, 7)]), "0," + c["green"].dump() + ",0");
    EXPECT_EQ(Colour(seg[CircleIndex(4, 8)]), "255,0,0");  // the neighbours stay at Q
    EXPECT_EQ(Colour(seg[AcrossIndex(3, 7)]), "0,255,0");
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
