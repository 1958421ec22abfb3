// libFuzzer target for the EASE text importer (3.0 and 2.0).
//
// The importer reads a file by its path, so each input is written to one
// in-memory file (memfd) that is read through /proc/self/fd. The loudspeaker
// choice always takes the last name offered. A failed import must leave the
// description empty; a successful one must hold a band range inside 1..10,
// the loudspeaker kind and only finite numbers. Any violation traps, so
// libFuzzer records the input as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "import/EaseImport.h"
#include "FuzzSupport.h"

namespace {

using namespace fonderel;

using fonderel::fuzz::Require;

class ChoosingPlatform : public NullPlatform {
 public:
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) override {
    Require(names.size() >= 2 && names.size() <= 64);
    return names.back();
  }
};

// The one in-memory file every input goes through.
bool IsEmpty(const Source& src) {
  const Source fresh;
  return src.FirstBand == 0 && src.LastBand == 0 && src.BandCount == 0 && src.SourceKind == 0.0f &&
         src.SourceName.empty() && src.Manufacturer.empty() && src.SourceDate.empty() &&
         src.SourceTime.empty() && src.BandPresent == fresh.BandPresent && src.Lw == fresh.Lw &&
         src.BalloonData == fresh.BalloonData;
}

bool AllFinite(const Source& src) {
  for (int b = 1; b <= kBandCount; ++b) {
    if (!std::isfinite(src.Lw(b)) || !std::isfinite(src.Sensitivity(b)) ||
        !std::isfinite(src.Impedance(b)) || !std::isfinite(src.DirQ(b)) ||
        !std::isfinite(src.Efficiency(b))) {
      return false;
    }
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        if (!std::isfinite(src.BalloonData(p, k, b))) return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fonderel::fuzz::MemoryFile input;
  input.Fill(data, size);
  ChoosingPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, true);
  const auto result = ImportEaseFile(*state, platform, input.path);
  const Source& s = state->src;
  if (!result) {
    Require(!result.error().cancelled);
    Require(IsEmpty(s));
    return 0;
  }
  Require(s.FirstBand >= 1 && s.FirstBand <= s.LastBand && s.LastBand <= kBandCount);
  Require(s.BandCount == s.LastBand - s.FirstBand + 1);
  Require(s.SourceKind == 1.0f);
  Require(!s.SourceName.empty());
  Require(AllFinite(s));
  return 0;
}
