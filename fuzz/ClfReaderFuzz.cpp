// libFuzzer target for the CLF text importer.
//
// Every input is written to one in-memory file and imported into a freshly
// reset description. A failed import must leave the description empty; a
// successful one must hold a band range within 1..10 with every band of it
// present, a positive Q equal to the on-axis value, a balloon of finite values
// that are 0 or more, and finite per-band scalars. The writer must then take
// the source back without failing. Any violation traps, so libFuzzer records
// the input as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "export/ClfExport.h"
#include "import/ClfImport.h"

namespace {

using namespace fonderel;
using fonderel::fuzz::MemoryFile;
using fonderel::fuzz::Require;

bool IsEmpty(const Source& src) {
  const Source fresh;
  return src.FirstBand == 0 && src.LastBand == 0 && src.SourceName.empty() &&
         src.SourceDate.empty() && src.BandPresent == fresh.BandPresent && src.Lw == fresh.Lw &&
         src.DirQ == fresh.DirQ && src.Sensitivity == fresh.Sensitivity &&
         src.BalloonData == fresh.BalloonData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  file.Fill(data, size);

  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, true);
  if (!ImportClfFile(*state, platform, file.path)) {
    Require(IsEmpty(state->src));
    return 0;
  }
  const Source& s = state->src;
  Require(s.FirstBand >= 1 && s.FirstBand <= s.LastBand && s.LastBand <= kBandCount);
  Require(s.BandCount == s.LastBand - s.FirstBand + 1);
  for (int k = 1; k <= kBandCount; ++k) {
    const bool inRange = k >= s.FirstBand && k <= s.LastBand;
    Require((s.BandPresent(k) != 0) == inRange);
    Require(std::isfinite(s.Lw(k)) && std::isfinite(s.DirQ(k)) && std::isfinite(s.Sensitivity(k)) &&
            std::isfinite(s.Impedance(k)) && std::isfinite(s.Efficiency(k)));
    if (!inRange) continue;
    Require(s.DirQ(k) > 0.0f && s.DirQ(k) == s.BalloonData(0, 0, k));
    for (int p = 0; p < kPlots; ++p) {
      for (int q = 0; q < kPoints; ++q) {
        const float v = s.BalloonData(p, q, k);
        Require(std::isfinite(v) && v >= 0.0f);
      }
    }
  }
  std::vector<std::string> notes;
  const auto bytes = ClfBytes(s, notes, file.path);
  Require(bytes.has_value() || s.FirstBand == kBandCount);
  return 0;
}
