// The one-page datasheet: header, Info table, shaded balloon, polar curves
// and coverage on an A4 page, written as PDF (or SVG for a name ending in
// .svg) with text kept as text and lines as vectors.
#pragma once

#include <QPainter>
#include <expected>
#include <string>

#include "core/FileError.h"
#include "core/Source.h"

namespace fonderel {

// The page in points (A4), for any painter.
inline constexpr double kSheetWidth = 595, kSheetHeight = 842;
void PaintDatasheet(QPainter& painter, const Source& src, int band);

// Writes the page of `band` to `path` (UTF-8) safely: the file appears
// complete or not at all, and an existing file is kept when writing fails.
// Creates the Qt application it needs when the caller has none (fonderel-cli).
std::expected<void, FileError> WriteDatasheet(const Source& src, int band, const std::string& path);

// The same for a path as the file dialogs give it (Windows-1252 bytes).
std::expected<void, FileError> WriteDatasheetFromDialog(const Source& src, int band,
                                                        const std::string& path);

}  // namespace fonderel
