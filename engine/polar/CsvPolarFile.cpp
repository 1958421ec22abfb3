// Octave 3H polar plots (CSV): three horizontal plots of 12 azimuths, 30
// degrees apart, for the octave bands 250 Hz to 8 kHz, measured at three
// elevations. Layout:
//   two lines, skipped
//   three blocks, the first in the file being plot 3 (-32.4°), then plot 2
//   (above the horizontal plane) and plot 1 (0°); each block:
//     a line skipped, a line written to the log, a line skipped,
//     six records: the band's frequency, then 12 levels in dB.
// Each balloon direction takes the level of its azimuth interpolated within
// each plot, then interpolated by its elevation between the plots and the
// pole (the mean of the three plots at 90° azimuth).
#include <algorithm>
#include <array>
#include <cmath>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/Try.h"
#include "import/ImportCommon.h"
#include "polar/InterpolChart.h"
#include "polar/PolarFiles.h"
#include "polar/PolarInterpolation.h"

namespace fonderel {
namespace {

constexpr int kPlotsRead = 3;
constexpr int kAzimuths = 12;
constexpr int kCsvFirstBand = 4;  // 250 Hz
constexpr int kCsvLastBand = 9;   // 8 kHz

// Level(plot j 1..3, point i 1..12, band 4..9), and the line that holds it.
struct ThreePlots {
  template <typename T>
  using PerLevel =
      std::array<std::array<std::array<T, kAzimuths + 1>, kPlotsRead + 1>, kBandCount + 1>;
  PerLevel<double> level{};
  PerLevel<int> line{};
  double& operator()(int j, int i, int b) { return At(level, j, i, b); }
  int& LineOf(int j, int i, int b) { return At(line, j, i, b); }

 private:
  template <typename T>
  static T& At(PerLevel<T>& a, int j, int i, int b) {
    return a.at(static_cast<std::size_t>(b))
        .at(static_cast<std::size_t>(j))
        .at(static_cast<std::size_t>(i));
  }
};

std::expected<void, FileError> ReadBlock(FieldReader& in, AppState& state, int j,
                                         ThreePlots& plots) {
  TRY(in.SkipLine());
  TRY_READ(title, in.ReadLine());
  state.AddLogLine(title);
  TRY(in.SkipLine());
  for (int b = kCsvFirstBand; b <= kCsvLastBand; ++b) {
    TRY_READ(frequency, in.ReadSingle());
    std::string echo = "Plot " + std::to_string(j) + ":" + SingleText(frequency) + " Hz:";
    for (int i = 1; i <= kAzimuths; ++i) {
      TRY_READ(level, in.ReadSingle());
      plots(j, i, b) = level;
      plots.LineOf(j, i, b) = in.ItemLine();
      echo += SingleText(level);
    }
    state.AddLogLine(echo);
  }
  return {};
}

// The level of plot j at azimuth beta (radians, 0..2π), linear between the
// two measured azimuths around it.
double AzimuthLevel(ThreePlots& plots, int j, int b, double beta) {
  constexpr double kSector = 30.0 * kPolarPi / 180.0;
  const int i = std::clamp(static_cast<int>(beta / kSector) + 1, 1, kAzimuths);
  const int i2 = i == kAzimuths ? 1 : i + 1;
  return plots(j, i, b) + (plots(j, i2, b) - plots(j, i, b)) * (beta - (i - 1) * kSector) / kSector;
}

double ElevationLevel(double e, double pole, double p1, double p2, double p3) {
  if (e <= -32.4) return pole + (p3 - pole) * (e + 90.0) / 57.6;
  if (e <= 0.0) return p3 + (p1 - p3) * (e + 32.4) / 32.4;
  if (e <= 21.45) return p1 + (p2 - p1) * e / 21.45;
  return p2 + (pole - p2) * (e - 20.0) / 70.0;
}

bool BuildBand(ThreePlots& plots, Source& src, int b) {
  constexpr double kStep = 10.0 * kPolarPi / 180.0;
  constexpr double kOneDegree = 0.0174533;
  src.Sensitivity(b) = 0.0f;
  const double pole = (plots(1, 4, b) + plots(2, 4, b) + plots(3, 4, b)) / 3.0;
  double s = 0.0, w = 0.0;
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const double theta = k * kStep, phi = p * kStep;
      const double weight =
          9.0 * std::fabs(std::cos(theta) - std::cos(theta + kStep)) * 6.283185308;
      const double x = std::cos(theta);
      const double y = std::sin(theta) * std::cos(phi);
      const double z = std::sin(theta) * std::sin(phi);
      const double e = PolarAtan2(z, std::sqrt(x * x + y * y)) * 180.0 / kPolarPi;
      double beta = std::fabs(y) < kOneDegree ? (x >= 0.0 ? 0.0 : kPolarPi) : PolarAtan2(y, x);
      if (beta < 0.0) beta += 2.0 * kPolarPi;
      const double level =
          ElevationLevel(e, pole, AzimuthLevel(plots, 1, b, beta), AzimuthLevel(plots, 2, b, beta),
                         AzimuthLevel(plots, 3, b, beta));
      const float value = static_cast<float>(std::pow(10.0, level / 10.0));
      if (!std::isfinite(value)) return false;
      src.BalloonData(p, k, b) = value;
      s += weight * value;
      w += weight;
    }
  }
  const double mean = s / w;
  // The power through a sphere of radius 3 m.
  const float lw = static_cast<float>(Decibels(9.0 * 4.0 * kPolarPi * mean));
  if (!std::isfinite(lw) || !NormaliseBand(src, b, mean)) return false;
  src.Efficiency(b) = static_cast<float>(s / 100.0);
  src.Lw(b) = lw;
  src.BandPresent(b) = kTrue;
  return true;
}

