#include "bz/BzPattern.h"

#include <cmath>

namespace fonderel {

bool IsBzPatternNumber(double number) {
  return number >= 1 && number <= 10 && number == std::floor(number);
}

double BzPattern(double number, double x) {
  if (!IsBzPatternNumber(number)) return 0.0;
  const double c = std::cos(x);
  switch (static_cast<int>(number)) {
    case 1: return std::pow(c, 4);
    case 2: return std::fabs(std::pow(c, 3));
    case 3: return std::pow(c, 2);
    case 4: return std::pow(std::fabs(c), 1.5);
    case 5: return std::fabs(c);
    case 6: return std::fabs(2 * c + 1);
    case 7: return std::fabs(c + 2);
    case 8: return 1.0;
    case 9: return std::fabs(c + 1);
    default: return std::fabs(std::sin(x));  // 10
  }
}

}  // namespace fonderel
