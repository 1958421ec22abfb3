// CLF text writer and reader throughput on the example horn made to hold all
// nine bands CLF1 can carry (31.5 Hz to 8 kHz, the horn's bands repeated).
// Each iteration handles one whole file, so the time per iteration is the
// time per file and bytes_per_second the throughput.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/SafeFile.h"
#include "core/SpkFile.h"
#include "export/ClfExport.h"
#include "import/ClfImport.h"

namespace {

using namespace fonderel;

Source NineBandHorn() {
  auto state = std::make_unique<AppState>();
  NullPlatform platform;
  if (!ReadSpkFile(*state, platform, std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK"))
    std::abort();
  Source src = state->src;
  const int first = src.FirstBand, count = src.LastBand - src.FirstBand + 1;
  for (int b = 1; b <= 9; ++b) {
    const int from = first + (b - 1) % count;
    src.BandPresent(b) = kTrue;
    src.DirQ(b) = src.DirQ(from);
    src.Sensitivity(b) = src.Sensitivity(from);
    src.Impedance(b) = src.Impedance(from);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) src.BalloonData(p, k, b) = src.BalloonData(p, k, from);
  }
  src.FirstBand = 1;
  src.LastBand = 9;
  return src;
}

void BM_ClfWrite(benchmark::State& bench) {
  const Source src = NineBandHorn();
  std::size_t bytes = 0;
  for (auto _ : bench) {
    std::vector<std::string> notes;
    auto out = ClfBytes(src, notes, "horn.tab");
    if (!out) std::abort();
    bytes = out->size();
    benchmark::DoNotOptimize(out);
  }
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * bytes));
}
BENCHMARK(BM_ClfWrite);

void BM_ClfRead(benchmark::State& bench) {
  std::vector<std::string> notes;
  const auto bytes = ClfBytes(NineBandHorn(), notes, "horn.tab");
  const std::string path =
      (std::filesystem::temp_directory_path() / "fonderel-bench-horn.tab").string();
  if (!bytes || !WriteFileAtomically(path, *bytes)) std::abort();
  NullPlatform platform;
  for (auto _ : bench) {
    auto state = std::make_unique<AppState>();
    if (!ImportClfFile(*state, platform, path)) std::abort();
    benchmark::DoNotOptimize(state);
  }
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * bytes->size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ClfRead);

}  // namespace

BENCHMARK_MAIN();
