// A SOFA directivity (FreeFieldDirectivityTF or GeneralTF, spherical or
// cartesian receivers, a netCDF-4 file) read as a source: per octave band the
// energy mean of |TF|² over the frequency bins inside the band, each balloon
// direction taking its nearest receiver once the receivers are turned into
// the source's frame (SourceView the axis, SourceUp plot 9's up), the balloon
// normalised to a spherical mean of 1.
#pragma once

#include <cstddef>
#include <expected>
#include <string>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"

namespace fonderel {

// Reads the file into the description, which the import dispatch has reset.
// The description changes only when the whole file was read. Lw, sensitivity,
// efficiency and impedance are not in such a file and stay 0.
std::expected<void, FileError> ImportSofaFile(AppState& state, Platform& platform,
                                              const std::string& path);
// The same from a file's bytes in memory; `name` names them in the error.
std::expected<void, FileError> ImportSofaMemory(AppState& state, Platform& platform,
                                                const std::string& name, const std::string& bytes);

// The largest angle (degrees) between a balloon direction and its nearest
// receiver that still counts as spherical coverage.
inline constexpr double kSofaMaxGapDegrees = 25.0;

// The most a file may ask for: receivers (a 1-degree grid has 64 800),
// frequency bins, and values of one measurement (receivers × bins).
inline constexpr std::size_t kSofaMaxReceivers = std::size_t{1} << 20;
inline constexpr std::size_t kSofaMaxBins = std::size_t{1} << 20;
inline constexpr std::size_t kSofaMaxValues = std::size_t{1} << 26;

}  // namespace fonderel
