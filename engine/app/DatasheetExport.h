// The one-page datasheet of the source: which bands it shows, and the File
// menu's "Export Datasheet..." command. The page itself is painted by the
// desktop layer, which hands the command its writer.
#pragma once

#include <expected>
#include <functional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Writes the page of `band` to `path` (PDF, or SVG when the name ends in .svg).
using DatasheetWriter =
    std::function<std::expected<void, FileError>(const Source&, int band, const std::string& path)>;

// The band nearest 1 kHz that holds data (the lower one of two as near); 0
// when none does.
int DatasheetBand(const Source& src);

// The bands whose polar curves the page overlays: up to three bands with
// data, the lowest, `band` and the highest (the middle one when `band` is
// itself the lowest or the highest).
std::vector<int> DatasheetPolarBands(const Source& src, int band);

// File › Export Datasheet...: asks where to write, writes the page at the
// band nearest 1 kHz, logs the result and reports a failure.
void FileExportDatasheet(AppState& state, Platform& platform, const DatasheetWriter& write);

}  // namespace fonderel
