// The one operation that brings every open view into line with the source
// description.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

// Does nothing within 0.5 s of its previous run (but asks for one refresh
// once that time has passed), or when no source is loaded (it then only
// records the time).
void RefreshViews(AppState& state, Platform& platform);

// Redraws the balloon when its window is open (also on a resize of it).
void RedrawBalloon(AppState& state, Platform& platform);

// The band's frequency label of the Header fields: " 125 Hz".
std::string BandLabel(int band);

// Seconds from `earlier` to `now` on a clock that wraps at midnight.
double SecondsSince(double earlier, double now);

}  // namespace fonderel
