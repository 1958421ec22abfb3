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
// is shown in an "Import Error" message box here, and its error comes back
// marked cancelled so that it is not shown again. The caller refreshes the
// views afterwards.
std::expected<void, FileError> ImportCattFile(AppState& state, Platform& platform,
                                              const std::string& path);

}  // namespace fonderel
