// The ISO 3744 measurement report on one A4 page, painted like the datasheet
// (the same fonts, header rule and table style) and written as PDF.
#pragma once

#include <QPainter>
#include <expected>
#include <string>

#include "core/FileError.h"
#include "iso3744/IsoReport.h"

namespace fonderel {

void PaintIsoReport(QPainter& painter, const IsoReport& report);

// Writes the page to `path` (UTF-8) safely: the file appears complete or not
// at all. Creates the Qt application it needs when the caller has none.
std::expected<void, FileError> WriteIsoReport(const IsoReport& report, const std::string& path);

}  // namespace fonderel
