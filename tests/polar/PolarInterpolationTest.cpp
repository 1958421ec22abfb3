// The balloon built from the horizontal and vertical plots: levels between
// the planes, the mean, the power level, Q, the log line, and levels that
// give no finite balloon.
#include <gtest/gtest.h>

#include <cmath>

#include "app/CaseData.h"
#include "core/AppState.h"
#include "polar/PolarInterpolation.h"
#include "support/RecordingPlatform.h"

namespace fonderel::test {
namespace {

PolarTables Flat(float horiz, float vert) {
  PolarTables t;
  t.HorizPolar.Fill(horiz);
  t.VertPolar.Fill(vert);
  return t;
}

// Both plots at 0 dB: balloon 1 everywhere, mean 1, Lw 100, Q 1, and the
// efficiency is the sum of the weights (each plane goes round the sphere
// twice: 2 · 4π) over 100.
TEST(PolarInterpolation, BothPlotsZeroGiveAnOmniSource) {
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(Flat(0, 0), state, platform).has_value());
  const Source& s = state.src;
  EXPECT_EQ(s.FirstBand, 1);
  EXPECT_EQ(s.LastBand, 10);
  EXPECT_EQ(s.SourceKind, 1.0f);
  EXPECT_EQ(s.DataSaved, kFalse);
  for (int b = 1; b <= 10; ++b) {
    EXPECT_FLOAT_EQ(s.Lw(b), 100.0f);
    EXPECT_FLOAT_EQ(s.DirQ(b), 1.0f);
    EXPECT_NEAR(s.Efficiency(b), 18.0 * 2.0 * 4.0 * 3.141592654 / 100.0, 1e-4);
    EXPECT_EQ(s.BandPresent(b), 1);
    for (int p : {0, 7, 17}) EXPECT_FLOAT_EQ(s.BalloonData(p, 13, b), 1.0f);
  }
  ASSERT_EQ(state.log.Lines().size(), 10u);
  EXPECT_EQ(state.log.Lines()[5], "Freq. (Hz)= 1000 - Lw=  100. Q=      1.");
}

// Horizontal 0 dB, vertical -10 dB: plane p takes -10·p/9 dB up to the
// vertical plane and comes back to 0 dB beyond plane 17, the horizontal plane
// seen from the other side. Before normalising plane 4 holds 10^(-4/9).
TEST(PolarInterpolation, PlanesBetweenThePlots) {
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(Flat(0, -10), state, platform).has_value());
  const Source& s = state.src;
  double mean = 0.0;
  for (int p = 0; p < 18; ++p) mean += std::pow(10.0, -(p <= 9 ? p : 18 - p) / 9.0) / 18.0;
  const struct {
    int p;
    double beforeNormalising;
  } planes[] = {{0, 1.0}, {4, std::pow(10.0, -4.0 / 9.0)}, {9, 0.1}, {13, std::pow(10.0, -5.0 / 9.0)}};
  for (int b : {1, 10}) {
    for (const auto& plane : planes) {
      for (int k : {0, 9, 35}) {
        EXPECT_NEAR(s.BalloonData(plane.p, k, b), plane.beforeNormalising / mean, 1e-5) << plane.p;
      }
    }
    EXPECT_NEAR(s.Lw(b), 10.0 * std::log10(mean) + 100.0, 1e-4);
    EXPECT_NEAR(s.DirQ(b), 1.0 / mean, 1e-5);
  }

  // Beyond the vertical plane the horizontal plot runs backwards: point 3 of
  // plane 17 lies next to the horizontal plane at -30°, that is 330°.
  PolarTables t = Flat(0, 0);
  t.HorizPolar(33, 2) = 9.0f;
  ASSERT_TRUE(InterpolatePolarTables(t, state, platform).has_value());
  const double axis = state.src.BalloonData(0, 0, 2);
  EXPECT_NEAR(10.0 * std::log10(state.src.BalloonData(17, 3, 2) / axis), 8.0, 1e-4);
  EXPECT_NEAR(10.0 * std::log10(state.src.BalloonData(0, 33, 2) / axis), 9.0, 1e-4);
  EXPECT_NEAR(state.src.BalloonData(17, 33, 2) / axis, 1.0, 1e-6);
}

// Both plots 10 dB above the rest on the axis only: the axis zone (0° to
// 10°) holds (1 - cos 10°) / 4 of each plane's weight.
TEST(PolarInterpolation, AxisZoneWeighsByItsArea) {
  PolarTables t = Flat(0, 0);
  t.HorizPolar(0, 7) = t.VertPolar(0, 7) = 10.0f;
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(t, state, platform).has_value());
  const double mean = 1.0 + 9.0 * (1.0 - std::cos(10.0 * 3.141592654 / 180.0)) / 4.0;
  EXPECT_NEAR(state.src.DirQ(7), 10.0 / mean, 1e-5);
  EXPECT_NEAR(state.src.Lw(7), 100.0 + 10.0 * std::log10(mean), 1e-4);
  EXPECT_NEAR(state.src.Efficiency(7), 18.0 * 8.0 * 3.141592654 * mean / 100.0, 1e-4);
}

// Cases in tests/data/cases5/polar.json.
TEST(PolarInterpolation, LogLine) {
  for (const auto& c : Cases("../cases5/polar", "logLine"))
    EXPECT_EQ(PolarBandLogLine(c[0], c[1].get<float>(), c[2].get<float>()), c[3].get<std::string>());
}

// Levels whose balloon overflows or vanishes are refused, and nothing of the
// description changes.
TEST(PolarInterpolation, NonFiniteBalloonIsRefused) {
  for (const auto& j : Cases("../cases5/polar", "nonFinite")) {
    const struct {
      int band;
      float horiz, vert;
      std::string hz;
    } c{j[0], j[1], j[2], j[3].get<std::string>()};
    PolarTables t = Flat(0, 0);
    for (int k = 0; k < 36; ++k) {
      t.HorizPolar(k, c.band) = c.horiz;
      t.VertPolar(k, c.band) = c.vert;
    }
    AppState state;
    RecordingPlatform platform;
    const auto built = InterpolatePolarTables(t, state, platform);
    ASSERT_FALSE(built.has_value());
    EXPECT_EQ(built.error(), std::string("The levels of ") + c.hz +
                                 " Hz give no finite balloon; please check them.");
    EXPECT_FALSE(state.src.HasData());
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_TRUE(state.log.Lines().empty());
  }
}

}  // namespace
}  // namespace fonderel::test
