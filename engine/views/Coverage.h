// Coverage at a glance: the -6 dB coverage angles of the horizontal and the
// vertical plane and the directivity index, band by band.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/Source.h"

namespace fonderel {

inline constexpr int kHorizontalPlot = 0;
inline constexpr int kVerticalPlot = 9;
inline constexpr double kCoverageDrop = 6.0;  // dB below the on-axis level

// How far one side of a plane reaches, from its 19 samples at 0, 10, ..., 180
// degrees off axis (sample 0 on axis): the angle where the level first falls
// kCoverageDrop below the on-axis level, interpolated linearly in dB between
// the 10-degree points; 180 when it never falls that far. A sample of 0 (or
// below) lies infinitely far below, so the side ends at the point before it.
// nullopt when the on-axis sample is 0: there is no level to fall from.
std::optional<double> CoverageSide(const std::array<float, 19>& side);

// The coverage angle of plot `plot` of a band: the sum of its two sides,
// points 0, 1, ..., 18 and points 0, 35, ..., 18.
std::optional<double> CoverageAngle(const Source& src, int plot, int band);

struct BandCoverage {
  int band = 0;
  float frequency = 0;               // Hz
  std::optional<double> horizontal;  // degrees, plot 0
  std::optional<double> vertical;    // degrees, plot 9
  std::optional<double> DI;          // 10·log10(DirQ), dB; nullopt when DirQ is not positive
};

// One entry per band with data, lowest band first; bands without data are
// left out.
std::vector<BandCoverage> ComputeCoverage(const Source& src);

}  // namespace fonderel
