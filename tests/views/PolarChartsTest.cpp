// The polar curves: radial values in dB below the plane's maximum on the
// 0..50 scale, and which windows the two drawings clear and fill.
#include "views/PolarCharts.h"

#include <numeric>

#include "app/CaseData.h"

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

TEST(PolarCharts, RadialValues) {
  for (const auto& c : test::Cases("PolarCharts", "RadialValues/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    auto src = Filled(c["rest"]);
    for (int k = 0; k < 4; ++k) src->BalloonData(5, k, kBand) = c["v"][k];
    src->BalloonData(6, 0, kBand) = 1000;  // other planes and bands take no part
    src->BalloonData(5, 0, kBand + 1) = 1000;
    const auto values = PolarValues(*src, 5, kBand);
    for (int k = 0; k < 4; ++k)
      EXPECT_NEAR(values[static_cast<std::size_t>(k)], c["r"][k], 1e-5) << k;
    EXPECT_NEAR(values[35], c["restValue"], 1e-5);
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
  for (const auto& [chart, point, value] :
       {std::tuple{0, 5, 40}, {0, 3, 50}, {1, 3, 20}, {1, 5, 50}})
    EXPECT_NEAR(d.charts[chart].second.values[point], value, 1e-5) << chart << "," << point;
}

TEST(PolarCharts, AllPlanes) {
  auto src = Filled(1);
  for (int p = 0; p < 18; ++p) src->BalloonData(p, p, kBand) = 0.1f;  // plane p: point p at 40
  const PolarDrawing d = DrawAllPlanes(*src, kBand);
  std::vector<int> zeroTo17(18);
  std::iota(zeroTo17.begin(), zeroTo17.end(), 0);
  EXPECT_EQ(d.cleared, std::vector<int>(zeroTo17.begin() + 1, zeroTo17.end()));
  EXPECT_FALSE(d.beep);
  ASSERT_EQ(Windows(d), zeroTo17);
  for (int i = 0; i < 18; ++i) {
    SCOPED_TRACE(i);
    const PolarChart& chart = d.charts[static_cast<std::size_t>(i)].second;
    EXPECT_EQ(chart.caption, "Angle of plot = " + std::to_string(10 * i) + "\xB0");
    for (int k = 0; k < 36; ++k)
      EXPECT_NEAR(chart.values[static_cast<std::size_t>(k)], k == i ? 40 : 50, 1e-5);
  }
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
