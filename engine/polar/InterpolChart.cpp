#include "polar/InterpolChart.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "polar/PolarInterpolation.h"

namespace fonderel {

double PolarAtan2(double y, double x) {
  if (x == 0.0) return y > 0.0 ? kPolarPi / 2.0 : -kPolarPi / 2.0;
  double a = std::atan(y / x);
  if (x < 0.0) {
    a -= kPolarPi;
    if (a < -kPolarPi) a += 2.0 * kPolarPi;
  }
  return a;
}

namespace {

constexpr double kUnitsPerDb = 5.0;
constexpr double kDegree = kPolarPi / 180.0;

ChartPoint AtAngle(double degrees, double radius) {
  return {radius * std::cos(degrees * kDegree), -radius * std::sin(degrees * kDegree)};
}

}  // namespace

InterpolChart MakeInterpolChart(const std::array<double, kPoints>& values, int currentRow) {
  InterpolChart chart;
  constexpr double r = InterpolChart::kOuterRadius;
  for (int i = 0; i < 6; ++i) {
    chart.diameters.push_back({AtAngle(30.0 * i, r), AtAngle(30.0 * i + 180.0, r)});
  }
  // "0" sits above the axis, clear of the top level's label below it.
  chart.labels = {{"0", {r + 16, -10}, true},
                  {"90", {0, -r - 12}, true},
                  {"180", {-r - 18, 0}, true},
                  {"270", {0, r + 12}, true}};
  double top = -1000000.0;
  for (double v : values) top = std::max(top, v);
  chart.top = top;
  for (int ring = 0; ring < 4; ++ring) {
    chart.labels.push_back({FormatNumber(top - 10.0 * ring, "##0.0"), {180.0 - 50.0 * ring, 3}, false});
  }
  for (int k = 0; k < kPoints; ++k) {
    const double radius = std::max(0.0, (values[static_cast<std::size_t>(k)] - top) * kUnitsPerDb + r);
    chart.curve[static_cast<std::size_t>(k)] = AtAngle(10.0 * k, radius);
  }
  const int row = std::clamp(currentRow, 1, kPoints);
  chart.marker = chart.curve[static_cast<std::size_t>(row - 1)];
  return chart;
}

MousePoint MousePointAt(double x, double y, double top) {
  double angle = PolarAtan2(-y, x) / kDegree;
  if (!std::isfinite(angle)) angle = 0.0;
  while (angle < 0.0) angle += 360.0;
  while (angle >= 360.0) angle -= 360.0;
  int row = static_cast<int>(angle / 10.0 + 0.5) + 1;
  while (row > kPoints) row -= kPoints;
  while (row < 1) row += kPoints;
  const double distance = std::sqrt(x * x + y * y);
  return {row, top - (InterpolChart::kOuterRadius - distance) / kUnitsPerDb};
}

}  // namespace fonderel
