// A SOFA directivity (FreeFieldDirectivityTF or GeneralTF, spherical or
// cartesian receivers) read as a source: per octave band the energy mean of
// |TF|² over the frequency bins inside the band, each balloon direction taking
// its nearest receiver, the balloon normalised to a spherical mean of 1.
#pragma once

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

// The largest angle (degrees) between a balloon direction and its nearest
// receiver that still counts as spherical coverage.
inline constexpr double kSofaMaxGapDegrees = 25.0;

}  // namespace fonderel
