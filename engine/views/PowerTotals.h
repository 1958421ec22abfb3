// The overall sound power levels of the Info table.
#pragma once

#include "core/Source.h"

namespace fonderel {

struct PowerTotals {
  double Lin = 0;  // dB re 1 pW, energetic sum over the ten bands
  double A = 0;    // the same with the A-weighting corrections
};

// Sums over all ten bands, also those outside FirstBand..LastBand, with
// whatever level they hold.
PowerTotals ComputePowerTotals(const Source& src);

}  // namespace fonderel
