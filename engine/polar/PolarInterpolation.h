// The balloon built from a horizontal and a vertical polar plot per band:
// every plane between them takes a level interpolated linearly (in dB) by its
// angle from the horizontal plane, the balloon is normalised to its mean over
// the sphere, and the mean gives the band's power level.
#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/Platform.h"
#include "polar/PolarTables.h"

namespace fonderel {

// π as the interpolation takes it.
inline constexpr double kPolarPi = 3.141592654;

// Fills bands 1..10 of the description from the tables and logs one line per
// band; the source becomes a loudspeaker with unsaved data. Levels whose
// balloon has no finite mean (far beyond any real level) are refused with a
// text naming the band, and the description is left as it was.
std::expected<void, std::string> InterpolatePolarTables(const PolarTables& tables, AppState& state,
                                                         Platform& platform);

// "Freq. (Hz)= 1000 - Lw=  93.5 Q=     2.5": the centre frequency in 5, the
// power level in 6 and Q in 7 right-aligned characters.
std::string PolarBandLogLine(int band, float lw, float dirQ);

// Makes `work`, holding bands first..last, the current source: a loudspeaker
// stamped with the clock's date and time, not yet saved.
void CommitPolarSource(AppState& state, Platform& platform, Source& work, int first, int last);

// Divides band `band`'s balloon by `mean` and sets DirQ to the largest
// value. False, with the band left as it is, when the mean or a result is not
// a finite positive number.
bool NormaliseBand(Source& src, int band, double mean);

}  // namespace fonderel
