#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads a Modeler 3.0 or 3.1 loudspeaker file (binary, six bands 125 Hz to
// 4 kHz with a quarter balloon each, then the name) into the description,
// which the import dispatch has reset, and asks for the manufacturer in an
// input box (cancelled: left empty). The description changes only when the
// whole file was read; an error names the file and the byte where the read
// went wrong ("byte 1226: ..."). The caller refreshes the views afterwards.
std::expected<void, FileError> ImportModelerFile(AppState& state, Platform& platform,
                                                 const std::string& path);

}  // namespace fonderel
