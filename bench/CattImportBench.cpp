// CATT SD1 import of a ten-band file (31.5 Hz to 16 kHz, 684 attenuations per
// band with two decimals, as an export writes them). Each iteration imports the
// whole file into a freshly reset description, so the time per iteration is the
// time per file (from the page cache after the first iteration).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "import/CattImport.h"

namespace {

using namespace fonderel;

// A horn-like pattern: attenuation growing away from the axis, the faster
// the higher the band, a little wider in one plane than the other.
std::string TenBandFile() {
  constexpr double kPi = 3.14159265358979323846;
  std::string out =
      "CATT-SD1\r\nVERSION = 1\r\nNAME = BENCH HORN 60x40\r\nbenchmark file\r\n"
      "Octave band centre frequencies <31.5 63 125 250 500 1000 2000 4000 8000 16000\r\n"
      "LEVELS dB re 1pW:";
  for (int b = 0; b < 10; ++b) {
    char field[8];
    std::snprintf(field, sizeof field, "%s%5.1f", b ? " " : "", 80.0 + 1.7 * b);
    out += field;
  }
  out += "\r\nline 7\r\nline 8\r\nline 9\r\n";
  for (int b = 0; b < 10; ++b) {
    out += "band " + std::to_string(b + 1) + "\r\n  h\\a 0 10 20 30 ... 180\r\n";
    for (int h = 0; h < 36; ++h) {
      const double width =
          0.6 + 0.4 * std::cos(kPi * 10.0 * h / 180.0) * std::cos(kPi * 10.0 * h / 180.0);
      for (int a = 0; a < 19; ++a) {
        const double off = 1.0 - std::cos(kPi * 10.0 * a / 180.0);
        const double x = std::fmin(40.0, off * (2.0 + 1.5 * b) / width);
        char field[16];
        std::snprintf(field, sizeof field, "%s%6.2f", a ? " " : "", x);
        out += field;
      }
      out += "\r\n";
    }
  }
  return out;
}

struct Fixture {
  std::filesystem::path folder;
  std::string path;
  std::size_t bytes = 0;
  std::string error;

  Fixture() {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec) /
             ("fonderel-catt-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      error = "cannot create " + folder.string() + ": " + ec.message();
      return;
    }
    path = (folder / "BENCH.TXT").string();
    const std::string text = TenBandFile();
    bytes = text.size();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size())
      error = "cannot write " + path;
    if (f) std::fclose(f);
  }
  ~Fixture() {
    std::error_code ec;
    if (!folder.empty()) std::filesystem::remove_all(folder, ec);
  }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;
};

void BM_ImportCattFile(benchmark::State& state) {
  static Fixture fx;
  if (!fx.error.empty()) {
    state.SkipWithError(fx.error.c_str());
    return;
  }
  NullPlatform platform;
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, platform, false);
    auto read = ImportCattFile(*app, platform, fx.path);
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    if (app->src.LastBand != 10) {
      state.SkipWithError("the benchmark file did not give ten bands");
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 10));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fx.bytes));
  state.counters["file_bytes"] = static_cast<double>(fx.bytes);
}
BENCHMARK(BM_ImportCattFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
