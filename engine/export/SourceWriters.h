// The formats a source can be written to: one row per format with its name,
// its extension, its file-dialog filter and its writer. `convert`, File ›
// Export and the tests go through this table, so a new format is one writer
// and one row.
#pragma once

#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileError.h"
#include "core/Platform.h"
#include "core/Source.h"
#include "core/TextLog.h"

namespace fonderel {

// What some writers need beyond the source: the time and the program's
// version stamped in the file, and the log the SPK writer reports to.
struct WriteContext {
  LocalTime now;
  std::string version;
  TextLog* log = nullptr;
};

using SourceWriter = std::expected<std::string, FileError> (*)(const Source&,
                                                               std::vector<std::string>& notes,
                                                               const std::string& path,
                                                               const WriteContext&);

struct WritableFormat {
  std::string_view name;       // as --to takes it: "EASE 3.0 text"
  std::string_view extension;  // lower case with its period: ".eas"
  std::string_view filter;     // the file dialog's text: "EASE 3.0 Text Files (*.eas)"
  SourceWriter bytes;
};

std::span<const WritableFormat> WritableFormats();

// The row whose name or extension (with or without its period) is `name`,
// compared without case; nullptr when none.
const WritableFormat* WritableFormatNamed(std::string_view name);
// The row that the extension of `path` names, compared without case. A name
// ending in ".mdl" or without extension is an SPK file (it is written with
// ".SPK", as Save does); nullptr for any other extension.
const WritableFormat* WritableFormatOfPath(const std::string& path);
// "SPK (.spk), SOFA (.sofa), ..." for messages.
std::string WritableFormatList();
// The file dialog filter of every row: "text|*.ext|text|*.ext...".
std::string WritableFormatFilter();
// The 1-based position of `format` in that filter.
int FilterIndexOf(const WritableFormat& format);

// The path a format writes for `path`: the SPK writer's extension rule for
// SPK, `path` itself for the others.
std::string WrittenPath(const WritableFormat& format, const std::string& path);

// Writes `src` in `format` to `path` safely (the file appears whole or not at
// all) and appends to `notes` what the format could not carry.
std::expected<void, FileError> WriteSource(const Source& src, const WritableFormat& format,
                                           const std::string& path, std::vector<std::string>& notes,
                                           const WriteContext& context);

}  // namespace fonderel
