// The directivity balloon as a wire frame in a fixed oblique projection:
// plane circles coloured from blue (-40 dB) to red (Q), lines across the
// planes in green.
#pragma once

#include <optional>

#include "core/Platform.h"
#include "core/Source.h"

namespace fonderel {

// The picture of band `band` for a Balloon window of the given inner size
// (twips). nullopt when the window is too small to draw in (the picture is
// then left as it was); no segments when the band holds no data.
std::optional<BalloonPicture> DrawBalloon(const Source& src, int band, TwipsSize window);

// The wire-frame radius of a sample: its level relative to Qref over 40 dB,
// 0 at -40 dB and below, 1 at Qref.
double BalloonRadius(float value, double qref);

}  // namespace fonderel
