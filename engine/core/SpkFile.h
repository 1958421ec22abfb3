// The SPK file: the program's own text file for one source description.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads the file into the description, which the caller has reset. The
// description changes only when the whole file was read: on an error it stays
// as it was and the error names the file and line. The caller refreshes the
// views afterwards.
std::expected<void, FileError> ReadSpkFile(AppState& state, Platform& platform,
                                           const std::string& path);
// The same on bytes already in memory; `path` names them in the log and errors.
std::expected<void, FileError> ReadSpkBytes(AppState& state, Platform& platform,
                                            std::string_view bytes, const std::string& path);

// Writes the description. `path` may change (see SpkFileName) and the caller
// keeps the changed path. The file is replaced only when completely written;
// DataSaved becomes true only then.
std::expected<void, FileError> WriteSpkFile(AppState& state, Platform& platform, std::string& path);
// The file's bytes, logging each step as the writer does.
std::expected<std::string, FileError> SpkBytes(const Source& src, TextLog& log,
                                               const std::string& path);

// The extension rule of the writer: a final ".mdl" or ".MDL" becomes ".SPK";
// then a file name (the part after the last '/') without a period, or whose
// first period is its first character, gets ".SPK" appended.
std::string SpkFileName(std::string path);

}  // namespace fonderel
