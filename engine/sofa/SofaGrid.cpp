#include "sofa/SofaGrid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fonderel {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

}  // namespace

UnitVector BalloonDirection(int plot, int point) {
  const double theta = 10.0 * point * kDegree;
  const double phi = 10.0 * plot * kDegree;
  return {std::cos(theta), std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi)};
}

PlotPoint ReceiverPlotPoint(int receiver) {
  if (receiver == kSofaAxisReceiver) return {0, 0};
  if (receiver == kSofaRearReceiver) return {0, 18};
  const int within = receiver % 34;
  return {receiver / 34, within < 17 ? within + 1 : within + 2};
}

std::array<double, 3> SphericalOf(const UnitVector& v) {
  // Round-off (sin 180° is not 0 in doubles) must not turn the poles' azimuth
  // or the horizon's elevation.
  const auto clean = [](double c) { return std::abs(c) < 1e-12 ? 0.0 : c; };
  double azimuth = std::atan2(clean(v.y), clean(v.x)) / kDegree;
  if (azimuth < 0) azimuth += 360.0;
  // Round-off near +x must not give 360 for what is 0.
  if (azimuth >= 360.0) azimuth -= 360.0;
  const double elevation = std::asin(std::clamp(clean(v.z), -1.0, 1.0)) / kDegree;
  return {azimuth, elevation, 1.0};
}

UnitVector FromSpherical(double azimuthDeg, double elevationDeg) {
  const double az = azimuthDeg * kDegree;
  const double el = elevationDeg * kDegree;
  return {std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)};
}

bool FromCartesian(double x, double y, double z, UnitVector& v) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0) || !std::isfinite(length)) return false;
  v = {x / length, y / length, z / length};
  return true;
}

double OctaveEdge(int band) {
  return 1000.0 * std::exp2(band - 6.5);
}

int OctaveBandOf(double hz) {
  for (int band = 1; band <= 10; ++band) {
    if (hz >= OctaveEdge(band) && hz < OctaveEdge(band + 1)) return band;
  }
  return 0;
}

}  // namespace fonderel
