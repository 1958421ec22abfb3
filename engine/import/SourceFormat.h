// Which reader a source file goes to, by the last three characters of its
// name compared in upper case: "MDL" Modeler, "SPK" the SPK file, "EAS" EASE,
// "TXT" CATT SD1, anything else (Modeler 3.1 files have no extension) Modeler;
// a name ending in ".sofa" (any case) is a SOFA directivity. "TAB" is CLF
// text, and so is a "TXT" file whose first line is <CLF1> or <CLF2>.
// File Open, File Import and the command-line tool share this table.
#pragma once

#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

enum class SourceFormat { Spk, Modeler, Ease, Catt, Sofa, Clf };

SourceFormat FormatOfPath(const std::string& path);
// File Import's table: the same, except that "SPK" is no test of its own and
// falls to the Modeler reader.
SourceFormat ImportFormatOfPath(const std::string& path);

// The SPK name an imported file is given, so a later Save writes beside it:
// the extension of the file name becomes "SPK" (horn.eas -> horn.SPK); a name
// without extension gets ".SPK" appended. A name ending in "SPK" is kept.
std::string SpkNameForImport(const std::string& path);

// Reads `path` with the reader its name selects. The caller has reset the
// description; on an error it is left as the reader found it.
std::expected<void, FileError> LoadSourceFile(AppState& state, Platform& platform,
                                              const std::string& path, SourceFormat format);
inline std::expected<void, FileError> LoadSourceFile(AppState& state, Platform& platform,
                                                     const std::string& path) {
  return LoadSourceFile(state, platform, path, FormatOfPath(path));
}

}  // namespace fonderel
