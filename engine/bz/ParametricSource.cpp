#include "bz/ParametricSource.h"

#include <cmath>

#include "bz/BzPattern.h"
#include "core/NumberText.h"

namespace fonderel {

BandRange BzBandRange(const BzFunctions& bz) {
  BandRange range;
  for (int k = 1; k <= kBandCount; ++k) {
    if (bz(k) > 0) {
      if (range.first == 0) range.first = k;
      range.last = k;
    }
  }
  return range;
}

std::optional<int> UnusableBzBand(const BzFunctions& bz) {
  const BandRange range = BzBandRange(bz);
  for (int k = range.first; range.first != 0 && k <= range.last; ++k) {
    if (!IsBzPatternNumber(bz(k))) return k;
  }
  return std::nullopt;
}

std::string UnusableBzBandText(int band, float number) {
  return "The band " + SingleText(BandFreq(band), Lead::None) + " Hz has the BZ function number " +
         SingleText(number, Lead::None) +
         ". Every band between the first and the last one used needs a number from 1 to 10.";
}

double LoudspeakerPowerLevel(double watts) { return Decibels(0.03 * watts / 1e-12); }

double SphericalIntegral(double number) {
  const double step = kBzPi / 1024;
  double sum = 0;
  double theta = 0;
  // The angle is accumulated, as the sum is.
  for (int i = 0; i <= 1024; ++i, theta += step) {
    sum += 2 * kBzPi * BzPattern(number, theta) * std::sin(theta) * step;
  }
  return sum;
}

void CreateParametricSource(Source& src, const BzFunctions& bz, bool loudspeaker, double totalLevel) {
  const BandRange range = BzBandRange(bz);
  src.FirstBand = static_cast<std::int16_t>(range.first);
  src.LastBand = static_cast<std::int16_t>(range.last);
  src.SourceKind = loudspeaker ? 1.0f : 0.0f;
  if (range.first == 0) return;
  const double share = Decibels(range.last - range.first + 1);
  for (int k = range.first; k <= range.last; ++k) {
    src.CurBand = static_cast<std::int16_t>(k);
    const double n = bz(k);
    const double s = SphericalIntegral(n);
    for (int j = 0; j < kPoints; ++j) {
      const float value = static_cast<float>(BzPattern(n, j * 2 * kBzPi / 36) / s * 4 * kBzPi);
      for (int p = 0; p < kPlots; ++p) src.BalloonData(p, j, k) = value;
    }
    src.DirQ(k) = src.BalloonData(0, 0, k);
    src.BandPresent(k) = 1;
    src.Efficiency(k) = loudspeaker ? 3.0f : 100.0f;
    src.Lw(k) = static_cast<float>(totalLevel - share);
    // Efficiency and Q are multiplied and divided in single precision.
    const float ratio = src.Efficiency(k) * src.DirQ(k) / 100.0f;
    src.Sensitivity(k) = src.DirQ(k) != 0.0f ? static_cast<float>(Decibels(ratio) + 109) : 0.0f;
  }
}

}  // namespace fonderel
