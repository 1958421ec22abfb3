// The one-page measurement report of an ISO 3744 sound power: what was
// measured and where, the table of levels and corrections per band, the
// totals with their uncertainty, and the criteria met and failed. Built here
// as texts; the desktop layer paints the page (PDF) and hands its writer to
// the window and the command-line tool.
#pragma once

#include <expected>
#include <functional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/FileError.h"
#include "iso3744/MeasurementGrade.h"
#include "iso3744/SoundPower.h"

namespace fonderel {

struct IsoReport {
  std::string title;                  // the source's name
  std::vector<std::string> header;    // manufacturer, date, measurement file, room, surface
  TextTable table;                    // row 0 the titles, then one row per band
  std::vector<std::string> totals;    // Lin and A with their uncertainty
  std::vector<std::string> criteria;  // the grade and each criterion
  std::vector<std::string> notes;     // the computation's notes
};

// The report of the sound power just computed into state.src.Lw.
IsoReport BuildIsoReport(const AppState& state, const SoundPowerResult& result,
                         const MeasurementGrade& grade);

// Writes the page to `path` (UTF-8) safely: complete or not at all.
using IsoReportWriter =
    std::function<std::expected<void, FileError>(const IsoReport&, const std::string& path)>;

}  // namespace fonderel
