// The two polar plots of the Interpolate Polar window, per octave band: the
// level in dB at every 10 degrees of the horizontal and of the vertical plot.
#pragma once

#include "core/BandTables.h"
#include "core/Indexed.h"
#include "core/Source.h"

namespace fonderel {

// Level(k, b): angle 10·k degrees (k = 0..35), band b (1..10), in dB.
using PolarPlot = Indexed2<float, 0, kPoints - 1, 1, kBandCount>;

struct PolarTables {
  PolarPlot HorizPolar;
  PolarPlot VertPolar;
  friend bool operator==(const PolarTables&, const PolarTables&) = default;
};

}  // namespace fonderel
