// libFuzzer target for the octave H/V polar-plot reader (PRN).
//
// Each input is read as a PRN file. A read that succeeds must give finite
// levels only; the tables are then interpolated into a source, which either
// is refused (leaving the description empty) or holds ten bands with finite,
// non-negative balloon values whose largest is the band's Q. Any violation
// traps, so libFuzzer records the input as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "PolarFuzzChecks.h"
#include "polar/PolarFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fonderel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto tables = ReadPrnPolar(bytes, "fuzz.prn");
  if (!tables) {
    fuzzcheck::Require(tables.error().line >= 1);
    return 0;
  }
  fuzzcheck::CheckTablesAndInterpolate(*tables);
  return 0;
}
