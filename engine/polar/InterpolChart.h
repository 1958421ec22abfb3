// The chart of the Interpolate Polar window: the displayed plot drawn on
// rings 10 dB apart, 5 units per dB, with the table's largest value T on the
// outer ring of radius 200. Units have the origin at the centre and Y growing
// downwards; angles run counter-clockwise from the right.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Source.h"

namespace fonderel {

// The arc tangent of y/x in -π..π, with π taken as 3.141592654; x = 0 gives
// π/2 for y > 0 and -π/2 otherwise.
double PolarAtan2(double y, double x);

struct ChartPoint {
  double x = 0, y = 0;
};

struct ChartLine {
  ChartPoint from, to;
};

// A text placed with its top left corner at `at`, or centred on it.
struct ChartLabel {
  std::string text;
  ChartPoint at;
  bool centred = false;
};

struct InterpolChart {
  double top = 0;                                        // T, dB
  std::array<double, 4> circles{50, 100, 150, 200};      // grey rings
  std::vector<ChartLine> diameters;                      // six, every 30 degrees
  std::vector<ChartLabel> labels;                        // angles and levels
  std::array<ChartPoint, kPoints> curve{};               // green, closed
  ChartPoint marker;                                     // red ring of radius 3
  static constexpr double kMarkerRadius = 3;
  static constexpr double kOuterRadius = 200;
};

// The chart of the 36 values (row r at 10·(r - 1) degrees) with the current
// row `currentRow` (1..36) marked. A value more than 40 dB below T lies at
// the centre.
InterpolChart MakeInterpolChart(const std::array<double, kPoints>& values, int currentRow);

// What a mouse press at chart position (x, y) sets: the table row (1..36)
// nearest the pointer's angle and the value whose radius is the pointer's
// distance from the centre, with `top` on the outer ring.
struct MousePoint {
  int row = 1;
  double value = 0;
};
MousePoint MousePointAt(double x, double y, double top);

}  // namespace fonderel
