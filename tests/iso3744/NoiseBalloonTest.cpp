// The noise balloon: factors from levels and distances, floor images at half,
// nearest-direction lookup, the blend toward the band mean, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/AppState.h"
#include "iso3744/IsoCases.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"

namespace fonderel {
namespace {

constexpr LocalTime kNow{2026, 12, 7, 1, 2, 3};

// Hemisphere of radius 2 m with every microphone at 90 dB, in a room
// without reverberation.
std::unique_ptr<AppState> OmniHemisphere() {
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"MicCount", 10}, {"DimA", 1}, {"MicLp 1-10 1-10", 90}});
  EXPECT_TRUE(ComputeSoundPower(*s).has_value());
  return s;
}

TEST(NoiseBalloon, OmnidirectionalSourceOnTheHemisphere) {
  auto s = OmniHemisphere();
  ASSERT_EQ(BuildNoiseBalloon(*s, kNow), BalloonOutcome::Built);
  const double r = 2.0;
  for (int b : {1, 6, 10}) {
    const double f = std::pow(10.0, (90.0 - s->src.Lw(b)) / 10.0) * 8 * 3.141592653589793 * r * r / 3;
    // Straight up (plot 9, point 9) lies on microphone 10: its factor unchanged;
    // straight down on its floor image: half of it.
    EXPECT_NEAR(s->src.BalloonData(9, 9, b), f, f * 1e-5) << b;
    EXPECT_NEAR(s->src.BalloonData(9, 27, b), f / 2, f * 1e-5) << b;
    float largest = 0;
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) largest = std::max(largest, s->src.BalloonData(p, k, b));
    EXPECT_EQ(s->src.DirQ(b), largest) << "the largest value, not the mean";
  }
  const Source& src = s->src;
  EXPECT_EQ(src.FirstBand, 1);
  EXPECT_EQ(src.LastBand, 10);
  EXPECT_EQ(src.BandCount, 10);
  EXPECT_EQ(src.BandPresent(4), 1);
  EXPECT_EQ(src.Efficiency(7), 100.0f);
  EXPECT_EQ(src.SourceKind, 0.0f);
  EXPECT_EQ(src.SourceDate, "12-07-2026");
  EXPECT_EQ(src.SourceTime, "01:02:03");
}

TEST(NoiseBalloon, DirectionOnAMicrophoneTakesItsFactor) {
  // Five microphones on the default box: one loud (mic 1 on +x), the others
  // quiet. The +x direction takes mic 1's factor, and no direction of the
  // balloon, however far from a microphone, falls below 0.
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"MicCount", 5}, {"MicLp 2-5 1-10", 70}, {"MicLp 1 1-10", 80}});
  ASSERT_TRUE(ComputeSoundPower(*s).has_value());
  ASSERT_EQ(BuildNoiseBalloon(*s, kNow), BalloonOutcome::Built);
  // On axis +x: microphone 1 exactly, dmin = 0.
  const double a = 1, c = 1;
  const double r1 = std::hypot(a, 0.0), r2 = std::hypot(a, c);  // mic 1 and its image
  const double d = 1 / (4 * 3.141592654 * r1 * r1) + 1 / (8 * 3.141592654 * r2 * r2);
  const double f1 = std::pow(10.0, (80.0 - s->src.Lw(3)) / 10.0) / d;
  EXPECT_NEAR(s->src.BalloonData(0, 0, 3), f1, f1 * 1e-5);
  // Every value is an intensity: none below 0.
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) EXPECT_GE(s->src.BalloonData(p, k, 3), 0.0f);
}

TEST(NoiseBalloon, BlendReachesTheMeanAtSevenTenths) {
  // Two microphones with different factors give a mean; a direction 0.7 away
  // from its nearest microphone takes exactly the mean.
  auto s = std::make_unique<AppState>();
  // Microphone 1 on +x at the source height, microphone 2 on -x.
  test::Set(*s, {{"MicCount", 2}, {"MicLayoutFile", "two.mea"}, {"NReceivers", 2}, {"RecX 1", 1}, {"RecZ 1", 1},
                 {"RecX 2", -1}, {"RecZ 2", 1}, {"SrcZ", 1}, {"MicLp 1 1-10", 90}, {"MicLp 2 1-10", 80}});
  ASSERT_TRUE(ComputeSoundPower(*s).has_value());
  ASSERT_EQ(BuildNoiseBalloon(*s, kNow), BalloonOutcome::Built);
  // Point k = 4 of plot 0: 40 degrees from +x in the horizontal plane; chord
  // 2·sin(20°) = .684 to microphone 1, the nearest.
  const double dmin = 2 * std::sin(20 * 3.141592654 / 180);
  const double f1 = s->src.BalloonData(0, 0, 5);
  const double f2 = s->src.BalloonData(0, 18, 5);
  const double images = 0.5 * (f1 + f2);  // the images carry half
  const double mean = (f1 + f2 + images) / 4;
  EXPECT_NEAR(s->src.BalloonData(0, 4, 5), f1 + (dmin - 0.2) * (mean - f1) / 0.5, f1 * 1e-5);
  // Within 0.2 the nearest factor holds unchanged (point 1: chord .174).
  EXPECT_NEAR(s->src.BalloonData(0, 1, 5), f1, f1 * 1e-6);
}

TEST(NoiseBalloon, RefusesUndefinedInputBeforeStoringAnything) {
  for (const auto& c : test::IsoJson("refused", "balloon")) {
    auto s = std::make_unique<AppState>();
    test::Set(*s, c["set"]);
    const auto r = BuildNoiseBalloon(*s, kNow);
    ASSERT_FALSE(r.has_value()) << c["what"];
    EXPECT_EQ(r.error(), c["error"].get<std::string>());
    EXPECT_EQ(s->src.FirstBand, 0) << c["what"];
    EXPECT_EQ(s->src.DirQ(1), 0.0f) << c["what"];
  }
  auto s = std::make_unique<AppState>();
  s->Iso.MicCount = 12;
  EXPECT_EQ(BuildNoiseBalloon(*s, kNow), BalloonOutcome::NoLayout);
  EXPECT_EQ(s->src.FirstBand, 0);
}

}  // namespace
}  // namespace fonderel
