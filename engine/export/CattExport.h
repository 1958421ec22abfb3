// The CATT SD1 text writer (version 1): the layout that the SD1 reader takes,
// a full sphere of attenuations per band with one decimal, a level per band.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/Source.h"

namespace fonderel {

// The file's bytes (CR LF line ends); `notes` gains one line per thing the
// format cannot carry. `path` names the file in errors.
std::expected<std::string, FileError> CattBytes(const Source& src, std::vector<std::string>& notes,
                                                const std::string& path);

}  // namespace fonderel
