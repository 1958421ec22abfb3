// The balloon wire frame: picture layout, the oblique projection, the radius
// of each sample over 40 dB and the colours of the two passes. The shaded
// balloon: colours on the map, a known patch's colour, and the order the
// patches are painted in as the balloon turns. The polar curves: radial
// values in dB below the plane's maximum on the 0..50 scale, and which windows
// the two drawings clear and fill. Coverage angles worked out by hand from
// the balloon's 10-degree points.
#include "views/BalloonDrawing.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <numeric>

#include "app/CaseData.h"
#include "views/Coverage.h"
#include "views/PolarCharts.h"
#include "views/ShadedBalloon.h"

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
  auto src = test::FilledBand(kBand, all, 3, 6);
  src->DirQ(kBand) = dirQ;
  src->BalloonData(4, 7, kBand) = sample;
  return src;
}

std::string Colour(const Segment& s) {
  return std::to_string(s.red) + "," + std::to_string(s.green) + "," + std::to_string(s.blue);
}

// A balloon at Q everywhere: the axes, then the sphere of radius 1 in pure
// red (the plane circles) and green (the lines across the planes).
TEST(BalloonDrawing, AxesAndSphere) {
  const auto picture = DrawBalloon(*Band(3.5f, 3.5f, 3.5f), kBand, kWindow);
  ASSERT_TRUE(picture);
  const auto& seg = picture->segments;
  ASSERT_EQ(seg.size(), kAxes + kCircles + kAcross);
  const auto axes = test::Cases("BalloonDrawing", "Axes/cases");
  for (std::size_t i = 0; i < kAxes; ++i) {
    SCOPED_TRACE(i);
    const Segment& s = seg[i];
    const auto& a = axes[i];
    ExpectAt(s.x1, s.y1, {kCx, kCy}, 1e-9);
    ExpectAt(s.x2, s.y2, {a[0], a[1]}, 1e-9);
    EXPECT_EQ(Colour(s), a[2].dump() + "," + a[3].dump() + "," + a[4].dump());
  }
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

constexpr int kShaded = 7;  // the band of the shaded balloon, its range alone

std::unique_ptr<Source> Flat(float value) {
  return test::FilledBand(kShaded, value, 7, 7);
}

// The picture in a 400 × 300 area with a 40 wide colour bar.
ShadedPicture Shade(const Source& src, ShadedView view = {}, int band = kShaded) {
  return ShadeBalloon(src, band, view, 400, 300, 40);
}

const ShadedPatch& Patch(const ShadedPicture& picture, int plot, int point) {
  return *std::find_if(picture.patches.begin(), picture.patches.end(),
                       [&](const ShadedPatch& s) { return s.plot == plot && s.point == point; });
}

TEST(ColourMap, EndsAndSteps) {
  for (const auto& c : test::Cases("ShadedBalloon", "ColourMap/cases"))
    EXPECT_EQ(ColourMap(c[0]), (Rgb{c[1], c[2], c[3]})) << c[0];
}

TEST(ShadedBalloon, KnownPatchLevelAndColour) {
  // The four corners of patch (3, 5) lie 10 dB below the rest: level -10,
  // four fifths up the map. A neighbour sharing two corners lies at -5 dB.
  auto src = Flat(0.5f);
  for (auto [p, k] : {std::pair{3, 5}, {3, 6}, {4, 5}, {4, 6}})
    src->BalloonData(p, k, kShaded) = 0.05f;
  const ShadedPicture picture = Shade(*src);
  ASSERT_EQ(picture.patches.size(), 18u * 36u);
  EXPECT_NEAR(Patch(picture, 3, 5).level, -10.0, 1e-6);
  EXPECT_EQ(Patch(picture, 3, 5).colour, (Rgb{122, 209, 81}));
  EXPECT_NEAR(Patch(picture, 3, 4).level, -5.0, 1e-6);
  EXPECT_EQ(Patch(picture, 0, 0).colour, (Rgb{253, 231, 37}));
  // Zero samples sit at the bottom of the range, at the centre.
  const ShadedPicture empty = Shade(*Flat(0));
  EXPECT_EQ(Patch(empty, 9, 9).colour, (Rgb{68, 1, 84}));
  EXPECT_NEAR(Patch(empty, 9, 9).corners[0].x, Patch(empty, 2, 20).corners[2].x, 1e-9);
  // A band without data: the colour bar alone, 0 dB at its top, -50 dB at its foot.
  const ShadedPicture none = Shade(*src, {}, kShaded - 1);
  EXPECT_TRUE(none.patches.empty());
  ASSERT_EQ(none.labels.size(), 6u);
  EXPECT_EQ(none.labels.back().text, "-50 dB");
  EXPECT_DOUBLE_EQ(none.labels.back().y - none.labels.front().y, none.barHeight);
}

// Unturned, the balloon is seen from the wire frame's direction: the area
// left of the bar is 336 wide, so the centre is (168, 150) and a radius of 1
// is 0.95 × 150 long; the axis lands right and down, the top straight up.
TEST(ShadedBalloon, DescribedDirection) {
  const ShadedPicture picture = Shade(*Flat(1));
  const Point2 axis = Patch(picture, 0, 0).corners[0], top = Patch(picture, 9, 9).corners[0];
  EXPECT_NEAR(axis.x, 168 + 142.5 * 0.85, 1e-9);
  EXPECT_NEAR(axis.y, 150 + 142.5 * 0.22, 1e-9);
  EXPECT_NEAR(top.x, 168, 1e-9);
  EXPECT_NEAR(top.y, 150 - 142.5 * 0.75, 1e-9);
  EXPECT_DOUBLE_EQ(picture.barHeight, 300 - 12);
  // A quarter turn brings the axis round to point at the viewer, whose
  // direction (0.24, -0.6375, 0.5804)/0.89491 lies 0.26818 to the axis.
  const ShadedPicture quarter = Shade(*Flat(1), {std::numbers::pi / 2, 0, 1});
  EXPECT_NEAR(Patch(quarter, 0, 0).corners[0].x, 168 + 142.5 * 0.268182, 1e-3);
}

// The sample nearest the viewer: depth is largest for the patch around the
// direction out of the screen, and the patches are painted far to near.
TEST(ShadedBalloon, DepthOrderFollowsTheTurn) {
  const auto src = Flat(1);
  std::vector<std::pair<int, int>> nearest;  // described direction, half a turn, tipped
  for (const ShadedView view : {ShadedView{}, {std::numbers::pi, 0, 1}, {0.4, -1.1, 2}}) {
    SCOPED_TRACE(nearest.size());
    const ShadedPicture picture = Shade(*src, view);
    EXPECT_TRUE(std::is_sorted(
        picture.patches.begin(), picture.patches.end(),
        [](const ShadedPatch& a, const ShadedPatch& b) { return a.depth < b.depth; }));
    nearest.emplace_back(picture.patches.back().plot, picture.patches.back().point);
  }
  // Half a turn about either screen axis brings the back of the balloon to
  // the front: what was nearest is now painted among the first.
  for (const ShadedView half : {ShadedView{std::numbers::pi, 0, 1}, {0, std::numbers::pi, 1}}) {
    const ShadedPicture turned = Shade(*src, half);
    EXPECT_LT(&Patch(turned, nearest[0].first, nearest[0].second) - turned.patches.data(), 60);
  }
  EXPECT_NE(nearest[0], nearest[2]);
}

TEST(ShadedView, TurnAndZoomLimits) {
  EXPECT_EQ(Turned({}, 0, 0), ShadedView{});
  EXPECT_NEAR(Turned({}, 100, -50).yaw, 1.0, 1e-12);
  EXPECT_NEAR(Turned({}, 100, -50).pitch, -0.5, 1e-12);
  EXPECT_NEAR(Zoomed({}, 1).zoom, 1.15, 1e-12);
  EXPECT_DOUBLE_EQ(Zoomed({}, 100).zoom, 8.0);
  EXPECT_DOUBLE_EQ(Zoomed({}, -100).zoom, 0.2);
}

constexpr int kPolar = 2;  // the band of the polar charts, in range 1..3

TEST(PolarCharts, RadialValues) {
  for (const auto& c : test::Cases("PolarCharts", "RadialValues/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    auto src = test::FilledBand(kPolar, c["rest"], 1, 3);
    for (int k = 0; k < 4; ++k) src->BalloonData(5, k, kPolar) = c["v"][k];
    src->BalloonData(6, 0, kPolar) = 1000;  // other planes and bands take no part
    src->BalloonData(5, 0, kPolar + 1) = 1000;
    const auto values = PolarValues(*src, 5, kPolar);
    for (int k = 0; k < 4; ++k)
      EXPECT_NEAR(values[static_cast<std::size_t>(k)], c["r"][k], 1e-5) << k;
    EXPECT_NEAR(values[35], c["restValue"], 1e-5);
  }
}

std::vector<int> Windows(const PolarDrawing& d) {
  std::vector<int> w;
  for (const auto& [window, chart] : d.charts) w.push_back(window);
  return w;
}

// Plane p holds its point p 10 dB down (40 on the scale), the rest at 50.
// Two planes: planes 0 and 90° in windows 0 and 1, with a beep; all planes:
// plane i in window i, windows 1..17 cleared first.
TEST(PolarCharts, TwoPlanesAndAllPlanes) {
  auto src = test::FilledBand(kPolar, 1, 1, 3);
  for (int p = 0; p < 18; ++p) src->BalloonData(p, p, kPolar) = 0.1f;
  std::vector<int> zeroTo17(18);
  std::iota(zeroTo17.begin(), zeroTo17.end(), 0);
  for (const bool two : {true, false}) {
    SCOPED_TRACE(two ? "two planes" : "all planes");
    const PolarDrawing d = (two ? DrawTwoPlanes : DrawAllPlanes)(*src, kPolar);
    EXPECT_EQ(d.cleared, std::vector<int>(zeroTo17.begin() + (two ? 0 : 1),
                                          two ? zeroTo17.begin() + 2 : zeroTo17.end()));
    EXPECT_EQ(d.beep, two);
    ASSERT_EQ(Windows(d), (two ? std::vector<int>{0, 1} : zeroTo17));
    for (std::size_t i = 0; i < d.charts.size(); ++i) {
      const int plane = static_cast<int>(two ? 9 * i : i);
      const PolarChart& chart = d.charts[i].second;
      EXPECT_EQ(chart.caption, "Angle of plot = " + std::to_string(10 * plane) + "\xB0");
      for (int k = 0; k < 36; ++k)
        EXPECT_NEAR(chart.values[static_cast<std::size_t>(k)], k == plane ? 40 : 50, 1e-5)
            << i << "," << k;
    }
  }
}

TEST(PolarCharts, BandWithoutDataIsOnlyCleared) {
  auto src = test::FilledBand(kPolar, 1, 1, 3);
  src->BandPresent(kPolar) = kFalse;
  for (const int band : {kPolar, 0, 11}) {
    SCOPED_TRACE(band);
    const PolarDrawing two = DrawTwoPlanes(*src, band);
    EXPECT_EQ(two.cleared, (std::vector<int>{0, 1}));
    EXPECT_FALSE(two.beep);
    EXPECT_TRUE(two.charts.empty());
    const PolarDrawing all = DrawAllPlanes(*src, band);
    EXPECT_EQ(all.cleared.size(), 17u);
    EXPECT_TRUE(all.charts.empty());
  }
}

// A level in dB below the on-axis sample 1 as a linear value.
float Below(double dB) {
  return static_cast<float>(std::pow(10.0, -dB / 10.0));
}

TEST(CoverageSide, HandWorkedSides) {
  for (const auto& c : test::Cases("Coverage", "Side")) {
    std::array<float, 19> side{};
    for (std::size_t k = 0; k < side.size(); ++k)
      side[k] = c["dB"][k].is_null() ? 0.0f : Below(c["dB"][k]);
    EXPECT_NEAR(CoverageSide(side).value_or(-1), c["angle"], 1e-4) << c["what"];
  }
}

constexpr int kCoverage = 6;

// A band whose plot p holds value(p, k) at every point.
std::unique_ptr<Source> CoverageBand(std::function<float(int, int)> value, float dirQ = 1) {
  auto src = test::FilledBand(kCoverage, 0, 5, 7);
  src->DirQ(kCoverage) = dirQ;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) src->BalloonData(p, k, kCoverage) = value(p, k);
  return src;
}

float CosSquared(int k) {
  const double c = std::cos(k * std::numbers::pi / 18.0);
  return static_cast<float>(c * c);
}

TEST(CoverageAngle, HandWorkedBalloons) {
  for (const auto& c : test::Cases("Coverage", "Balloons/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const int plot = c.value("plot", -1), from = c.value("from", 0), to = c.value("to", -1);
    const auto src = CoverageBand([&](int p, int k) {
      if (p == plot && k >= from && k <= to) return Below(c["dB"]);
      return c.contains("cosSquared") ? CosSquared(k) : 1.0f;
    });
    EXPECT_NEAR(CoverageAngle(*src, kHorizontalPlot, kCoverage).value_or(-1), c["horizontal"],
                0.005);
    EXPECT_NEAR(CoverageAngle(*src, kVerticalPlot, kCoverage).value_or(-1), c["vertical"], 0.005);
  }
}

TEST(ComputeCoverage, BandsWithDataOnlyAndTheirIndex) {
  auto src = CoverageBand([](int, int) { return 1.0f; }, 10);
  src->BandPresent(7) = kTrue;
  src->DirQ(7) = 0;  // no logarithm: no index
  for (int k = 0; k < kPoints; ++k) src->BalloonData(0, k, 7) = CosSquared(k);
  const std::vector<BandCoverage> bands = ComputeCoverage(*src);
  ASSERT_EQ(bands.size(), 2u);  // band 5 holds no data
  EXPECT_EQ(bands[0].band, 6);
  EXPECT_EQ(bands[0].frequency, 1000.0f);
  EXPECT_NEAR(bands[0].DI.value_or(-1), 10.0, 1e-9);
  EXPECT_EQ(bands[1].band, 7);
  EXPECT_FALSE(bands[1].DI.has_value());
  EXPECT_NEAR(bands[1].horizontal.value_or(-1), 119.81, 0.005);
  EXPECT_FALSE(bands[1].vertical.has_value());  // plot 9 of band 7 is all zero
}

}  // namespace
}  // namespace fonderel
