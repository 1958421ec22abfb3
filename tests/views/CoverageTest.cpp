// Coverage angles worked out by hand from the balloon's 10-degree points.
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

#include "app/CaseData.h"
#include "views/Coverage.h"

namespace fonderel {
namespace {

// A level in dB below the on-axis sample 1 as a linear value.
float Below(double dB) { return static_cast<float>(std::pow(10.0, -dB / 10.0)); }

TEST(CoverageSide, HandWorkedSides) {
  for (const auto& c : test::Cases("Coverage", "Side")) {
    std::array<float, 19> side{};
    for (std::size_t k = 0; k < side.size(); ++k)
      side[k] = c["dB"][k].is_null() ? 0.0f : Below(c["dB"][k]);
    EXPECT_NEAR(CoverageSide(side).value_or(-1), c["angle"], 1e-4) << c["what"];
  }
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
  for (const auto& c : test::Cases("Coverage", "Balloons/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const int plot = c.value("plot", -1), from = c.value("from", 0), to = c.value("to", -1);
    const auto src = Band([&](int p, int k) {
      if (p == plot && k >= from && k <= to) return Below(c["dB"]);
      return c.contains("cosSquared") ? CosSquared(k) : 1.0f;
    });
    EXPECT_NEAR(CoverageAngle(*src, kHorizontalPlot, kBand).value_or(-1), c["horizontal"], 0.005);
    EXPECT_NEAR(CoverageAngle(*src, kVerticalPlot, kBand).value_or(-1), c["vertical"], 0.005);
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
