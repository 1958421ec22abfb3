// The sound power of the measured source after ISO 3744: the surface of the
// arrangement, the environmental correction K2 per band, the energy mean of
// the microphone levels, and the Lin and A totals, written into Lw(1..12).
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "core/AppState.h"

namespace fonderel {

// K2 above this is beyond what ISO 3744 accepts for the room (the 7 dB cap of
// the computation stays as it is).
inline constexpr double kK2Limit = 4.0;

struct SoundPowerResult {
  float S = 0.0f;                       // measurement surface, m2
  Indexed<double, 1, kBandCount> K2;    // environmental correction per band, dB
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

// One line per band whose K2 exceeds kK2Limit, saying that the room does not
// meet the limit there.
std::vector<std::string> K2Warnings(const SoundPowerResult& result);

}  // namespace fonderel
