// fonderel-cli convert IN OUT [--to FORMAT]: any readable source to any
// writable format, chosen by --to or by OUT's extension.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddConvertCommand(CLI::App& app);

}  // namespace fonderel
