// Coverage angles worked out by hand from the balloon's 10-degree points.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

#include "views/Coverage.h"

namespace fonderel {
namespace {

// A level in dB below the on-axis sample 1 as a linear value.
float Below(double dB) { return static_cast<float>(std::pow(10.0, -dB / 10.0)); }

std::array<float, 19> Side(std::function<float(int)> value) {
  std::array<float, 19> side{};
  for (int k = 0; k <= 18; ++k) side[static_cast<std::size_t>(k)] = value(k);
  return side;
}

TEST(CoverageSide, HandWorkedSides) {
  struct {
    const char* name;
    std::array<float, 19> side;
    double expected;  // -1: no angle
  } const cases[] = {
      {"flat never falls", Side([](int) { return 1.0f; }), 180.0},
      // -12 dB at 30 degrees, 0 dB at 20: -6 dB lies half way.
      {"between two points", Side([](int k) { return k < 3 ? 1.0f : Below(12); }), 25.0},
      // Exactly -6 dB at 40 degrees: the side ends there.
      {"exactly at a point", Side([](int k) { return k < 4 ? 1.0f : Below(6); }), 40.0},
      // A zero at 30 degrees: the side ends at the point before it.
      {"zero sample", Side([](int k) { return k == 3 ? 0.0f : 1.0f; }), 20.0},
      // A level that rises again after -6 dB: the first fall counts.
      {"first fall counts", Side([](int k) { return k == 1 ? Below(12) : 1.0f; }), 5.0},
      {"no on-axis level", Side([](int k) { return k == 0 ? 0.0f : 1.0f; }), -1},
  };
  for (const auto& c : cases) EXPECT_NEAR(CoverageSide(c.side).value_or(-1), c.expected, 1e-4) << c.name;
}

constexpr int kBand = 6;

// A band whose plot p holds value(p, k) at every point.
std::unique_ptr<Source> Band(std::function<float(int, int)> value, float dirQ = 1) {
  auto src = std::make_unique<Source>();
  src->FirstBand = 5;
  src->LastBand = 7;
  src->BandPresent(kBand) = kTrue;
  src->DirQ(kBand) = dirQ;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) src->BalloonData(p, k, kBand) = value(p, k);
  return src;
}

float CosSquared(int k) {
  const double c = std::cos(k * std::numbers::pi / 18.0);
  return static_cast<float>(c * c);
}

TEST(CoverageAngle, HandWorkedBalloons) {
  struct Case {
    const char* name;
    std::function<float(int, int)> value;
    double horizontal, vertical;
  };
  const Case cases[] = {
      {"omnidirectional", [](int, int) { return 1.0f; }, 360, 360},
      // cos² falls 6 dB at 59.91 degrees on each side, between the 50° point
      // (-3.839 dB) and the 60° point (-6.021 dB).
      {"cos squared", [](int, int k) { return CosSquared(k); }, 119.81, 119.81},
      // Points 1..17 of plot 0 are -12 dB from 30 degrees on (25° to that
      // side); points 19..35, the other side, stay flat (180°).
      {"one side falls", [](int p, int k) { return p == 0 && k >= 3 && k <= 17 ? Below(12) : 1.0f; },
       205, 360},
      // Only plot 9 narrows, to -12 dB from 20 degrees on both sides.
      {"vertical narrower",
       [](int p, int k) { return p == 9 && k >= 2 && k <= 34 ? Below(12) : 1.0f; }, 360, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto src = Band(c.value);
    EXPECT_NEAR(CoverageAngle(*src, kHorizontalPlot, kBand).value_or(-1), c.horizontal, 0.005);
    EXPECT_NEAR(CoverageAngle(*src, kVerticalPlot, kBand).value_or(-1), c.vertical, 0.005);
  }
}

TEST(ComputeCoverage, BandsWithDataOnlyAndTheirIndex) {
  auto src = Band([](int, int) { return 1.0f; }, 10);
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
