#include "JsonNumbers.h"

#include <charconv>
#include <cmath>

namespace fonderel {

nlohmann::json FloatJson(float value) {
  if (!std::isfinite(value)) return nullptr;
  // The shortest float text, read as a double, is the double whose own
  // shortest text is that same text.
  char buf[32];
  const auto written = std::to_chars(buf, buf + sizeof buf, value);
  double wide = 0;
  std::from_chars(buf, written.ptr, wide);
  if (wide == std::floor(wide) && std::fabs(wide) < 9e15) return static_cast<std::int64_t>(wide);
  return wide;
}

nlohmann::json DoubleJson(double value) {
  if (!std::isfinite(value)) return nullptr;
  return value;
}

}  // namespace fonderel
