// libFuzzer target for the SPK reader.
//
// Every input is read into a freshly reset description. A failed read must
// leave the description empty. A successful read is written back with the SPK
// writer and read again; the second read must succeed and give the same
// header, the same band range, the same geometry counts and the balloon values
// of the first read rounded to the writer's four decimals. Any violation traps,
// so libFuzzer records the input as a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/SpkFile.h"
#include "FuzzSupport.h"

namespace {

using namespace fonderel;

using fonderel::fuzz::Require;

// A header string as it comes back after a save: the writer quotes every
// string, so a double quote inside becomes a single quote and a line end a blank.
std::string AsSaved(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '"') c = '\'';
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// The balloon field keeps Int(value * 10000 + 0.5) / 10000; the read-back value
// is that decimal as a 32-bit float, so it may differ from it by float rounding.
bool SameAsWritten(float first, float second) {
  const double expected = std::floor(static_cast<double>(first) * 10000.0 + 0.5) / 10000.0;
  const double magnitude = std::fabs(expected);
  const double tolerance = magnitude >= 1e3 ? 1e-4 * magnitude : 1e-6 * magnitude + 1e-9;
  return std::fabs(static_cast<double>(second) - expected) <= tolerance;
}

// Holes or doors that belong to one of the faces; the writer writes only
// those, each under its face.
template <typename Ints>
int AttachedOpenings(const Ints& onFace, int count, int faces) {
  int attached = 0;
  for (int i = 1; i <= count; ++i) {
    if (onFace(i) >= 1 && onFace(i) <= faces) ++attached;
  }
  return attached;
}

std::unique_ptr<AppState> FreshState(Platform& platform) {
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, true);
  return state;
}

bool IsEmpty(const Source& src) {
  return src.FirstBand == 0 && src.LastBand == 0 && src.BandCount == 0 && src.NFaces == 0 &&
         src.NHoles == 0 && src.NDoors == 0 && src.SourceName.empty() &&
         src.Manufacturer.empty() && src.SourceDate.empty() && src.SourceTime.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  NullPlatform platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  auto first = FreshState(platform);
  if (!ReadSpkBytes(*first, platform, bytes, "fuzz.spk")) {
    Require(IsEmpty(first->src));
    return 0;
  }
  const Source& a = first->src;
  Require(a.FirstBand >= 1 && a.FirstBand <= a.LastBand && a.LastBand <= kBandCount);

  TextLog log;
  const auto saved = SpkBytes(a, log, "fuzz.spk");
  Require(saved.has_value());

  auto second = FreshState(platform);
  Require(ReadSpkBytes(*second, platform, *saved, "fuzz.spk").has_value());
  const Source& b = second->src;

  Require(b.SourceName == AsSaved(a.SourceName));
  Require(b.Manufacturer == AsSaved(a.Manufacturer));
  Require(b.SourceDate == AsSaved(a.SourceDate));
  Require(b.SourceTime == AsSaved(a.SourceTime));
  Require(b.FirstBand == a.FirstBand && b.LastBand == a.LastBand);

  for (int band = 1; band <= kBandCount; ++band) {
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        Require(SameAsWritten(a.BalloonData(p, k, band), b.BalloonData(p, k, band)));
      }
    }
  }

  Require(b.NFaces == a.NFaces);
  Require(b.NHoles == AttachedOpenings(a.HoleFace, a.NHoles, a.NFaces));
  Require(b.NDoors == AttachedOpenings(a.DoorFace, a.NDoors, a.NFaces));
  return 0;
}
