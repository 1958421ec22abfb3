#include <iostream>

#include "Commands.h"
#ifdef FONDEREL_DATASHEET
#include "Datasheet.h"
#include "DatasheetCommand.h"
#include "IsoReportPage.h"
#include "Iso3744Command.h"
#endif

int main(int argc, char** argv) {
#ifdef FONDEREL_DATASHEET
  // Built beside the desktop program: the datasheet is painted with Qt.
  fonderel::SetDatasheetWriter(fonderel::WriteDatasheet);
  fonderel::SetIsoReportWriter(fonderel::WriteIsoReport);
#endif
  return fonderel::RunCli(argc, argv, std::cout, std::cerr);
}
