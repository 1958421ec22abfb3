// The balloon built from the horizontal and vertical plots: levels between
// the planes, the mean, the power level, Q, the log line, and levels that
// give no finite balloon.
#include <gtest/gtest.h>

#include <cmath>

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

TEST(PolarInterpolation, BothPlotsZeroGiveAnOmniSource) {
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(Flat(0, 0), state, platform).has_value());
  const Source& s = state.src;
  EXPECT_EQ(s.FirstBand, 1);
  EXPECT_EQ(s.LastBand, 10);
  EXPECT_EQ(s.SourceKind, 1.0f);
  EXPECT_EQ(s.DataSaved, kFalse);
  // Each plane's 36 zone weights go round the sphere twice: 2 · 4π.
  const double weights = 18.0 * 2.0 * 4.0 * 3.141592654;
  for (int b = 1; b <= 10; ++b) {
    EXPECT_FLOAT_EQ(s.Lw(b), 100.0f);
    EXPECT_FLOAT_EQ(s.DirQ(b), 1.0f);
    EXPECT_NEAR(s.Efficiency(b), weights / 100.0, 1e-4);
    EXPECT_EQ(s.BandPresent(b), 1);
    for (int p : {0, 7, 17}) EXPECT_FLOAT_EQ(s.BalloonData(p, 13, b), 1.0f);
  }
  ASSERT_EQ(state.log.Lines().size(), 10u);
  EXPECT_EQ(state.log.Lines()[5], "Freq. (Hz)= 1000 - Lw=  100. Q=      1.");
}

// Horizontal 0 dB, vertical -10 dB: plane p takes -10·p/9 dB up to the
// vertical plane and comes back to 0 dB at plane 17's neighbour, the
// horizontal plane seen from the other side.
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
  for (int b : {1, 6, 10}) {
    for (const auto& plane : planes) {
      for (int k : {0, 9, 35}) {
        EXPECT_NEAR(s.BalloonData(plane.p, k, b), plane.beforeNormalising / mean, 1e-5)
            << plane.p << " " << k;
      }
    }
    EXPECT_NEAR(s.Lw(b), 10.0 * std::log10(mean) + 100.0, 1e-4);
    EXPECT_NEAR(s.DirQ(b), 1.0 / mean, 1e-5);
  }
}

// Plane 9 onwards runs the horizontal plot backwards: point k of plane 17
// lies next to the horizontal plane at angle -10·k degrees.
TEST(PolarInterpolation, FarPlanesMirrorTheHorizontalPlot) {
  PolarTables t = Flat(0, 0);
  t.HorizPolar(33, 2) = 9.0f;  // 330°, the mirror of point 3 (30°)
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(t, state, platform).has_value());
  const Source& s = state.src;
  const double axis = s.BalloonData(0, 0, 2);
  EXPECT_NEAR(10.0 * std::log10(s.BalloonData(17, 3, 2) / axis), 9.0 * 8.0 / 9.0, 1e-4);
  EXPECT_NEAR(10.0 * std::log10(s.BalloonData(0, 33, 2) / axis), 9.0, 1e-4);
  EXPECT_NEAR(s.BalloonData(17, 33, 2) / axis, 1.0, 1e-6);
}

TEST(PolarInterpolation, LogLine) {
  const struct {
    int band;
    float lw, q;
    const char* line;
  } cases[] = {
      {6, 93.5f, 2.5f, "Freq. (Hz)= 1000 - Lw=  93.5 Q=     2.5"},
      {1, 100.0f, 1.0f, "Freq. (Hz)=   32 - Lw=  100. Q=      1."},
      {10, 112.26f, 14.567f, "Freq. (Hz)=16000 - Lw= 112.3 Q=   14.57"},
  };
  for (const auto& c : cases) EXPECT_EQ(PolarBandLogLine(c.band, c.lw, c.q), c.line);
}

// Levels whose balloon overflows or vanishes are refused, and nothing of
// the description changes.
TEST(PolarInterpolation, NonFiniteBalloonIsRefused) {
  const struct {
    int band;
    float horiz, vert;
    const char* message;
  } cases[] = {
      {3, 400.0f, 0.0f, "The levels of 125 Hz give no finite balloon; please check them."},
      {1, -500.0f, -500.0f, "The levels of 31.5 Hz give no finite balloon; please check them."},
      {10, 0.0f, 3.0e38f, "The levels of 16000 Hz give no finite balloon; please check them."},
  };
  for (const auto& c : cases) {
    PolarTables t = Flat(0, 0);
    for (int k = 0; k < 36; ++k) {
      t.HorizPolar(k, c.band) = c.horiz;
      t.VertPolar(k, c.band) = c.vert;
    }
    AppState state;
    state.src.SourceName = "before";
    RecordingPlatform platform;
    const auto built = InterpolatePolarTables(t, state, platform);
    ASSERT_FALSE(built.has_value());
    EXPECT_EQ(built.error(), c.message);
    EXPECT_FALSE(state.src.HasData());
    EXPECT_EQ(state.src.SourceName, "before");
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_TRUE(state.log.Lines().empty());
  }
}

}  // namespace
}  // namespace fonderel::test
