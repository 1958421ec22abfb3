// fonderel-cli attach: a CAD geometry file attached to a source, written as
// an SPK file.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddAttachCommand(CLI::App& app);

}  // namespace fonderel
