#pragma once

#include "CliSupport.h"
#include "app/DatasheetExport.h"

namespace fonderel {

// `datasheet IN OUT [--band N]`: the one-page datasheet as PDF, or SVG when
// OUT ends in .svg. The page is painted with Qt, which the engine-only build
// of the tool lacks: fonderel-cli's main installs the writer when it is
// built with the desktop program, and without one the command says so.
SubCommand AddDatasheetCommand(CLI::App& app);
void SetDatasheetWriter(DatasheetWriter writer);

}  // namespace fonderel
