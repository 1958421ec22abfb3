#include "iso3744/SoundPower.h"

#include <cmath>

#include "core/NumberText.h"

namespace fonderel {

float SurfaceArea(const Measurement& m) {
  const double a = m.DimA, b = m.DimB, c = m.DimC;
  const double box = 4.0 * (c * b + b * a + c * a);
  switch (m.LayoutPositions ? 0 : m.MicCount) {
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

std::string BandName(int band) {
  return SingleText(BandFreq(band), Lead::None) + " Hz";
}

BackgroundCorrection CorrectionForDifference(double deltaLp) {
  BackgroundCorrection c;
  c.DeltaLp = deltaLp;
  if (std::isnan(deltaLp) || deltaLp > 15.0) return c;
  const double used = deltaLp < 6.0 ? 6.0 : deltaLp;
  c.UpperBound = deltaLp < 6.0;
  c.K1 = -10.0 * std::log10(1.0 - std::pow(10.0, -0.1 * used));
  return c;
}

BackgroundCorrection BandBackground(const AppState& state, int band) {
  const Measurement& m = state.Iso;
  double energy = 0.0;
  for (int mic = 1; mic <= m.MicCount && mic <= kMaxMics; ++mic) {
    energy += std::pow(10.0, state.MicLp(mic, band) / 10.0);
  }
  const double mean = m.MicCount > 0 ? 10.0 * std::log10(energy / m.MicCount) : 0.0;
  if (!m.HasBackground(band)) {
    BackgroundCorrection none;
    none.LpMean = mean;
    return none;
  }
  BackgroundCorrection c = CorrectionForDifference(mean - m.Background(band));
  c.LpMean = mean;
  return c;
}

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
      return std::unexpected(
          "The test room volume must be above 0 when reverberation times are "
          "given (" +
          BandName(b) + " band).");
    }
    const double q4 = result.S * RoomTerm(m, b);  // 4·S/A
    if (!(1.0 + q4 > 0.0) || !std::isfinite(q4)) {
      return std::unexpected("The reverberation time of the " + BandName(b) +
                             " band gives no environmental correction.");
    }
    result.K2(b) = 10.0 * std::log10(1.0 + q4);
    const double k2 = result.K2(b) > kK2Cap ? kK2Cap : result.K2(b);
    result.K2Used(b) = k2;
    result.Background(b) = BandBackground(state, b);
    const double k1 = result.Background(b).K1;
    float energy = 0.0f;
    for (int mic = 1; mic <= n; ++mic) {
      energy += static_cast<float>(std::pow(10.0, state.MicLp(mic, b) / 10.0));
    }
    const float se = result.S * energy;
    if (!(se > 0.0f) || !std::isfinite(se)) {
      return std::unexpected("The microphone levels of the " + BandName(b) +
                             " band give no finite energy sum.");
    }
    lw(b) = static_cast<float>(Decibels(static_cast<double>(se) / n) - k1 - k2);
    totalLin += std::pow(10.0, lw(b) / 10.0);
    totalA += std::pow(10.0, (static_cast<double>(AWeighting(b)) + lw(b)) / 10.0);
  }
  lw(11) = static_cast<float>(Decibels(totalLin));
  lw(12) = static_cast<float>(Decibels(totalA));
  for (int i = 1; i <= 12; ++i) {
    if (!std::isfinite(lw(i))) {
      return std::unexpected(
          std::string("The sound power levels are beyond the range of the "
                      "program; check the microphone levels."));
    }
  }
  state.src.Lw = lw;
  return result;
}

namespace {

std::string Db(double v) {
  return FormatNumber(v, "##0.0") + " dB";
}

// "31.5, 63 Hz" for bands 1 and 2.
std::string BandList(const std::vector<int>& bands) {
  std::string text;
  for (int b : bands) text += (text.empty() ? "" : ", ") + SingleText(BandFreq(b), Lead::None);
  return text + " Hz";
}

}  // namespace

std::vector<std::string> K2Warnings(const Measurement& m, const SoundPowerResult& result) {
  std::vector<std::string> lines;
  std::vector<int> freeField;
  for (int b = 1; b <= kBandCount; ++b) {
    if (m.RevTime(b) == 0.0f) freeField.push_back(b);
    if (result.K2(b) > kK2Limit) {
      std::string line = "The room does not meet the ISO 3744 limit for K2 (4 dB) in the " +
                         BandName(b) + " band: K2 = " + Db(result.K2(b));
      if (result.K2(b) > kK2Cap) line += "; " + Db(kK2Cap) + " is used";
      lines.push_back(line + ".");
    }
  }
  if (freeField.size() == kBandCount) {
    lines.push_back("No reverberation time in any band: taken as free field (K2 = 0 dB).");
  } else if (!freeField.empty()) {
    lines.push_back("No reverberation time in the " + BandList(freeField) +
                    (freeField.size() == 1 ? " band" : " bands") +
                    ": taken as free field (K2 = 0 dB).");
  }
  for (int b = 1; b <= kBandCount; ++b) {
    const BackgroundCorrection& c = result.Background(b);
    if (!c.UpperBound) continue;
    const std::string what = c.DeltaLp <= 0.0 ? "is not under the source level"
                                              : "is less than 6 dB under the source level";
    lines.push_back("The background in the " + BandName(b) + " band " + what + " (" +
                    Db(c.DeltaLp) + "): K1 = " + Db(c.K1) +
                    " is used and Lw there is an upper bound.");
  }
  return lines;
}

}  // namespace fonderel
