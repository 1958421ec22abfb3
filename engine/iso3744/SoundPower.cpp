#include "iso3744/SoundPower.h"

#include <cmath>

#include "core/NumberText.h"

namespace fonderel {

float SurfaceArea(const Measurement& m) {
  const double a = m.DimA, b = m.DimB, c = m.DimC;
  const double box = 4.0 * (c * b + b * a + c * a);
  switch (m.MicCount) {
    case 8:
      return static_cast<float>(box * (a + b + c) / (a + b + c + 2.0));
    case 10:
      return static_cast<float>(6.283185308 * (2.0 * a) * (2.0 * a));
    default:
      return static_cast<float>(box);
  }
}

double RoomTerm(const Measurement& m, int band) {
  if (m.RevTime(band) == 0.0f) return 0.0;
  return 4.0 * m.RevTime(band) / 0.16 / m.RoomVolume;
}

namespace {

std::string BandName(int band) { return SingleText(BandFreq(band), Lead::None) + " Hz"; }

}  // namespace

std::expected<SoundPowerResult, std::string> ComputeSoundPower(AppState& state) {
  const Measurement& m = state.Iso;
  const int n = m.MicCount;
  if (n < 1 || n > kMaxMics) {
    return std::unexpected("The measurement needs 1 to 100 microphones; it has " +
                           std::to_string(n) + ".");
  }
  SoundPowerResult result;
  result.S = SurfaceArea(m);
  if (!(result.S > 0.0f) || !std::isfinite(result.S)) {
    return std::unexpected(
        "The measurement surface has no area: check the dimensions of the enveloping surface.");
  }
  Indexed<float, 1, 12> lw;
  double totalLin = 0.0, totalA = 0.0;
  for (int b = 1; b <= kBandCount; ++b) {
    if (m.RevTime(b) != 0.0f && !(m.RoomVolume > 0.0f)) {
      return std::unexpected("The test room volume must be above 0 when reverberation times are "
                             "given (" + BandName(b) + " band).");
    }
    const double q4 = result.S * RoomTerm(m, b);  // 4·S/A
    if (!(1.0 + q4 > 0.0) || !std::isfinite(q4)) {
      return std::unexpected("The reverberation time of the " + BandName(b) +
                             " band gives no environmental correction.");
    }
    double k2 = 10.0 * std::log10(1.0 + q4);
    if (k2 > 7.0) k2 = 7.0;
    result.K2(b) = k2;
    float energy = 0.0f;
    for (int mic = 1; mic <= n; ++mic) {
      energy += static_cast<float>(std::pow(10.0, state.MicLp(mic, b) / 10.0));
    }
    const float se = result.S * energy;
    if (!(se > 0.0f) || !std::isfinite(se)) {
      return std::unexpected("The microphone levels of the " + BandName(b) +
                             " band give no finite energy sum.");
    }
    lw(b) = static_cast<float>(Decibels(static_cast<double>(se) / n) - k2);
    totalLin += std::pow(10.0, lw(b) / 10.0);
    totalA += std::pow(10.0, (static_cast<double>(AWeighting(b)) + lw(b)) / 10.0);
  }
  lw(11) = static_cast<float>(Decibels(totalLin));
  lw(12) = static_cast<float>(Decibels(totalA));
  for (int i = 1; i <= 12; ++i) {
    if (!std::isfinite(lw(i))) {
      return std::unexpected(std::string("The sound power levels are beyond the range of the "
                                         "program; check the microphone levels."));
    }
  }
  state.src.Lw = lw;
  return result;
}

std::vector<std::string> K2Warnings(const SoundPowerResult& result) {
  std::vector<std::string> lines;
  for (int b = 1; b <= kBandCount; ++b) {
    if (result.K2(b) > kK2Limit) {
      lines.push_back("The room does not meet the ISO 3744 limit for K2 (4 dB) in the " +
                      BandName(b) + " band: K2 = " + FormatNumber(result.K2(b), "##0.0") + " dB.");
    }
  }
  return lines;
}

}  // namespace fonderel
