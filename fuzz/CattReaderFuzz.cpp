// libFuzzer target for the CATT SD1 importer.
//
// The importer reads a path, so every input is written to one in-memory file
// (memfd) and read through /proc/self/fd. Each input is imported into a freshly
// reset description. A failed import must leave the description empty; a
// successful one must hold a band range within 1..10 and only finite values,
// with every band of the range present and its balloon filled. Any violation
// traps, so libFuzzer records the input as a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "import/CattImport.h"
#include "FuzzSupport.h"

namespace {

using namespace fonderel;

using fonderel::fuzz::Require;

using fonderel::fuzz::MemoryFile;

bool IsEmpty(const Source& src) {
  const Source fresh;
  return src.FirstBand == 0 && src.LastBand == 0 && src.BandCount == 0 && src.SourceName.empty() &&
         src.SourceDate.empty() && src.SourceKind == 0.0f && src.BandPresent == fresh.BandPresent &&
         src.Lw == fresh.Lw && src.DirQ == fresh.DirQ && src.BalloonData == fresh.BalloonData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  file.Fill(data, size);

  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, true);
  if (!ImportCattFile(*state, platform, file.path)) {
    Require(IsEmpty(state->src));
    return 0;
  }
  const Source& s = state->src;
  Require(s.FirstBand >= 1 && s.FirstBand <= s.LastBand && s.LastBand <= kBandCount);
  Require(s.BandCount == s.LastBand - s.FirstBand + 1);
  for (int k = 1; k <= kBandCount; ++k) {
    const bool inRange = k >= s.FirstBand && k <= s.LastBand;
    Require(s.BandPresent(k) == (inRange ? 1 : 0));
    Require(std::isfinite(s.Lw(k)) && std::isfinite(s.DirQ(k)));
    if (!inRange) continue;
    Require(s.DirQ(k) > 0.0f);
    float largest = 0.0f;
    for (int p = 0; p < kPlots; ++p) {
      for (int q = 0; q < kPoints; ++q) {
        const float v = s.BalloonData(p, q, k);
        Require(std::isfinite(v) && v >= 0.0f);
        if (v > largest) largest = v;
      }
    }
    Require(largest == s.DirQ(k));
    Require(s.BalloonData(0, 0, k) > 0.0f);
  }
  return 0;
}
