#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads a CLF text file (CLF1 or CLF2) into the description, which the import
// dispatch has reset. Every symmetry, both arc orders, half-sphere radiation
// and <nodata> are read; a CLF2 file's thirds are summed as energies into
// octaves and its 5-degree grid is sampled at the balloon's 10-degree
// directions. The description changes only when the whole file was read; an
// error names the file and the line. The caller refreshes the views.
std::expected<void, FileError> ImportClfFile(AppState& state, Platform& platform,
                                             const std::string& path);

}  // namespace fonderel
