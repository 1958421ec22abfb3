// fonderel-cli interpolate IN OUT.spk: a source built from a polar-plot
// measurement file (PRN, TXT or CSV) as the Interpolate Polar window builds
// it with its defaults, written as an SPK file.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddInterpolateCommand(CLI::App& app);

}  // namespace fonderel
