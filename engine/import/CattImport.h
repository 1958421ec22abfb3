#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads a CATT SD1 text file (version 1) into the description, which the
// import dispatch has reset. The description changes only when the whole file
// was read; an error names the file and the line. A wrong first or second line
// comes back with the reader's own message (`ownMessage`), which the "Import
// Error" box shows as it stands. The caller refreshes the
// views afterwards.
std::expected<void, FileError> ImportCattFile(AppState& state, Platform& platform,
                                              const std::string& path);

}  // namespace fonderel
