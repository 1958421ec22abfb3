// fonderel-cli create-bz: a parametric (BZ) source written as an SPK file.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddCreateBzCommand(CLI::App& app);

}  // namespace fonderel
