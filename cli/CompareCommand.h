// fonderel-cli compare A B [--json] [--tolerance DB]: two sources side by
// side per band; exit 0 when every band is within the tolerance.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddCompareCommand(CLI::App& app);

}  // namespace fonderel
