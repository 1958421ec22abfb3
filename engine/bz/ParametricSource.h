// A source built from one BZ pattern per band and one power figure.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/Source.h"

namespace fonderel {

// BzFunction(k): the pattern number chosen for band k, 0 when the band is not used.
using BzFunctions = PerBand<float>;

// The band range of the choice: from the first to the last band whose number
// is above 0; {0, 0} when there is none.
struct BandRange {
  int first = 0, last = 0;
};
BandRange BzBandRange(const BzFunctions& bz);

// A band inside the range whose number names no pattern would have a
// spherical integral of 0 and no balloon: the first such band, if any.
std::optional<int> UnusableBzBand(const BzFunctions& bz);
// What the user is told about that band.
std::string UnusableBzBandText(int band, float number);

// The total sound power level (dB re 1 pW) of a loudspeaker that radiates 3 %
// of its electrical power.
double LoudspeakerPowerLevel(double watts);

// Fills bands first..last of `src`: balloon normalised to its spherical mean,
// DirQ, Efficiency, Lw (the total level shared equally by the bands) and
// Sensitivity. The choice must hold no unusable band.
void CreateParametricSource(Source& src, const BzFunctions& bz, bool loudspeaker, double totalLevel);

// The spherical integral of a pattern over 1025 angles from 0 to pi.
double SphericalIntegral(double number);

}  // namespace fonderel
