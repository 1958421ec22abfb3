// The ten axially symmetric directivity patterns ("BZ functions") that a
// parametric source is built from.
#pragma once

namespace fonderel {

// The value of pi that parametric creation and its catalogue use throughout.
inline constexpr double kBzPi = 3.141592654;

// Relative intensity of pattern `number` (1..10) at the angle x (radians) from
// the source axis. Any other number, also one that is not whole, gives 0; the
// creation refuses such numbers before it computes.
double BzPattern(double number, double x);

// True for the numbers 1..10 that name a pattern.
bool IsBzPatternNumber(double number);

}  // namespace fonderel
