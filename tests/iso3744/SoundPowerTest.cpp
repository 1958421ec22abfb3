// Microphone positions and the sketch of each arrangement, the sound power
// computed from them (surface, K2 and its cap, the energy mean, the Lin and
// A totals), the noise balloon built from the levels and distances, and the
// input each refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "iso3744/IsoCases.h"
#include "iso3744/MicLayout.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"

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
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"MicCount", 3}, {"NReceivers", 3}, {"RecX 2", 7}});
  Measurement& m = s->Iso;
  EXPECT_FALSE(PlaceMicrophones(m));
  EXPECT_EQ(m.MicX(2), 0.0f);
  m.MicLayoutFile = "room.mea";
  EXPECT_TRUE(PlaceMicrophones(m));
  EXPECT_EQ(m.MicX(2), 7.0f);
}

TEST(MicLayout, ReceiverBoxGivesDimensionsWithItsFloorAtZero) {
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"NReceivers", 4}, {"RecX 1", 1.5}, {"RecY 2", 1}, {"RecX 3", -1.5},
                 {"RecY 4", -1}, {"RecZ 1-3", 0.5}, {"RecZ 4", 1.25}});
  Measurement& m = s->Iso;
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
  auto state = std::make_unique<AppState>();
  test::Set(*state, {{"MicCount", 1}, {"MicLayoutFile", "one.mea"}, {"NReceivers", 1},
                     {"RecX 1", 1}, {"RecY 1", 2}, {"RecZ 1", 3}});
  const LayoutSketch s = SketchArrangement(state->Iso);
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[1].x, 1500 + 300 + 400);
  EXPECT_EQ(s.points[1].y, 2000 - 900 - 400);
  EXPECT_EQ(s.points[1].radius, 100);
  EXPECT_EQ(s.points[1].label, "1");
}

double ExpectedA(double perBand) {
  double t = 0;
  for (int b = 1; b <= kBandCount; ++b) t += std::pow(10.0, (perBand + AWeighting(b)) / 10.0);
  return 10.0 * std::log10(t);
}

// Also with a zero volume: without reverberation that is an anechoic room.
TEST(SoundPower, DefaultInputGivesTenDecibelsPerBand) {
  for (const float volume : {200.0f, 0.0f}) {
    auto state = std::make_unique<AppState>();
    state->Iso.RoomVolume = volume;
    const auto r = ComputeSoundPower(*state);
    ASSERT_TRUE(r.has_value()) << volume;
    EXPECT_FLOAT_EQ(r->S, 10.0f);
    for (int b = 1; b <= kBandCount; ++b) EXPECT_NEAR(state->src.Lw(b), 10.0, 1e-5) << b;
    EXPECT_NEAR(state->src.Lw(11), 20.0, 1e-5);
    EXPECT_NEAR(state->src.Lw(12), ExpectedA(10.0), 1e-4);
  }
}

TEST(SoundPower, SurfaceOfEachArrangement) {
  for (const auto& c : test::IsoJson("layout", "surface"))
    EXPECT_NEAR(SurfaceArea(Of(c)), c["S"].get<double>(), 1e-5) << c["what"];
}

TEST(SoundPower, EqualLevelsGiveLpPlusSurfaceLessK2WhateverTheCount) {
  for (int n : {5, 9, 37}) {
    auto state = std::make_unique<AppState>();
    const std::string levels = "MicLp 1-" + std::to_string(n) + " 1-10";
    test::Set(*state, {{"MicCount", n}, {levels, 84}, {"RevTime 4", 0.5}});
    const auto r = ComputeSoundPower(*state);
    ASSERT_TRUE(r.has_value());
    const double k2 = 10 * std::log10(1 + 4 * 10.0 * 0.5 / 0.16 / 200);
    EXPECT_NEAR(r->K2(4), k2, 1e-9);
    EXPECT_NEAR(state->src.Lw(4), 84 + 10 - k2, 1e-4) << n;
    EXPECT_NEAR(state->src.Lw(5), 94.0, 1e-4) << n;
  }
}

TEST(SoundPower, K2IsCappedAtSevenAndWarnedAboveFour) {
  auto state = std::make_unique<AppState>();
  state->Iso.RevTime(1) = 50.0f;   // K2 = 10·log10(626) = 28.0: capped
  state->Iso.RevTime(2) = 0.5f;    // K2 = 10·log10(7.25) = 8.6: capped too
  state->Iso.RevTime(3) = 0.15f;   // K2 = 10·log10(2.875) = 4.6
  state->Iso.RevTime(4) = 0.01f;   // bands 5..10 without a time: free field
  state->Iso.RoomVolume = 20.0f;
  const auto r = ComputeSoundPower(*state);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(r->K2(1), 10 * std::log10(626.0), 1e-9) << "the computed K2";
  EXPECT_EQ(r->K2Used(1), 7.0);
  EXPECT_EQ(r->K2Used(2), 7.0);
  EXPECT_NEAR(state->src.Lw(1), 3.0, 1e-5);
  const auto lines = K2Warnings(state->Iso, *r);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 31.5 Hz band: "
                      "K2 = 28.0 dB; 7.0 dB is used.");
  EXPECT_EQ(lines[2], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 125 Hz band: "
                      "K2 = 4.6 dB.");
  EXPECT_EQ(lines[3], "No reverberation time in the 500, 1000, 2000, 4000, 8000, 16000 Hz bands: "
                      "taken as free field (K2 = 0 dB).");
}

TEST(SoundPower, UndefinedTermsAreRefusedAndLwKept) {
  for (const auto& c : test::IsoJson("refused", "soundPower")) {
    auto state = std::make_unique<AppState>();
    state->src.Lw.Fill(55.0f);
    test::Set(*state, c["set"]);
    const auto r = ComputeSoundPower(*state);
    ASSERT_FALSE(r.has_value()) << c["what"];
    EXPECT_EQ(r.error(), c["error"].get<std::string>()) << c["what"];
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(state->src.Lw(i), 55.0f) << c["what"];
  }
}

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
