// libFuzzer target for the octave 3H polar-plot reader (CSV), which builds a
// whole source. A failed read must leave the description empty; a successful
// one holds bands 4..9 with finite, non-negative balloon values whose largest
// is the band's Q. Any violation traps, so libFuzzer records the input as a
// crash.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "PolarFuzzChecks.h"
#include "polar/PolarFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fonderel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  if (const auto read = ReadCsvPolar(*state, platform, bytes, "fuzz.csv"); !read) {
    fuzzcheck::Require(read.error().line >= 1);
    fuzzcheck::Require(!state->src.HasData() && state->src.DataSaved == kTrue &&
                       state->src.BalloonData == Source().BalloonData);
    return 0;
  }
  fuzzcheck::CheckBands(state->src, 4, 9);
  return 0;
}
