// The sound power computation: the surface of each arrangement, K2 and its
// cap, the energy mean, the Lin and A totals, and the input it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "core/AppState.h"
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

struct SurfaceCase {
  const char* what;
  int mics;
  float a, b, c;
  double S;
};

TEST(SoundPower, SurfaceOfEachArrangement) {
  const SurfaceCase cases[] = {
      {"box of 9", 9, 1.0f, 0.75f, 1.0f, 10.0},
      {"box of 5", 5, 0.5f, 0.5f, 2.0f, 4 * (1 + 1 + 0.25)},
      {"eight points scale the box by (a+b+c)/(a+b+c+2)", 8, 1.0f, 0.75f, 1.0f, 10.0 * 2.75 / 4.75},
      {"hemisphere of radius 2a, whatever b and c", 10, 1.0f, 9.0f, 9.0f, 6.283185308 * 4},
      {"user layout is a box", 12, 1.0f, 0.75f, 1.0f, 10.0},
  };
  for (const SurfaceCase& c : cases) {
    Measurement m;
    m.MicCount = static_cast<std::int16_t>(c.mics);
    m.DimA = c.a;
    m.DimB = c.b;
    m.DimC = c.c;
    EXPECT_NEAR(SurfaceArea(m), c.S, 1e-5) << c.what;
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

struct RefusedCase {
  const char* what;
  std::function<void(AppState&)> set;
  const char* message;
};

TEST(SoundPower, UndefinedTermsAreRefusedAndLwKept) {
  const RefusedCase cases[] = {
      {"room volume 0 with a reverberation time",
       [](AppState& s) { s.Iso.RoomVolume = 0; s.Iso.RevTime(6) = 1.0f; },
       "The test room volume must be above 0 when reverberation times are given (1000 Hz band)."},
      {"no surface", [](AppState& s) { s.Iso.DimA = 0; s.Iso.DimB = 0; },
       "The measurement surface has no area: check the dimensions of the enveloping surface."},
      {"a negative length",
       [](AppState& s) { s.Iso.DimA = -1; s.Iso.DimB = 0.5; s.Iso.DimC = 0.5; },
       "The measurement surface has no area: check the dimensions of the enveloping surface."},
      {"energy sum of 0",
       [](AppState& s) { for (int m = 1; m <= 9; ++m) s.MicLp(m, 7) = -900.0f; },
       "The microphone levels of the 2000 Hz band give no finite energy sum."},
      {"energy sum beyond the float range",
       [](AppState& s) { s.MicLp(1, 2) = 400.0f; },
       "The microphone levels of the 63 Hz band give no finite energy sum."},
      {"negative reverberation time", [](AppState& s) { s.Iso.RevTime(3) = -9.0f; },
       "The reverberation time of the 125 Hz band gives no environmental correction."},
      {"no microphones", [](AppState& s) { s.Iso.MicCount = 0; },
       "The measurement needs 1 to 100 microphones; it has 0."},
  };
  for (const RefusedCase& c : cases) {
    auto state = std::make_unique<AppState>();
    state->src.Lw.Fill(55.0f);
    c.set(*state);
    const auto r = ComputeSoundPower(*state);
    ASSERT_FALSE(r.has_value()) << c.what;
    EXPECT_EQ(r.error(), c.message) << c.what;
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(state->src.Lw(i), 55.0f) << c.what;
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
