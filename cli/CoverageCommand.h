#pragma once

#include "CliSupport.h"

namespace fonderel {

// `coverage FILE [--json]`: the -6 dB coverage angles and the directivity
// index per band with data.
SubCommand AddCoverageCommand(CLI::App& app);

}  // namespace fonderel
