#include "views/PowerTotals.h"

#include <cmath>

namespace fonderel {

PowerTotals ComputePowerTotals(const Source& src) {
  double lin = 0, a = 0;
  for (int i = 1; i <= kBandCount; ++i) {
    lin += std::pow(10.0, static_cast<double>(src.Lw(i)) / 10.0);
    a += std::pow(10.0, (static_cast<double>(src.Lw(i)) + AWeighting(i)) / 10.0);
  }
  return {Decibels(lin), Decibels(a)};
}

}  // namespace fonderel
