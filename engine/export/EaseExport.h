// The EASE 3.0 text writer: one loudspeaker, one record per band, the
// attenuations of half a sphere, the layout that the EASE 3.0 reader takes.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/Source.h"

namespace fonderel {

// The file's bytes (CR LF line ends); `notes` gains one line per thing the
// format cannot carry. `path` names the file in errors.
std::expected<std::string, FileError> EaseBytes(const Source& src, std::vector<std::string>& notes,
                                                const std::string& path);

}  // namespace fonderel
