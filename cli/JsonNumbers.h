#pragma once

#include <nlohmann/json.hpp>

namespace fonderel {

// A float as the JSON number with the shortest text that reads back to the
// same float (0.1f is written 0.1, not 0.10000000149011612).
nlohmann::json FloatJson(float value);
// A double as JSON; a non-finite value (which the engine never stores) as null.
nlohmann::json DoubleJson(double value);

}  // namespace fonderel
