// fonderel-cli export-sofa IN OUT.sofa: any readable source as a SOFA file.
#pragma once

#include "CliSupport.h"

namespace fonderel {

SubCommand AddExportSofaCommand(CLI::App& app);

}  // namespace fonderel
