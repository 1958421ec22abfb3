// SOFA import at scale. The nearest-receiver search alone, on 614 receivers
// (an exported file), a 1-degree grid (64 800) and a million random receivers
// (about the most a file may ask for), beside the plain search that compares
// every balloon direction with every receiver; and the whole import of a
// 1-degree grid with eight frequency bins, read from the page cache.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaImport.h"
#include "sofa/SofaNearest.h"

namespace {

using namespace fonderel;

std::vector<UnitVector> Receivers(std::int64_t count) {
  std::mt19937 random(7);
  std::normal_distribution<double> normal;
  std::vector<UnitVector> receivers;
  while (static_cast<std::int64_t>(receivers.size()) < count) {
    UnitVector v;
    if (FromCartesian(normal(random), normal(random), normal(random), v)) receivers.push_back(v);
  }
  return receivers;
}

void BM_NearestReceivers(benchmark::State& state) {
  const std::vector<UnitVector> receivers = Receivers(state.range(0));
  for (auto _ : state) {
    auto table = FindNearestReceivers(receivers, kSofaMaxGapDegrees);
    if (!table) {
      state.SkipWithError(table.error().c_str());
      break;
    }
    benchmark::DoNotOptimize((*table)[9][9]);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NearestReceivers)->Arg(614)->Arg(64800)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The search every receiver against every direction, for comparison.
void BM_NearestByComparingAll(benchmark::State& state) {
  const std::vector<UnitVector> receivers = Receivers(state.range(0));
  for (auto _ : state) {
    std::size_t sum = 0;
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const UnitVector d = BalloonDirection(p, k);
        double best = -2;
        std::size_t nearest = 0;
        for (std::size_t r = 0; r < receivers.size(); ++r) {
          const double c = d.x * receivers[r].x + d.y * receivers[r].y + d.z * receivers[r].z;
          if (c > best) best = c, nearest = r;
        }
        sum += nearest;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NearestByComparingAll)
    ->Arg(614)
    ->Arg(64800)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

// A 1-degree grid (θ and φ about the axis) with eight bins, 125 Hz to 16 kHz.
struct GridFile {
  std::filesystem::path folder;
  std::string path, error;

  GridFile() {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec) /
             ("fonderel-sofa-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    path = (folder / "grid.sofa").string();
    const std::vector<double> frequencies = {125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    std::vector<double> positions, real;
    constexpr double kDeg = std::numbers::pi / 180;
    for (int phi = 0; phi < 180; ++phi) {
      for (int theta = 0; theta < 360; ++theta) {
        positions.insert(positions.end(),
                         {std::cos(theta * kDeg), std::sin(theta * kDeg) * std::cos(phi * kDeg),
                          std::sin(theta * kDeg) * std::sin(phi * kDeg)});
        for (std::size_t n = 0; n < frequencies.size(); ++n) {
          real.push_back(1.1 + std::cos(theta * kDeg) * (1 + 0.1 * static_cast<double>(n)));
        }
      }
    }
    auto file = NetCdfFile::Create(path);
    if (!file) {
      error = file.error();
      return;
    }
    file->PutText("", "SOFAConventions", "FreeFieldDirectivityTF");
    const int M = *file->AddDimension("M", 1), R = *file->AddDimension("R", 64800),
              N = *file->AddDimension("N", frequencies.size()), C = *file->AddDimension("C", 3);
    file->AddVariable("Data.Real", {M, R, N});
    file->AddVariable("ReceiverPosition", {R, C});
    file->AddVariable("N", {N});
    file->PutText("ReceiverPosition", "Type", "cartesian");
    if (!file->PutValues("Data.Real", real) || !file->PutValues("ReceiverPosition", positions) ||
        !file->PutValues("N", frequencies) || !file->Close()) {
      error = "cannot write " + path;
    }
  }
  ~GridFile() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  GridFile(const GridFile&) = delete;
  GridFile& operator=(const GridFile&) = delete;
};

void BM_ImportSofaGrid(benchmark::State& state) {
  static GridFile grid;
  if (!grid.error.empty()) {
    state.SkipWithError(grid.error.c_str());
    return;
  }
  NullPlatform platform;
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, platform, false);
    auto read = ImportSofaFile(*app, platform, grid.path);
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 10));
  }
}
BENCHMARK(BM_ImportSofaGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
