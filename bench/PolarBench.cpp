// The polar-plot measurement files and the interpolation of the Interpolate
// Polar window: reading a PRN, a TXT and a CSV file of the full layout (from
// memory, as the reader gets the file's bytes), and building the balloon of
// all ten bands from a horizontal and a vertical plot. Time per iteration is
// time per file or per interpolation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "polar/PolarFiles.h"
#include "polar/PolarInterpolation.h"

namespace {

using namespace fonderel;

// A horn-like level in dB: falling away from the axis, the faster the higher
// the band.
double Level(int k, int band, double narrowing) {
  const double off = 1.0 - std::cos(3.14159265358979 * 10.0 * k / 180.0);
  return 90.0 + band - off * (1.0 + narrowing * band);
}

std::string Number(double v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

std::string HvFile(int values, bool thirds) {
  std::string out = "MLSSA polar export\r\n";
  for (double narrowing : {1.5, 3.0}) {
    for (int k = 0; k < 36; ++k) {
      out += std::to_string(10 * k);
      for (int i = 0; i < values; ++i) {
        const int band = thirds ? (i < 2 ? 1 : 2 + (i - 2) / 3) : i + 1;
        out += "," + Number(Level(k, band, narrowing) - (thirds ? 4.77 : 0.0));
      }
      out += "\r\n";
    }
  }
  return out;
}

std::string CsvFile() {
  std::string out = "MLSSA 3H polar export\r\nthree elevations\r\n";
  for (double narrowing : {2.0, 1.0, 1.5}) {
    out += "\r\nElevation\r\nFreq,0,30,60,90,120,150,180,210,240,270,300,330\r\n";
    for (int band = 4; band <= 9; ++band) {
      out += std::to_string(static_cast<int>(BandFreq(band)));
      for (int i = 0; i < 12; ++i) out += "," + Number(Level(3 * i, band, narrowing));
      out += "\r\n";
    }
  }
  return out;
}

void BM_ReadPrn(benchmark::State& state) {
  const std::string bytes = HvFile(10, false);
  for (auto _ : state) {
    auto tables = ReadPrnPolar(bytes, "BENCH.PRN");
    if (!tables) state.SkipWithError(tables.error().Text().c_str());
    benchmark::DoNotOptimize(tables);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadPrn)->Unit(benchmark::kMicrosecond);

void BM_ReadTxt(benchmark::State& state) {
  const std::string bytes = HvFile(29, true);
  for (auto _ : state) {
    auto tables = ReadTxtPolar(bytes, "BENCH.TXT");
    if (!tables) state.SkipWithError(tables.error().Text().c_str());
    benchmark::DoNotOptimize(tables);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadTxt)->Unit(benchmark::kMicrosecond);

// The CSV reader builds bands 4..9 of the balloon as it reads.
void BM_ReadCsv(benchmark::State& state) {
  const std::string bytes = CsvFile();
  NullPlatform platform;
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    if (!ReadCsvPolar(*app, platform, bytes, "BENCH.CSV")) state.SkipWithError("CSV not read");
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 4));
  }
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMicrosecond);

void BM_InterpolateTenBands(benchmark::State& state) {
  const auto tables = ReadPrnPolar(HvFile(10, false), "BENCH.PRN");
  NullPlatform platform;
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    if (!InterpolatePolarTables(*tables, *app, platform)) state.SkipWithError("no balloon");
    benchmark::DoNotOptimize(app->src.DirQ(10));
  }
}
BENCHMARK(BM_InterpolateTenBands)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
