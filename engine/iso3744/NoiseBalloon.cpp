#include "iso3744/NoiseBalloon.h"

#include <cmath>
#include <vector>

#include "import/ImportCommon.h"
#include "iso3744/MicLayout.h"
#include "iso3744/SoundPower.h"
#include "iso3744/SoundPower.h"

namespace fonderel {

std::expected<BalloonOutcome, std::string> BuildNoiseBalloon(AppState& state, const LocalTime& now) {
  Measurement m = state.Iso;  // positions are worked on in a copy until all is defined
  const int n = m.MicCount;
  if (n < 1 || n > kMaxMics) {
    return std::unexpected("The measurement needs 1 to 100 microphones; it has " +
                           std::to_string(n) + ".");
  }
  if (!PlaceMicrophones(m)) return BalloonOutcome::NoLayout;
  const double xs = m.SrcX, ys = m.SrcY, zs = m.SrcZ;
  std::vector<float> distance(static_cast<std::size_t>(2 * n + 1));
  for (int i = 1; i <= n; ++i) {
    m.MicX(n + i) = m.MicX(i);
    m.MicY(n + i) = m.MicY(i);
    m.MicZ(n + i) = -m.MicZ(i);
    const double dx = m.MicX(i) - xs, dy = m.MicY(i) - ys;
    const double dz = m.MicZ(i) - zs, dzImage = m.MicZ(i) + zs;
    distance[static_cast<std::size_t>(i)] = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    distance[static_cast<std::size_t>(n + i)] =
        static_cast<float>(std::sqrt(dx * dx + dy * dy + dzImage * dzImage));
    if (!(distance[static_cast<std::size_t>(i)] > 0.0f) ||
        !(distance[static_cast<std::size_t>(n + i)] > 0.0f)) {
      return std::unexpected("Microphone " + std::to_string(i) +
                             " (or its floor image) stands at the source centre.");
    }
  }
  // Factors per direction (1..2N) and band, and their mean per band.
  std::vector<Indexed<float, 1, kBandCount>> factor(static_cast<std::size_t>(2 * n + 1));
  Indexed<float, 1, kBandCount> mean;
  for (int b = 1; b <= kBandCount; ++b) {
    if (m.RevTime(b) != 0.0f && !(m.RoomVolume > 0.0f)) {
      return std::unexpected(std::string("The test room volume must be above 0 when reverberation "
                                         "times are given."));
    }
    float sum = 0.0f;
    // The levels carry the background as Lw does before K1 takes it out.
    const double k1 = BandBackground(state, b).K1;
    for (int i = 1; i <= n; ++i) {
      const double r1 = distance[static_cast<std::size_t>(i)];
      const double r2 = distance[static_cast<std::size_t>(n + i)];
      const double d = 1.0 / (12.566370616 * r1 * r1) + 1.0 / (25.132741232 * r2 * r2) + RoomTerm(m, b);
      const float lp = k1 != 0.0 ? static_cast<float>(state.MicLp(i, b) - k1) : state.MicLp(i, b);
      const float f = static_cast<float>(std::pow(10.0, (lp - state.src.Lw(b)) / 10.0) / d);
      if (!std::isfinite(f) || !(d > 0.0)) {
        return std::unexpected("The levels of microphone " + std::to_string(i) +
                               " give no finite directivity factor.");
      }
      factor[static_cast<std::size_t>(i)](b) = f;
      factor[static_cast<std::size_t>(n + i)](b) = f / 2;
      sum += f;
      sum += f / 2;
    }
    mean(b) = sum / static_cast<float>(2 * n);
    if (!std::isfinite(mean(b))) return std::unexpected(std::string("The directivity factors have no finite mean."));
  }
  for (int i = 1; i <= 2 * n; ++i) {
    const double r = distance[static_cast<std::size_t>(i)];
    m.MicX(i) = static_cast<float>((m.MicX(i) - xs) / r);
    m.MicY(i) = static_cast<float>((m.MicY(i) - ys) / r);
    m.MicZ(i) = static_cast<float>((m.MicZ(i) - zs) / r);
  }

  Source& src = state.src;
  for (int b = 1; b <= kBandCount; ++b) src.DirQ(b) = 0.0f;
  constexpr double kPi = 3.141592654;
  for (int p = 0; p < kPlots; ++p) {
    const double theta = 10.0 * p * kPi / 180.0;
    for (int k = 0; k < kPoints; ++k) {
      const double phi = 10.0 * k * kPi / 180.0;
      const double ux = std::cos(phi), uy = std::sin(phi) * std::cos(theta),
                   uz = std::sin(phi) * std::sin(theta);
      double dmin = 6.2831855;
      int nearest = 1;
      for (int i = 1; i <= 2 * n; ++i) {
        const double ey = m.MicY(i) - uy, ex = m.MicX(i) - ux, ez = m.MicZ(i) - uz;
        const double d = std::sqrt(ey * ey + ex * ex + ez * ez);
        if (d < dmin) {
          dmin = d;
          nearest = i;
        }
      }
      for (int b = 1; b <= kBandCount; ++b) {
        const float f = factor[static_cast<std::size_t>(nearest)](b);
        double v = f;
        if (dmin > 0.2) v = v + (dmin - 0.2) * (mean(b) - f) / 0.5;
        // Far from every microphone the blend overshoots the mean; a balloon
        // value is an intensity and never below 0.
        if (v < 0.0) v = 0.0;
        src.BalloonData(p, k, b) = static_cast<float>(v);
        if (static_cast<float>(v) > src.DirQ(b)) src.DirQ(b) = static_cast<float>(v);
      }
    }
  }
  state.Iso.MicX = m.MicX;
  state.Iso.MicY = m.MicY;
  state.Iso.MicZ = m.MicZ;
  state.Iso.SrcX = m.SrcX;
  state.Iso.SrcY = m.SrcY;
  state.Iso.SrcZ = m.SrcZ;
  for (int b = 1; b <= kBandCount; ++b) {
    src.BandPresent(b) = 1;
    src.Efficiency(b) = 100.0f;
  }
  src.FirstBand = 1;
  src.LastBand = kBandCount;
  src.BandCount = kBandCount;
  src.SourceKind = 0.0f;
  src.SourceDate = DateText(now);
  src.SourceTime = TimeText(now);
  return BalloonOutcome::Built;
}

}  // namespace fonderel
