// libFuzzer target for the measurement result file reader (*.dat).
//
// The reader works on bytes in memory, so every input is parsed directly. A
// refused input is fine; an accepted one must hold only what the arrays can
// take and finite levels. Any violation traps, so libFuzzer records the input
// as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include "iso3744/MeasFile.h"
#include "core/AppState.h"
#include <memory>

#include "iso3744/MeasFile.h"
#include "iso3744/Measurement.h"
#include "FuzzSupport.h"

using fonderel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fonderel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ParseMeasFile(text, "FUZZ.DAT");
  if (!read) return 0;
  Require(read->MicCount >= 1 && read->MicCount <= kMaxMics);
  Require(static_cast<int>(read->MicLp.size()) == read->MicCount);
  // Taken over and written again, the file reads back. Numbers near the float
  // limit may round beyond it in their written text, so the check keeps to
  // magnitudes a measurement can have.
  const auto small = [](float v) { return std::fabs(v) < 1e6f; };
  for (const auto& row : read->MicLp)
    for (int b = 1; b <= kBandCount; ++b)
      if (!small(row(b)) || !small(read->RevTime(b))) return 0;
  if (read->tail) {
    for (int i = 1; i <= 12; ++i)
      if (!small(read->tail->Lw(i))) return 0;
    if (!small(read->tail->DimA) || !small(read->tail->DimB) || !small(read->tail->DimC) ||
        !small(read->tail->RoomVolume))
      return 0;
  }
  auto state = std::make_unique<AppState>();
  ApplyMeasContent(*state, *read);
  const std::string again = MeasFileText(*state);
  const auto second = ParseMeasFile(again, "AGAIN.DAT");
  Require(second.has_value());
  Require(second->MicCount == read->MicCount);
  Require(second->tail.has_value());
  return 0;
}
