// The instruments' exports that hold every microphone at once:
//  - the comma-separated export (*.prn): nine lines, then one record per
//    microphone: a text whose last five characters are the band 1 level,
//    the levels of bands 2..9, and the overall level T (band 10 is what T
//    holds beyond bands 1..9, or band 9 less 10 dB when it holds nothing more);
//  - the B&K 2260 export (*.txt): tab-ended fields, the first 80 of the first
//    line naming the columns, then one line per microphone (at most 50); the
//    third octaves from the column "LEQ_25HZ" on are summed to octaves, and
//    band 10 takes the 12.5 kHz third octave alone.
#pragma once

#include <expected>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/FileError.h"

namespace fonderel {

using BandLevels = Indexed<float, 1, kBandCount>;

// The levels of every microphone, read completely before any is taken over.
struct ExportLevels {
  std::vector<BandLevels> MicLp;  // microphone 1 at index 0
};

inline constexpr int kBkColumns = 80;  // fields of a B&K 2260 line that are read
inline constexpr int kBkLines = 50;    // microphones of a B&K 2260 export

std::expected<ExportLevels, FileError> ParsePrnExport(std::string_view bytes, const std::string& file);
std::expected<ExportLevels, FileError> ParseBkExport(std::string_view bytes, const std::string& file);

// Sets MicCount and MicLp(1..N) from the export; the room and the
// dimensions keep their values.
void ApplyExportLevels(AppState& state, const ExportLevels& levels);

}  // namespace fonderel
