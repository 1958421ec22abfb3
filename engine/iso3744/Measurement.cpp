#include "iso3744/Measurement.h"

namespace fonderel {

int ArrangementPosition(int micCount) {
  switch (micCount) {
    case 5:
      return 0;
    case 8:
      return 1;
    case 9:
      return 2;
    case 10:
      return 3;
    default:
      return 4;
  }
}

bool IsStandardArrangement(int micCount) {
  return ArrangementPosition(micCount) < 4;
}

int ArrangementPosition(const Measurement& m) {
  return m.LayoutPositions ? 4 : ArrangementPosition(m.MicCount);
}

bool IsStandardArrangement(const Measurement& m) {
  return ArrangementPosition(m) < 4;
}

}  // namespace fonderel
