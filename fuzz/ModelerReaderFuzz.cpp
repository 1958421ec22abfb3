// libFuzzer target for the Modeler importer.
//
// The importer reads from a path, so every input is written to one in-memory
// file (memfd) that the importer opens through /proc/self/fd. A failed import
// must leave the description as it was (empty); a successful one must hold a
// band range inside 3..8 with data in its first and last band, a balloon of
// finite, non-negative values with mean 1 over the sphere for each band with
// data, and finite scalars. Any violation traps, so libFuzzer records the
// input as a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "import/ModelerImport.h"
#include "FuzzSupport.h"

namespace {

using namespace fonderel;

using fonderel::fuzz::Require;

// The manufacturer box answers with a fixed text, so the import runs to its end.
class AnsweringPlatform : public NullPlatform {
 public:
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::string("Fuzz");
  }
};

bool IsEmpty(const Source& src) {
  if (src.FirstBand != 0 || src.LastBand != 0 || src.BandCount != 0 || !src.SourceName.empty() ||
      !src.Manufacturer.empty() || !src.SourceDate.empty() || src.SourceKind != 0.0f)
    return false;
  for (int b = 1; b <= kBandCount; ++b) {
    if (src.BandPresent(b) != 0 || src.Lw(b) != 0.0f || src.DirQ(b) != 0.0f ||
        src.Efficiency(b) != 0.0f || src.BalloonData(0, 0, b) != 0.0f)
      return false;
  }
  return true;
}

double SphereMean(const Source& src, int band) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p)
    for (int a = 0; a <= 18; ++a)
      sum += (static_cast<double>(src.BalloonData(p, a, band)) +
              static_cast<double>(src.BalloonData(p, (36 - a) % 36, band))) *
             static_cast<double>(w(a));
  return sum / 36.0;
}

int MemoryFile() {
  static const int fd = ::memfd_create("modeler-fuzz", 0);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = MemoryFile();
  Require(fd >= 0);
  Require(::ftruncate(fd, 0) == 0);
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::pwrite(fd, data + written, size - written, static_cast<off_t>(written));
    Require(n > 0);
    written += static_cast<std::size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);

  AnsweringPlatform platform;
  auto state = std::make_unique<AppState>();
  if (!ImportModelerFile(*state, platform, path)) {
    Require(IsEmpty(state->src));
    return 0;
  }
  const Source& src = state->src;
  Require(src.FirstBand >= 3 && src.FirstBand <= src.LastBand && src.LastBand <= 8);
  Require(src.BandCount == src.LastBand - src.FirstBand + 1);
  Require(src.BandPresent(src.FirstBand) != 0 && src.BandPresent(src.LastBand) != 0);
  Require(src.Manufacturer == "Fuzz" && src.SourceKind == 1.0f);
  for (int b = 1; b <= kBandCount; ++b) {
    for (float v :
         {src.Lw(b), src.DirQ(b), src.Efficiency(b), src.Impedance(b), src.Sensitivity(b)})
      Require(std::isfinite(v));
    if (src.BandPresent(b) == 0) {
      Require(src.Lw(b) == 0.0f);
      continue;
    }
    Require(b >= 3 && b <= 8 && src.DirQ(b) > 0.0f && src.Efficiency(b) > 0.0f);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k)
        Require(std::isfinite(src.BalloonData(p, k, b)) && src.BalloonData(p, k, b) >= 0.0f);
    Require(std::fabs(SphereMean(src, b) - 1.0) < 1e-3);
  }
  return 0;
}
