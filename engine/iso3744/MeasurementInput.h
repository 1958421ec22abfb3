// Reading a whole measurement or a microphone layout as "Load from File" and
// the "User" arrangement do, shared by the window and the command-line tool.
#pragma once

#include <expected>
#include <optional>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"
#include "iso3744/MeaFile.h"

namespace fonderel {

// By the path's last three characters (any case): "DAT" a measurement result
// file, "PRN" a comma-separated export, "TXT" a B&K 2260 export.
enum class MeasKind { Result, CommaExport, BkExport, Other };
MeasKind MeasKindOfPath(const std::string& path);

// Reads the file its ending names and, only when all of it was read, takes it
// over into the measurement (and, for a result file, the source header, the
// dimensions, the room volume and Lw). Other endings read nothing.
std::expected<void, FileError> LoadMeasurement(AppState& state, const std::string& path);

// The receivers of a measurement description file or (ending "RAY") a CAD
// geometry file; refused unless they are 1 to 100.
struct LayoutFile {
  Receivers rec;
  std::optional<MeaLayout> mea;  // what a measurement description file adds
};
// A CAD geometry file also replaces the source's enclosing geometry.
std::expected<LayoutFile, FileError> ReadLayoutFile(Source& src, Platform& platform,
                                                    const std::string& path);
// Takes a layout over: the receivers become the microphones (whatever their
// count), their box the dimensions; a measurement description file also
// gives the source position and the room volume. Returns the line that says
// so when the file's room volume replaces a different one.
std::optional<std::string> ApplyLayoutFile(Measurement& m, const LayoutFile& layout,
                                           const std::string& path);

}  // namespace fonderel
