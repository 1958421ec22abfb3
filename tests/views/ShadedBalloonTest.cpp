// The shaded balloon: colours on the map, a known patch's colour, and the
// order the patches are painted in as the balloon turns.
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "app/CaseData.h"
#include "views/ShadedBalloon.h"

namespace fonderel {
namespace {

constexpr int kBand = 7;

std::unique_ptr<Source> Flat(float value) {
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = kBand;
  src->BandPresent(kBand) = kTrue;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) src->BalloonData(p, k, kBand) = value;
  return src;
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
  for (auto [p, k] : {std::pair{3, 5}, {3, 6}, {4, 5}, {4, 6}}) src->BalloonData(p, k, kBand) = 0.05f;
  const ShadedPicture picture = ShadeBalloon(*src, kBand, {}, 400, 300, 40);
  ASSERT_EQ(picture.patches.size(), 18u * 36u);
  EXPECT_NEAR(Patch(picture, 3, 5).level, -10.0, 1e-6);
  EXPECT_EQ(Patch(picture, 3, 5).colour, (Rgb{122, 209, 81}));
  EXPECT_NEAR(Patch(picture, 3, 4).level, -5.0, 1e-6);
  EXPECT_EQ(Patch(picture, 0, 0).colour, (Rgb{253, 231, 37}));
  // Zero samples sit at the bottom of the range, at the centre.
  const ShadedPicture empty = ShadeBalloon(*Flat(0), kBand, {}, 400, 300, 40);
  EXPECT_EQ(Patch(empty, 9, 9).colour, (Rgb{68, 1, 84}));
  EXPECT_NEAR(Patch(empty, 9, 9).corners[0].x, Patch(empty, 2, 20).corners[2].x, 1e-9);
  // A band without data: the colour bar alone, 0 dB at its top, -50 dB at its foot.
  const ShadedPicture none = ShadeBalloon(*src, kBand - 1, {}, 400, 300, 40);
  EXPECT_TRUE(none.patches.empty());
  ASSERT_EQ(none.labels.size(), 6u);
  EXPECT_EQ(none.labels.back().text, "-50 dB");
  EXPECT_DOUBLE_EQ(none.labels.back().y - none.labels.front().y, none.barHeight);
}

// Unturned, the balloon is seen from the wire frame's direction: the area
// left of the bar is 336 wide, so the centre is (168, 150) and a radius of 1
// is 0.95 × 150 long; the axis lands right and down, the top straight up.
TEST(ShadedBalloon, DescribedDirection) {
  const ShadedPicture picture = ShadeBalloon(*Flat(1), kBand, {}, 400, 300, 40);
  const Point2 axis = Patch(picture, 0, 0).corners[0], top = Patch(picture, 9, 9).corners[0];
  EXPECT_NEAR(axis.x, 168 + 142.5 * 0.85, 1e-9);
  EXPECT_NEAR(axis.y, 150 + 142.5 * 0.22, 1e-9);
  EXPECT_NEAR(top.x, 168, 1e-9);
  EXPECT_NEAR(top.y, 150 - 142.5 * 0.75, 1e-9);
  EXPECT_DOUBLE_EQ(picture.barHeight, 300 - 12);
  // A quarter turn brings the axis round to point at the viewer, whose
  // direction (0.24, -0.6375, 0.5804)/0.89491 lies 0.26818 to the axis.
  const ShadedPicture quarter = ShadeBalloon(*Flat(1), kBand, {std::numbers::pi / 2, 0, 1}, 400, 300, 40);
  EXPECT_NEAR(Patch(quarter, 0, 0).corners[0].x, 168 + 142.5 * 0.268182, 1e-3);
}

// The sample nearest the viewer: depth is largest for the patch around the
// direction out of the screen, and the patches are painted far to near.
TEST(ShadedBalloon, DepthOrderFollowsTheTurn) {
  const auto src = Flat(1);
  struct Case {
    const char* name;
    ShadedView view;
  };
  const Case cases[] = {{"described direction", {}},
                        {"half a turn", {std::numbers::pi, 0, 1}},
                        {"tipped", {0.4, -1.1, 2}}};
  std::vector<std::pair<int, int>> nearest;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ShadedPicture picture = ShadeBalloon(*src, kBand, c.view, 400, 300, 40);
    EXPECT_TRUE(std::is_sorted(picture.patches.begin(), picture.patches.end(),
                               [](const ShadedPatch& a, const ShadedPatch& b) {
                                 return a.depth < b.depth;
                               }));
    nearest.emplace_back(picture.patches.back().plot, picture.patches.back().point);
  }
  // Half a turn about either screen axis brings the back of the balloon to
  // the front: what was nearest is now painted among the first.
  for (const ShadedView& half : {ShadedView{std::numbers::pi, 0, 1}, ShadedView{0, std::numbers::pi, 1}}) {
    const ShadedPicture turned = ShadeBalloon(*src, kBand, half, 400, 300, 40);
    const auto it = std::find_if(turned.patches.begin(), turned.patches.end(), [&](const ShadedPatch& s) {
      return s.plot == nearest[0].first && s.point == nearest[0].second;
    });
    EXPECT_LT(it - turned.patches.begin(), 60);
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

}  // namespace
}  // namespace fonderel
