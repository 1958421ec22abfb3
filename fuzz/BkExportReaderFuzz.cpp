// libFuzzer target for the B&K 2260 export reader.
//
// The reader works on bytes in memory, so every input is parsed directly. A
// refused input is fine; an accepted one must hold only what the arrays can
// take and finite levels. Any violation traps, so libFuzzer records the input
// as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "iso3744/InstrumentExports.h"
#include "iso3744/Measurement.h"
#include "FuzzSupport.h"

using fonderel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fonderel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ParseBkExport(text, "FUZZ.TXT");
  if (!read) return 0;
  Require(!read->MicLp.empty() && read->MicLp.size() <= static_cast<std::size_t>(kBkLines));
  for (const BandLevels& lp : read->MicLp)
    for (int b = 1; b <= kBandCount; ++b) Require(std::isfinite(lp(b)));
  return 0;
}
