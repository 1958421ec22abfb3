// The sound power of the measured source after ISO 3744: the surface of the
// arrangement, the environmental correction K2 per band, the energy mean of
// the microphone levels, and the Lin and A totals, written into Lw(1..12).
#pragma once

#include <expected>
#include <limits>
#include <string>
#include <vector>

#include "core/AppState.h"

namespace fonderel {

// K2 above this is beyond what ISO 3744 accepts for the room; above kK2Cap
// the computation uses kK2Cap.
inline constexpr double kK2Limit = 4.0;
inline constexpr double kK2Cap = 7.0;

// The background correction of one band.
struct BackgroundCorrection {
  double LpMean = 0;  // energy mean of the microphone levels, dB
  double DeltaLp = std::numeric_limits<double>::quiet_NaN();  // LpMean - Lb; NaN without Lb
  double K1 = 0;                                              // dB, 0 without a background level
  bool UpperBound = false;  // DeltaLp under 6 dB: K1 of 6 dB used, Lw is an upper bound
};

// K1 for a level difference: 0 above 15 dB (and for NaN, no background),
// -10·lg(1 - 10^(-DeltaLp/10)) from 6 to 15 dB, the 6 dB value below.
BackgroundCorrection CorrectionForDifference(double deltaLp);
// The correction of band `band` from the microphone levels and Background.
BackgroundCorrection BandBackground(const AppState& state, int band);

struct SoundPowerResult {
  float S = 0.0f;                         // measurement surface, m2
  Indexed<double, 1, kBandCount> K2;      // environmental correction as computed, dB
  Indexed<double, 1, kBandCount> K2Used;  // K2 capped at kK2Cap, the one applied
  Indexed<BackgroundCorrection, 1, kBandCount> Background;
};

// The measurement surface of the arrangement MicCount stands for.
float SurfaceArea(const Measurement& m);

// 4·RevTime(b)/0.16/RoomVolume, the room's share of the levels (4·S/A with
// S = 1 m2); 0 without a reverberation time.
double RoomTerm(const Measurement& m, int band);

// Computes Lw(1..12) of the source description. Input that leaves a term
// undefined (a surface of 0, a room volume of 0 with a reverberation time, an
// energy sum of 0 or beyond the float range, no microphones) is refused with
// the message to show, and Lw is left as it was.
std::expected<SoundPowerResult, std::string> ComputeSoundPower(AppState& state);

// The notes on the computation: one line per band whose K2 exceeds kK2Limit
// (with the capped value used above kK2Cap), one for the bands without a
// reverberation time (free field), one per band whose background is less
// than 6 dB under the source.
std::vector<std::string> K2Warnings(const Measurement& m, const SoundPowerResult& result);

// "63 Hz" for band 2.
std::string BandName(int band);

}  // namespace fonderel