// Why band b gives no balloon: the first level in the file whose intensity
// is beyond the single-precision range, or else the first that vanishes in
// it; the error stands at the line that holds that level.
FileError OutOfRange(ThreePlots& plots, int b, const FieldReader& in) {
  for (const bool tooLoud : {true, false}) {
    for (int j = kPlotsRead; j >= 1; --j) {
      for (int i = 1; i <= kAzimuths; ++i) {
        const float intensity = static_cast<float>(std::pow(10.0, plots(j, i, b) / 10.0));
        if (tooLoud ? !std::isfinite(intensity) : intensity == 0.0f) {
          return in.ErrorAt(
              plots.LineOf(j, i, b),
              "the level " + SingleText(static_cast<float>(plots(j, i, b)), Lead::None) +
                  " dB at " + SingleText(BandFreq(b), Lead::None) + " Hz is out of range (too " +
                  (tooLoud ? "high" : "low") + "): the band gives no finite balloon");
        }
      }
    }
  }
  return in.ErrorAt(
      plots.LineOf(kPlotsRead, 1, b),
      "the levels of " + SingleText(BandFreq(b), Lead::None) + " Hz give no finite balloon");
}

}  // namespace

std::expected<void, FileError> ReadCsvPolar(AppState& state, Platform& platform,
                                            std::string_view bytes, const std::string& file) {
  state.AddLogLine("");
  state.AddLogLine("Reading 3 octave-bands horizontal polar plots from: " + file + "...");
  FieldReader in(bytes, file);
  TRY(in.SkipLine());
  TRY(in.SkipLine());
  ThreePlots plots;
  for (int j = kPlotsRead; j >= 1; --j) TRY(ReadBlock(in, state, j, plots));
  state.AddLogLine("");

  Source work = state.src;
  for (int b = kCsvFirstBand; b <= kCsvLastBand; ++b) {
    if (!BuildBand(plots, work, b)) return std::unexpected(OutOfRange(plots, b, in));
    state.AddLogLine(PolarBandLogLine(b, work.Lw(b), work.DirQ(b)));
  }
  CommitPolarSource(state, platform, work, kCsvFirstBand, kCsvLastBand);
  return {};
}

}  // namespace fonderel
