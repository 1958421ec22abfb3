#include "bz/BzCatalogue.h"

#include <algorithm>
#include <cmath>

#include "bz/BzPattern.h"

namespace fonderel {
namespace {

void Line(CatalogueDrawing& d, double x1, double y1, double x2, double y2) {
  d.lines.push_back({x1, y1, x2, y2, 0, 0, 0});
}

void Pattern(CatalogueDrawing& d, int n, double cx, double cy) {
  d.texts.push_back({cx - 61, cy + 46, "BZ" + std::to_string(n)});
  Line(d, cx - 3, cy, cx + 3, cy);
  Line(d, cx, cy - 3, cx, cy + 3);
  // The angle runs in single precision, as the curve's steps do.
  double m = 0;
  const float maxStep = static_cast<float>(kBzPi / 256);
  for (float t = 0; t <= static_cast<float>(kBzPi); t += maxStep) m = std::max(m, BzPattern(n, t));
  if (!(m > 0)) return;
  const float step = static_cast<float>(kBzPi / 32);
  const float end = static_cast<float>(2 * kBzPi + kBzPi / 32);
  bool first = true;
  double px = 0, py = 0;
  for (float t = 0; t <= end; t += step) {
    const double rho = BzPattern(n, t) / m;
    const double x = cx + 62 * rho * std::cos(t);
    const double y = cy + 62 * rho * std::sin(t);
    if (!first) Line(d, px, py, x, y);
    first = false;
    px = x;
    py = y;
  }
}

}  // namespace

CatalogueDrawing DrawBzCatalogue(double pictureWidth, double pictureHeight) {
  CatalogueDrawing d;
  d.scaleHeight = pictureWidth > 0 ? 640 * (pictureHeight / pictureWidth) : 0;
  // The grid: 5 x 2 cells of 128 units.
  Line(d, 0, 0, 639, 0);
  Line(d, 639, 0, 639, 257);
  Line(d, 639, 257, 0, 257);
  Line(d, 0, 257, 0, 0);
  Line(d, 0, 129, 639, 129);
  for (int i = 1; i <= 4; ++i) Line(d, 128 * i - 1, 0, 128 * i - 1, 257);
  // The axis sign in the first cell.
  Line(d, 64, 25, 84, 25);
  Line(d, 84, 25, 79, 20);
  Line(d, 79, 20, 79, 30);
  Line(d, 79, 30, 84, 25);
  d.texts.push_back({84, 25, "x"});
  Line(d, 64, 25, 64, 5);
  Line(d, 64, 5, 59, 10);
  Line(d, 59, 10, 69, 10);
  Line(d, 69, 10, 64, 5);
  d.texts.push_back({50, 1, "y"});
  for (int r = 0; r <= 1; ++r) {
    for (int c = 0; c <= 4; ++c) Pattern(d, 5 * r + c + 1, 128 * c + 64, 128 * r + 64);
  }
  return d;
}

}  // namespace fonderel
