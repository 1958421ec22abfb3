// The polar curves: radial values in dB below the plane's maximum on the
// 0..50 scale, and which windows the two drawings clear and fill.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "views/PolarCharts.h"

namespace fonderel {
namespace {

constexpr int kBand = 2;

std::unique_ptr<Source> Filled(float all) {
  auto src = std::make_unique<Source>();
  src->FirstBand = 1;
  src->LastBand = 3;
  src->BandPresent(kBand) = kTrue;
  for (int p = 0; p < 18; ++p)
    for (int k = 0; k < 36; ++k) src->BalloonData(p, k, kBand) = all;
  return src;
}

// The plane's samples (the rest of the 36 take `rest`) and the radial values
// expected at points 0..3.
TEST(PolarCharts, RadialValues) {
  const struct {
    const char* what;
    float rest;
    float v[4];
    double r[4];
    double restValue;
  } cases[] = {
      {"all equal", 2.5f, {2.5f, 2.5f, 2.5f, 2.5f}, {50, 50, 50, 50}, 50},
      {"tenth, thousandth", 1, {10, 1, 0.01f, 10}, {50, 40, 20, 50}, 40},
      {"at or below 0.00001", 1, {0.00001f, 0, -3, 0.000011f}, {1, 1, 1, 50 + 10 * std::log10(0.000011)}, 50},
      // 50 + 10·log10(0.000002) = 50 - 56.99 = -6.99, below the scale's zero.
      {"0.00002 of a maximum 10", 1, {10, 0.00002f, 5, 1}, {50, -6.98970004, 46.98970004, 40}, 40},
      {"all zero", 0, {0, 0, 0, 0}, {1, 1, 1, 1}, 1},
      {"all negative", -1, {-2, -1, -1, -1}, {1, 1, 1, 1}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto src = Filled(c.rest);
    for (int k = 0; k < 4; ++k) src->BalloonData(5, k, kBand) = c.v[k];
    src->BalloonData(6, 0, kBand) = 1000;  // other planes and bands take no part
    src->BalloonData(5, 0, kBand + 1) = 1000;
    const auto values = PolarValues(*src, 5, kBand);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(values[static_cast<std::size_t>(k)], c.r[k], 1e-5) << k;
    EXPECT_NEAR(values[35], c.restValue, 1e-5);
  }
}

std::vector<int> Windows(const PolarDrawing& d) {
  std::vector<int> w;
  for (const auto& [window, chart] : d.charts) w.push_back(window);
  return w;
}

TEST(PolarCharts, TwoPlanes) {
  auto src = Filled(1);
  src->BalloonData(0, 5, kBand) = 0.1f;    // plane 0: point 5 at 40
  src->BalloonData(9, 3, kBand) = 0.001f;  // plane 9: point 3 at 20
  const PolarDrawing d = DrawTwoPlanes(*src, kBand);
  EXPECT_EQ(d.cleared, (std::vector<int>{0, 1}));
  EXPECT_TRUE(d.beep);
  ASSERT_EQ(Windows(d), (std::vector<int>{0, 1}));
  EXPECT_EQ(d.charts[0].second.caption, "Angle of plot = 0\xB0");
  EXPECT_EQ(d.charts[1].second.caption, "Angle of plot = 90\xB0");
  EXPECT_NEAR(d.charts[0].second.values[5], 40, 1e-5);
  EXPECT_NEAR(d.charts[0].second.values[3], 50, 1e-5);
  EXPECT_NEAR(d.charts[1].second.values[3], 20, 1e-5);
  EXPECT_NEAR(d.charts[1].second.values[5], 50, 1e-5);
}

TEST(PolarCharts, AllPlanes) {
  auto src = Filled(1);
  for (int p = 0; p < 18; ++p) src->BalloonData(p, p, kBand) = 0.1f;  // plane p: point p at 40
  const PolarDrawing d = DrawAllPlanes(*src, kBand);
  std::vector<int> oneTo17, zeroTo17;
  for (int i = 0; i < 18; ++i) {
    if (i > 0) oneTo17.push_back(i);
    zeroTo17.push_back(i);
  }
  EXPECT_EQ(d.cleared, oneTo17);
  EXPECT_FALSE(d.beep);
  ASSERT_EQ(Windows(d), zeroTo17);
  for (int i = 0; i < 18; ++i) {
    SCOPED_TRACE(i);
    const PolarChart& chart = d.charts[static_cast<std::size_t>(i)].second;
    EXPECT_EQ(chart.caption, "Angle of plot = " + std::to_string(10 * i) + "\xB0");
    for (int k = 0; k < 36; ++k) EXPECT_NEAR(chart.values[static_cast<std::size_t>(k)], k == i ? 40 : 50, 1e-5);
  }
  EXPECT_EQ(d.charts[17].second.caption, "Angle of plot = 170\xB0");
}

TEST(PolarCharts, BandWithoutDataIsOnlyCleared) {
  auto src = Filled(1);
  src->BandPresent(kBand) = kFalse;
  for (const int band : {kBand, 0, 11}) {
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

}  // namespace
}  // namespace fonderel
