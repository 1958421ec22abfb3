// The directivity balloon of the measured noise source: a directivity factor
// per microphone and band from its level against the sound power, the floor
// images carrying half of it, and each balloon direction taking the factor
// of the nearest microphone direction, blended toward the band mean when no
// microphone is near.
#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"

namespace fonderel {

inline constexpr const char* kNeedLayoutText = "You need to load Microphone Locations!";

enum class BalloonOutcome { Built, NoLayout };

// Fills BalloonData, DirQ, BandPresent, Efficiency, the band range and the
// source kind from the measurement and Lw(1..10) (so ComputeSoundPower runs
// first), and stamps the date and time. A "User" arrangement without a layout
// file gives NoLayout and changes nothing. A microphone at the source centre
// or a room term without a room volume is refused with the message to show
// before anything is stored.
std::expected<BalloonOutcome, std::string> BuildNoiseBalloon(AppState& state, const LocalTime& now);

}  // namespace fonderel
