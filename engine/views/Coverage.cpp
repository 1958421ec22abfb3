#include "views/Coverage.h"

#include <cmath>

namespace fonderel {

std::optional<double> CoverageSide(const std::array<float, 19>& side) {
  if (!(side[0] > 0.0f)) return std::nullopt;
  const double limit = Decibels(side[0]) - kCoverageDrop;
  double previous = Decibels(side[0]);
  for (std::size_t k = 1; k < side.size(); ++k) {
    const double start = 10.0 * static_cast<double>(k - 1);
    if (!(side[k] > 0.0f)) return start;
    const double level = Decibels(side[k]);
    if (level <= limit) return start + 10.0 * (previous - limit) / (previous - level);
    previous = level;
  }
  return 180.0;
}

std::optional<double> CoverageAngle(const Source& src, int plot, int band) {
  std::array<float, 19> forward{}, backward{};
  for (int k = 0; k <= 18; ++k) {
    forward[static_cast<std::size_t>(k)] = src.BalloonData(plot, k, band);
    backward[static_cast<std::size_t>(k)] = src.BalloonData(plot, (kPoints - k) % kPoints, band);
  }
  const std::optional<double> one = CoverageSide(forward);
  const std::optional<double> other = CoverageSide(backward);
  if (!one || !other) return std::nullopt;
  return *one + *other;
}

std::vector<BandCoverage> ComputeCoverage(const Source& src) {
  std::vector<BandCoverage> bands;
  for (int b = std::max<int>(src.FirstBand, 1); b <= std::min<int>(src.LastBand, kBandCount); ++b) {
    if (!src.BandPresent(b)) continue;
    BandCoverage c{b, BandFreq(b), CoverageAngle(src, kHorizontalPlot, b),
                   CoverageAngle(src, kVerticalPlot, b), std::nullopt};
    if (src.DirQ(b) > 0.0f) c.DI = DirectivityIndex(src.DirQ(b));
    bands.push_back(c);
  }
  return bands;
}

}  // namespace fonderel
