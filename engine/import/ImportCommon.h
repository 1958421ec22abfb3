// What the importers share: the date and time they stamp on a new source.
#pragma once

#include <string>

#include "core/Platform.h"

namespace fonderel {

// "mm-dd-yyyy" and "hh:mm:ss".
std::string DateText(const LocalTime& t);
std::string TimeText(const LocalTime& t);

}  // namespace fonderel
