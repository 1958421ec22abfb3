// fonderel-cli iso3744: a noise source from a sound-power measurement.
#pragma once

#include "CliSupport.h"
#include "iso3744/IsoReport.h"

namespace fonderel {

// `iso3744 MEAS [OUT.spk] [--layout F] [--background L1,...] [--json]
// [--report OUT.pdf]`. The report page is painted with Qt: fonderel-cli's
// main installs the writer when it is built with the desktop program.
SubCommand AddIso3744Command(CLI::App& app);
void SetIsoReportWriter(IsoReportWriter writer);

}  // namespace fonderel
