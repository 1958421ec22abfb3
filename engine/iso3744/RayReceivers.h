// The receivers of a CAD geometry file (*.ray), for the "User" arrangement.
// The file replaces the source's enclosing geometry as well, as reading it
// for its receivers always has.
#pragma once

#include <expected>
#include <string>

#include "core/FileError.h"
#include "core/Platform.h"
#include "core/Source.h"
#include "iso3744/Measurement.h"

namespace fonderel {

std::expected<Receivers, FileError> ReadRayReceivers(Source& src, Platform& platform,
                                                     const std::string& path);

}  // namespace fonderel
