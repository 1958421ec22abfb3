// How the balloon's directions meet a SOFA file's receivers. Point k of plot p
// lies at θ = 10k° from the axis in the plane turned by φ = 10p° about it:
// the unit vector (cos θ, sin θ·cos φ, sin θ·sin φ), the axis being +x and
// plot 9 holding +z. An exported file lists every direction once: points
// 1..17 and 19..35 of the 18 plots (612 receivers), then the axis and the rear.
#pragma once

#include <array>

namespace fonderel {

struct UnitVector {
  double x = 0, y = 0, z = 0;
};

inline constexpr int kSofaReceivers = 614;
inline constexpr int kSofaAxisReceiver = 612;
inline constexpr int kSofaRearReceiver = 613;

UnitVector BalloonDirection(int plot, int point);

// The plot and point an exported receiver stands for (the axis: point 0, the
// rear: point 18, both with plot 0).
struct PlotPoint {
  int plot = 0, point = 0;
};
PlotPoint ReceiverPlotPoint(int receiver);

// SOFA's spherical coordinates of a unit vector: azimuth = atan2(y, x) in
// 0..360°, elevation = asin z in degrees, radius 1 m.
std::array<double, 3> SphericalOf(const UnitVector& v);
// The unit vector of spherical (azimuth°, elevation°) or of cartesian (x, y, z);
// false when the cartesian point is the origin, which has no direction.
UnitVector FromSpherical(double azimuthDeg, double elevationDeg);
bool FromCartesian(double x, double y, double z, UnitVector& v);

// The octave band (1..10) a frequency belongs to, or 0 outside 31.5 Hz..16 kHz.
// The bands are base-2 octaves about 1 kHz, each from its lower edge up to but
// not including the next band's lower edge, so every frequency has one band.
int OctaveBandOf(double hz);
// The lower edge of band 1..10 (11: the upper edge of band 10), in Hz.
double OctaveEdge(int band);

}  // namespace fonderel
