// What the importers share: the date and time they stamp on a new source, and
// clearing the band data a file is about to fill.
#pragma once

#include <string>

#include "core/Platform.h"
#include "core/Source.h"

namespace fonderel {

// "mm-dd-yyyy" and "hh:mm:ss".
std::string DateText(const LocalTime& t);
std::string TimeText(const LocalTime& t);

// Empties every band (range, presence, scalars, balloon) and the overall
// levels, so band data come from the file read alone.
void ClearBandData(Source& src);

}  // namespace fonderel
