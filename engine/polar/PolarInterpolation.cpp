#include "polar/PolarInterpolation.h"

#include <cmath>

#include "core/NumberText.h"
#include "import/ImportCommon.h"

namespace fonderel {

std::string PolarBandLogLine(int band, float lw, float dirQ) {
  return "Freq. (Hz)=" + RightAlign(FormatNumber(BandFreq(band), "#####"), 5) + " - Lw=" +
         RightAlign(FormatNumber(lw, "####.#"), 6) + " Q= " +
         RightAlign(FormatNumber(dirQ, "####.##"), 7);
}

void CommitPolarSource(AppState& state, Platform& platform, Source& work, int first, int last) {
  work.FirstBand = static_cast<std::int16_t>(first);
  work.LastBand = static_cast<std::int16_t>(last);
  work.BandCount = static_cast<std::int16_t>(last - first + 1);
  work.SourceKind = 1.0f;
  const LocalTime now = platform.Now();
  work.SourceDate = DateText(now);
  work.SourceTime = TimeText(now);
  work.DataSaved = kFalse;
  state.src = std::move(work);
}

bool NormaliseBand(Source& src, int band, double mean) {
  if (!std::isfinite(mean) || !(mean > 0.0)) return false;
  Balloon scaled = src.BalloonData;
  float largest = 0.0f;
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      float& cell = scaled(p, k, band);
      cell = static_cast<float>(static_cast<double>(cell) / mean);
      if (!std::isfinite(cell)) return false;
      if (cell > largest) largest = cell;
    }
  }
  src.BalloonData = scaled;
  src.DirQ(band) = largest;
  return true;
}

namespace {

// Fills one band; false when its levels give no finite balloon.
bool InterpolateBand(const PolarTables& t, Source& src, int b) {
  constexpr double kStep = 10.0 * kPolarPi / 180.0;
  src.Sensitivity(b) = 0.0f;
  double s = 0.0, w = 0.0;
  for (int k = 0; k < kPoints; ++k) {
    const double weight = std::fabs(std::cos(k * kStep) - std::cos((k + 1) * kStep)) * 6.283185308;
    const int mirrored = (kPoints - k) % kPoints;
    for (int p = 0; p < kPlots; ++p) {
      const double level =
          p <= 8 ? t.HorizPolar(k, b) * (9.0 - p) / 9.0 + t.VertPolar(k, b) * p / 9.0
                 : t.VertPolar(k, b) * (18.0 - p) / 9.0 + t.HorizPolar(mirrored, b) * (p - 9.0) / 9.0;
      const float value = static_cast<float>(std::pow(10.0, level / 10.0));
      if (!std::isfinite(value)) return false;
      src.BalloonData(p, k, b) = value;
      s += weight * value;
      w += weight;
    }
  }
  const double mean = s / w;
  const float lw = static_cast<float>(Decibels(mean) + 100.0);
  if (!std::isfinite(lw) || !NormaliseBand(src, b, mean)) return false;
  src.Efficiency(b) = static_cast<float>(s / 100.0);
  src.Lw(b) = lw;
  src.BandPresent(b) = 1;
  return true;
}

}  // namespace

std::expected<void, std::string> InterpolatePolarTables(const PolarTables& tables, AppState& state,
                                                         Platform& platform) {
  Source work = state.src;
  for (int b = 1; b <= kBandCount; ++b) {
    if (!InterpolateBand(tables, work, b)) {
      return std::unexpected("The levels of " + SingleText(BandFreq(b), Lead::None) +
                             " Hz give no finite balloon; please check them.");
    }
  }
  for (int b = 1; b <= kBandCount; ++b) {
    state.AddLogLine(PolarBandLogLine(b, work.Lw(b), work.DirQ(b)));
  }
  CommitPolarSource(state, platform, work, 1, kBandCount);
  return {};
}

}  // namespace fonderel
