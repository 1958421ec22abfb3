// The polar curves: single planes of the selected band's balloon, in dB
// below the plane's maximum, on a 0..50 scale.
#pragma once

#include <array>
#include <vector>

#include "core/Platform.h"
#include "core/Source.h"

namespace fonderel {

// 50 + 10·log10(v / vmax) for each of the 36 samples of the plane, or 1 for a
// sample of 0.00001 or less (and for every sample when vmax is 0).
std::array<double, 36> PolarValues(const Source& src, int plane, int band);

// What a drawing does to the polar windows.
struct PolarDrawing {
  std::vector<int> cleared;                     // windows whose chart is emptied first
  std::vector<std::pair<int, PolarChart>> charts;  // window and what it shows
  bool beep = false;
};

// Planes 0 and 90 degrees in windows 0 and 1, with a short beep.
PolarDrawing DrawTwoPlanes(const Source& src, int band);
// Plane i in window i for all eighteen windows.
PolarDrawing DrawAllPlanes(const Source& src, int band);

}  // namespace fonderel
