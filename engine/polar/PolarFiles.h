// The polar-plot measurement files of the Interpolate Polar window, chosen by
// the name's extension: PRN (octave H/V plots), TXT (one-third-octave H/V
// plots, summed into octaves) and CSV (three horizontal plots at three
// elevations, which build the whole source at once).
//
// All three are list input: numbers separated by commas, blanks or line ends,
// read one after the other whatever the line structure, except where a whole
// line is skipped. Every reader refuses a file that is shorter than its layout
// or holds text where a number belongs, naming the file and the line; nothing
// is changed then.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"
#include "polar/PolarTables.h"

namespace fonderel {

enum class PolarFormat { Prn, Txt, Csv, Unknown };

// By the last three characters of the path in upper case.
PolarFormat PolarFormatOfPath(const std::string& path);

// The name the result is saved under: the file name's extension (from its
// last full stop) replaced by "SPK"; a name without one gets ".SPK". Folder
// names are never cut, whatever full stops they hold.
std::string PolarResultName(const std::string& path);

// PRN: a title line, then 36 horizontal and 36 vertical records of an angle
// (ignored: record k is at 10·k degrees) and the ten band levels in dB.
std::expected<PolarTables, FileError> ReadPrnPolar(std::string_view bytes, const std::string& file);

// TXT: a title line, then 36 horizontal and 36 vertical records of an angle
// (ignored) and 29 one-third-octave levels in dB. Each octave gets the
// decibel level of its bands' energy sum: band 1 of the first two values, the
// others of three values each.
std::expected<PolarTables, FileError> ReadTxtPolar(std::string_view bytes, const std::string& file);

// CSV: three horizontal plots of 12 azimuths for the octave bands 250 Hz to
// 8 kHz, taken at the elevations 0°, about 20° and -32.4°, interpolated into
// the balloon of bands 4..9. Logs each step; the description changes only
// when the whole file was read and every band has a finite balloon.
std::expected<void, FileError> ReadCsvPolar(AppState& state, Platform& platform,
                                            std::string_view bytes, const std::string& file);

}  // namespace fonderel
