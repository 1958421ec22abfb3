#include "views/PolarCharts.h"

#include <cmath>

#include "core/NumberText.h"

namespace fonderel {
namespace {

PolarChart Chart(const Source& src, int plane, int band, int angle) {
  return {PolarValues(src, plane, band), "Angle of plot =" + IntText(angle) + "\xB0"};
}

bool Drawable(const Source& src, int band) { return Balloon::Holds(band) && src.BandPresent(band); }

}  // namespace

std::array<double, 36> PolarValues(const Source& src, int plane, int band) {
  std::array<double, 36> values{};
  double vmax = 0;
  for (int k = 0; k < kPoints; ++k) vmax = std::max(vmax, static_cast<double>(src.BalloonData(plane, k, band)));
  for (int k = 0; k < kPoints; ++k) {
    const double v = src.BalloonData(plane, k, band);
    values[static_cast<std::size_t>(k)] =
        (v > 0.00001 && vmax > 0) ? 50.0 + 10.0 * std::log10(v / vmax) : 1.0;
  }
  return values;
}

PolarDrawing DrawTwoPlanes(const Source& src, int band) {
  PolarDrawing d;
  d.cleared = {0, 1};
  if (!Drawable(src, band)) return d;
  d.beep = true;
  for (int i = 0; i < 2; ++i) d.charts.emplace_back(i, Chart(src, 9 * i, band, 90 * i));
  return d;
}

PolarDrawing DrawAllPlanes(const Source& src, int band) {
  PolarDrawing d;
  for (int i = 1; i < kPlots; ++i) d.cleared.push_back(i);
  if (!Drawable(src, band)) return d;
  for (int i = 0; i < kPlots; ++i) d.charts.emplace_back(i, Chart(src, i, band, 10 * i));
  return d;
}

}  // namespace fonderel
