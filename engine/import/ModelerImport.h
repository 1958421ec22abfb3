#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads the file into the description, which the import dispatch has reset.
// The description changes only when the whole file was read; an error names
// the file and the line. The caller refreshes the views afterwards.
std::expected<void, FileError> ImportModelerFile(AppState& state, Platform& platform,
                                               const std::string& path);

}  // namespace fonderel
