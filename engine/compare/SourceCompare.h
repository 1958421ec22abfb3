// Two sources side by side, band by band: how far apart their power levels,
// directivity factors and balloons are, in decibels. A user checks a
// conversion with it.
#pragma once

#include <vector>

#include "core/Source.h"

namespace fonderel {

struct BandDifference {
  int band = 0;
  bool inA = false, inB = false;  // the band holds data in each source
  double lw = 0.0;                // Lw(B) - Lw(A), dB
  double q = 0.0;                 // 10·log10(Q(B) / Q(A)), dB
  // The largest difference of the balloons, each in dB under its band's
  // largest value with anything deeper than 50 dB counted as -50 dB, and the
  // cell where it lies (the first such cell in plot-then-point order).
  double balloon = 0.0;
  int plot = 0, point = 0;

  // Present in both and no difference larger than `tolerance` dB.
  bool Within(double tolerance) const;
};

// One row per band that holds data in either source, in band order.
std::vector<BandDifference> CompareSources(const Source& a, const Source& b);

// Whether band `band` holds data: inside FirstBand..LastBand and marked present.
bool BandHeldBy(const Source& src, int band);

}  // namespace fonderel
