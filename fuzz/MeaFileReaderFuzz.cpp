// libFuzzer target for the measurement description file reader (*.mea).
//
// The reader works on bytes in memory, so every input is parsed directly. A
// refused input is fine; an accepted one must hold only what the arrays can
// take and finite levels. Any violation traps, so libFuzzer records the input
// as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "iso3744/MeaFile.h"
#include "iso3744/Measurement.h"
#include "FuzzSupport.h"

using fonderel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fonderel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ParseMeaFile(text, "FUZZ.MEA");
  if (!read) return 0;
  Require(read->Rec.NReceivers >= 1 && read->Rec.NReceivers <= kMaxReceivers);
  return 0;
}
