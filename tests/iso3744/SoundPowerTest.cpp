// The sound power computation: the surface of each arrangement, K2 and its
// cap, the energy mean, the Lin and A totals, and the input it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/AppState.h"
#include "iso3744/IsoCases.h"
#include "iso3744/SoundPower.h"

namespace fonderel {
namespace {

double ExpectedA(double perBand) {
  double t = 0;
  for (int b = 1; b <= kBandCount; ++b) t += std::pow(10.0, (perBand + AWeighting(b)) / 10.0);
  return 10.0 * std::log10(t);
}

TEST(SoundPower, DefaultInputGivesTenDecibelsPerBand) {
  auto state = std::make_unique<AppState>();
  const auto r = ComputeSoundPower(*state);
  ASSERT_TRUE(r.has_value());
  EXPECT_FLOAT_EQ(r->S, 10.0f);
  for (int b = 1; b <= kBandCount; ++b) EXPECT_NEAR(state->src.Lw(b), 10.0, 1e-5) << b;
  EXPECT_NEAR(state->src.Lw(11), 20.0, 1e-5);
  EXPECT_NEAR(state->src.Lw(12), ExpectedA(10.0), 1e-4);
}

TEST(SoundPower, SurfaceOfEachArrangement) {
  for (const auto& c : test::IsoJson("layout", "surface")) {
    Measurement m;
    m.MicCount = c["mics"].get<std::int16_t>();
    m.DimA = c["abc"][0];
    m.DimB = c["abc"][1];
    m.DimC = c["abc"][2];
    EXPECT_NEAR(SurfaceArea(m), c["S"].get<double>(), 1e-5) << c["what"];
  }
}

TEST(SoundPower, EqualLevelsGiveLpPlusSurfaceLessK2WhateverTheCount) {
  for (int n : {5, 9, 37}) {
    auto state = std::make_unique<AppState>();
    state->Iso.MicCount = static_cast<std::int16_t>(n);
    for (int m = 1; m <= n; ++m)
      for (int b = 1; b <= kBandCount; ++b) state->MicLp(m, b) = 84.0f;
    state->Iso.RevTime(4) = 0.5f;
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
  state->Iso.RevTime(1) = 50.0f;   // very reverberant: capped
  state->Iso.RevTime(2) = 0.5f;    // K2 = 10·log10(7.25) = 8.6: capped too
  state->Iso.RevTime(3) = 0.15f;   // K2 = 10·log10(2.875) = 4.6
  state->Iso.RoomVolume = 20.0f;
  const auto r = ComputeSoundPower(*state);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->K2(1), 7.0);
  EXPECT_EQ(r->K2(2), 7.0);
  EXPECT_NEAR(state->src.Lw(1), 3.0, 1e-5);
  const auto lines = K2Warnings(*r);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 31.5 Hz band: "
                      "K2 = 7.0 dB.");
  EXPECT_EQ(lines[2], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 125 Hz band: "
                      "K2 = 4.6 dB.");
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

TEST(SoundPower, ZeroVolumeWithoutReverberationIsAnAnechoicRoom) {
  auto state = std::make_unique<AppState>();
  state->Iso.RoomVolume = 0;
  ASSERT_TRUE(ComputeSoundPower(*state).has_value());
  EXPECT_NEAR(state->src.Lw(3), 10.0, 1e-5);
}

}  // namespace
}  // namespace fonderel
