// The one operation that brings every open view into line with the source
// description.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

// Does nothing within 0.5 s of its previous run (but asks for one refresh
// once that time has passed). Without a source loaded it records the time
// and leaves the views empty.
void RefreshViews(AppState& state, Platform& platform);

// The band fields of the Header window before any data.
inline constexpr const char* kEmptyLoBand = "31.5 Hz";
inline constexpr const char* kEmptyHiBand = "16000 Hz";

// Every view shows the empty description: no name or manufacturer and the
// band fields as before any data in the Header window, empty Info
// and DATAs tables, no balloon and no curves. Run by the source reset, so no
// window keeps showing a source that is no longer in memory.
void ShowEmptySource(AppState& state, Platform& platform);

// Redraws the balloon when its window is open (also on a resize of it).
void RedrawBalloon(AppState& state, Platform& platform);

// The band's frequency label of the Header fields: " 125 Hz".
std::string BandLabel(int band);

// Seconds from `earlier` to `now` on a clock that wraps at midnight.
double SecondsSince(double earlier, double now);

}  // namespace fonderel
