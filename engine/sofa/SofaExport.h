// The source's balloon as a SOFA file of the FreeFieldDirectivityTF
// convention (version 1.1 of SOFA 2.1): one measurement, the 614 directions
// of the balloon as receivers, the bands whose balloon holds energy as
// frequencies, magnitudes √(v / mean) relative to the band's spherical mean
// and no phase.
#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Writes safely: the file appears whole or not at all, and an existing file
// is replaced only when the new one is complete. `version` is the program's.
std::expected<void, FileError> WriteSofaFile(const Source& src, const std::string& path,
                                             const LocalTime& now, const std::string& version);

// The file's bytes, for a caller that writes them itself.
std::expected<std::string, FileError> SofaBytes(const Source& src, const std::string& path,
                                               const LocalTime& now, const std::string& version);

// "yyyy-mm-dd hh:mm:ss", the date form of SOFA files.
std::string SofaDate(const LocalTime& t);

}  // namespace fonderel
