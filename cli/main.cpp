#include <iostream>

#include "Commands.h"
#ifdef FONDEREL_DATASHEET
#include "Datasheet.h"
#include "DatasheetCommand.h"
#endif

int main(int argc, char** argv) {
#ifdef FONDEREL_DATASHEET
  // Built beside the desktop program: the datasheet is painted with Qt.
  fonderel::SetDatasheetWriter(fonderel::WriteDatasheet);
#endif
  return fonderel::RunCli(argc, argv, std::cout, std::cerr);
}
