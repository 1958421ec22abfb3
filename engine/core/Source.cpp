#include "core/Source.h"

#include <cmath>

namespace fonderel {

double Decibels(double x) { return 10.0 * std::log(x) / std::log(10.0); }

double DirectivityIndex(float dirQ) {
  if (!(dirQ > 0.0f)) return kNoDirectivityIndex;
  return Decibels(static_cast<double>(dirQ));
}

}  // namespace fonderel
