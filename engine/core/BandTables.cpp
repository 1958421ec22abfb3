#include "core/BandTables.h"

#include <cmath>

namespace fonderel {

Indexed<float, 0, 18> ZoneWeight() {
  // Pi is taken to ten digits, as the importers always have.
  const double pi = 3.141592654;
  Indexed<float, 0, 18> w;
  for (int a = 1; a <= 17; ++a) {
    w(a) = static_cast<float>(0.5 * (std::cos((a - 0.5) * pi / 18) - std::cos((a + 0.5) * pi / 18)));
  }
  w(0) = w(18) = static_cast<float>(0.5 * (1 - std::cos(0.5 * pi / 18)));
  return w;
}

int BandOfFrequency(double hz) {
  for (int b = 1; b <= kBandCount; ++b) {
    if (static_cast<double>(BandFreq(b)) == hz) return b;
  }
  return 0;
}

}  // namespace fonderel
