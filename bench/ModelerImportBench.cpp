// Modeler import throughput: one whole file per iteration, read from disk (the
// page cache after the first iteration), with all six bands carrying a
// directional quarter balloon, as a horn loudspeaker's file does. The time per
// iteration is the time per file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "import/ModelerImport.h"

namespace {

using namespace fonderel;

void PutWord(std::string& bytes, std::size_t at, int value) {
  const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
  bytes[at] = static_cast<char>(u >> 8);
  bytes[at + 1] = static_cast<char>(u & 0xFF);
}

// Six 418-byte band blocks (125 Hz to 4 kHz), then the name at 2510. The
// attenuation falls off with the angle from the axis, faster in the vertical
// half-planes and in the higher bands, and never beyond 40 dB.
std::string HornFile() {
  constexpr double kPi = 3.14159265358979323846;
  std::string bytes(2510, '\0');
  const int hz[] = {125, 250, 500, 1000, 2000, 4000};
  for (int i = 0; i < 6; ++i) {
    const std::size_t block = 418 * static_cast<std::size_t>(i);
    PutWord(bytes, block, 0);
    for (int r = 0; r < 10; ++r) {
      for (int a = 0; a < 19; ++a) {
        const double off = 1.0 - std::cos(kPi * 10.0 * a / 180.0);
        const double widening = 1.0 + 0.8 * std::sin(kPi * 10.0 * r / 180.0);
        const int tenths = static_cast<int>(std::min(400.0, off * 30.0 * (i + 1) * widening));
        PutWord(bytes, block + 2 + 2 * static_cast<std::size_t>(19 * r + a), tenths);
      }
    }
    const int scalars[] = {hz[i], 975 + 5 * i, 80, 20 + 15 * i, 15 + 3 * i, 1000, 1};
    for (int s = 0; s < 7; ++s)
      PutWord(bytes, block + 382 + 2 * static_cast<std::size_t>(s), scalars[s]);
  }
  const std::string name = "BENCH HORN 60x40";
  bytes += static_cast<char>(name.size());
  bytes += name;
  return bytes;
}

struct Fixture {
  NullPlatform platform;
  std::filesystem::path folder;
  std::string path;
  std::size_t fileBytes = 0;
  std::string error;  // set when the fixture could not be built

  Fixture() {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec) /
             ("fonderel-modeler-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      error = "cannot create " + folder.string() + ": " + ec.message();
      return;
    }
    path = (folder / "HORN.MDL").string();
    const std::string bytes = HornFile();
    fileBytes = bytes.size();
    std::ofstream(path, std::ios::binary) << bytes;

    // The file must import whole, or the benchmark would time an early error.
    auto check = std::make_unique<AppState>();
    auto read = ImportModelerFile(*check, platform, path);
    if (!read) {
      error = read.error().Text();
    } else if (check->src.FirstBand != 3 || check->src.LastBand != 8) {
      error = "the benchmark file does not import all six bands";
    }
  }
  ~Fixture() {
    std::error_code ec;
    if (!folder.empty()) std::filesystem::remove_all(folder, ec);
  }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// One import after the reset that precedes every import.
void BM_ImportModelerFile(benchmark::State& state) {
  Fixture& fx = Shared();
  if (!fx.error.empty()) {
    state.SkipWithError(fx.error.c_str());
    return;
  }
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, fx.platform, false);
    auto read = ImportModelerFile(*app, fx.platform, fx.path);
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 3));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fx.fileBytes));
  state.counters["file_bytes"] = static_cast<double>(fx.fileBytes);
}
BENCHMARK(BM_ImportModelerFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
