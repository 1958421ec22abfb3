// fonderel-cli iso3744: a noise source from a sound-power measurement.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddIso3744Command(CLI::App& app);

}  // namespace fonderel
