// The CLF1 text writer: octave bands on the 10-degree grid, all arcs.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/Source.h"

namespace fonderel {

// The bytes of a CLF1 text file holding `src` (CR LF line ends, tab between
// fields): every arc (<BALLOON-SYMMETRY> <none>, default arc order), the bands
// of the source within CLF1's range (31.5 Hz to 8 kHz), attenuations in dB
// relative to each band's on-axis value. What the format cannot carry (the
// 16 kHz band, the power level, the efficiency, the geometry, ...) is said in
// one line each appended to `notes`. `path` names the file in errors: a
// source without data, or without a band in the range, cannot be written.
std::expected<std::string, FileError> ClfBytes(const Source& src, std::vector<std::string>& notes,
                                               const std::string& path);

}  // namespace fonderel
