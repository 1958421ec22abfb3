// Convert throughput of each writer of the export table: a ten-band
// loudspeaker (31.5 Hz to 16 kHz, a horn-like balloon with measured-looking
// digits) turned into the file's bytes, one whole file per iteration. The
// SOFA writer goes through the netCDF library and a scratch file, as it
// does when a user converts.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "export/SourceWriters.h"

namespace {

using namespace fonderel;

Source TenBandHorn() {
  constexpr double kPi = 3.14159265358979323846;
  Source src;
  src.SourceName = "BENCH HORN 60x40";
  src.Manufacturer = "Bench";
  src.SourceKind = 1.0f;
  src.FirstBand = 1;
  src.LastBand = 10;
  std::uint64_t jitter = 0x5EED;
  for (int b = 1; b <= kBandCount; ++b) {
    src.BandPresent(b) = -1;
    src.Lw(b) = 100.0f + 0.7f * static_cast<float>(b);
    src.DirQ(b) = 2.0f + static_cast<float>(b);
    src.Sensitivity(b) = 95.0f;
    src.Impedance(b) = 8.0f;
    src.Efficiency(b) = 1.5f;
    for (int p = 0; p < kPlots; ++p) {
      const double width = 0.6 + 0.4 * std::pow(std::cos(kPi * p / 18.0), 2);
      for (int k = 0; k < kPoints; ++k) {
        jitter = jitter * 6364136223846793005ULL + 1442695040888963407ULL;
        const double off = 1.0 - std::cos(kPi * 10.0 * k / 180.0);
        const double db = -std::fmin(40.0, off * (2.0 + 1.5 * b) / width) -
                          static_cast<double>(jitter >> 40) / static_cast<double>(1ULL << 24);
        src.BalloonData(p, k, b) = static_cast<float>(std::pow(10.0, db / 10.0));
      }
    }
  }
  return src;
}

void BM_Convert(benchmark::State& state, const WritableFormat* format) {
  static const Source src = TenBandHorn();
  const WriteContext context{{2026, 12, 7, 12, 0, 0}, "bench", nullptr};
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> notes;
    auto written = format->bytes(src, notes, "BENCH" + std::string(format->extension), context);
    if (!written) {
      state.SkipWithError(written.error().Text().c_str());
      break;
    }
    bytes = written->size();
    benchmark::DoNotOptimize(written->data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.counters["file_bytes"] = static_cast<double>(bytes);
}

const bool kRegistered = [] {
  for (const WritableFormat& format : WritableFormats()) {
    benchmark::RegisterBenchmark(("BM_Convert/" + std::string(format.name)).c_str(), BM_Convert,
                                 &format)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
