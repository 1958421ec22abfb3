// libFuzzer target for the SOFA import, through the netCDF library's open of
// a file held in memory.
//
// Each input is imported into a freshly reset description. A failed import
// must leave the description empty; a successful one must hold a band range
// within 1..10, bands present only inside it, and in every present band a
// balloon of finite values of at least 0 whose mean over the sphere is 1 and
// whose axis value is Q. Any violation traps, so libFuzzer records the input
// as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "sofa/SofaImport.h"

namespace {

using namespace fonderel;
using fonderel::fuzz::Require;

bool IsEmpty(const Source& src) {
  const Source fresh;
  return src.FirstBand == 0 && src.LastBand == 0 && src.BandCount == 0 && src.SourceName.empty() &&
         src.SourceDate.empty() && src.BandPresent == fresh.BandPresent && src.DirQ == fresh.DirQ &&
         src.BalloonData == fresh.BalloonData;
}

double SphericalMean(const Source& src, int band) {
  const auto weight = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int a = 0; a <= 18; ++a) {
      sum += weight(a) * (double{src.BalloonData(p, a, band)} +
                          double{src.BalloonData(p, (36 - a) % 36, band)});
    }
  }
  return sum / 36.0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, true);
  if (!ImportSofaMemory(*state, platform, "fuzz.sofa", bytes)) {
    Require(IsEmpty(state->src));
    return 0;
  }
  const Source& s = state->src;
  Require(s.FirstBand >= 1 && s.FirstBand <= s.LastBand && s.LastBand <= kBandCount);
  Require(s.BandCount == s.LastBand - s.FirstBand + 1);
  Require(s.BandPresent(s.FirstBand) == kTrue && s.BandPresent(s.LastBand) == kTrue);
  for (int k = 1; k <= kBandCount; ++k) {
    const bool inRange = k >= s.FirstBand && k <= s.LastBand;
    Require(inRange || s.BandPresent(k) == kFalse);
    if (s.BandPresent(k) == kFalse) continue;
    for (int p = 0; p < kPlots; ++p) {
      for (int q = 0; q < kPoints; ++q) {
        const float v = s.BalloonData(p, q, k);
        Require(std::isfinite(v) && v >= 0.0f);
      }
    }
    Require(s.DirQ(k) == s.BalloonData(0, 0, k));
    Require(std::abs(SphericalMean(s, k) - 1.0) < 1e-3);
  }
  return 0;
}
