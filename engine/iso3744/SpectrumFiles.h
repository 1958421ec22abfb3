// The single-microphone spectrum files of the instruments, each giving the ten
// octave-band levels of one microphone:
//  - the text spectrum (*.txt): either the first form, whose line 1 holds
//    "Instrument" in characters 2 to 11 and which lists (frequency, level)
//    pairs from line 9 on, in octaves or third octaves (the bandwidth code at
//    character 19 of line 7); or the second form, a plain table of
//    (frequency, text, level) records from line 15 on;
//  - the labelled spectrum (LD-3200 files, *.prn and any other ending): name,
//    date and one more field, the third-octave labels up to "dB(A)", then the
//    levels of those labels.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "core/BandTables.h"
#include "core/FileError.h"
#include "core/Indexed.h"

namespace fonderel {

struct Spectrum {
  Indexed<float, 1, kBandCount> Lp;          // octave-band levels, dB
  std::optional<std::string> SourceName;     // replaces the source's name when given
  std::optional<std::string> SourceDate;     // replaces the source's date when given
};

// A file with fewer entries than the ten bands need, too many entries, no
// "dB(A)" field or a level sum beyond the float range is refused.
std::expected<Spectrum, FileError> ParseTextSpectrum(std::string_view bytes, const std::string& file);
std::expected<Spectrum, FileError> ParseLabelledSpectrum(std::string_view bytes,
                                                         const std::string& file);
// The reader the path's ending selects: "TXT" (any case) the text spectrum,
// anything else the labelled one.
std::expected<Spectrum, FileError> ReadSpectrumFile(const std::string& path);

// 10·log10 of the energy sum of three levels, as a float; nullopt when the
// sum has no finite logarithm.
std::optional<float> ThirdOctaveSum(double l1, double l2, double l3);

// True when the path's last three characters are `tail` (upper case), in any case.
bool EndsWithUpper(const std::string& path, std::string_view tail);

}  // namespace fonderel
