// Parametric creation and the CAD geometry reader. Creating a ten-band BZ
// source runs the 1025-sample spherical integral once per band; the geometry
// file holds 25 walls of four faces (100 faces) with a hole and a door each,
// a source and 200 receivers, read from bytes in memory.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bz/ParametricSource.h"
#include "core/NullPlatform.h"
#include "geometry/RayFile.h"

namespace {

using namespace fonderel;

void CreateTenBandSource(benchmark::State& state) {
  BzFunctions bz;
  for (int k = 1; k <= kBandCount; ++k) bz(k) = static_cast<float>(k);
  auto src = std::make_unique<Source>();
  for (auto _ : state) {
    CreateParametricSource(*src, bz, true, LoudspeakerPowerLevel(100));
    benchmark::DoNotOptimize(src->Sensitivity(10));
  }
}
BENCHMARK(CreateTenBandSource)->Unit(benchmark::kMicrosecond);

std::string HundredFaces() {
  std::string out = "SOURCE 0.5 0.5 1.2 0 0 0 100 Bench source\r\n";
  for (int w = 0; w < 25; ++w) {
    const std::string z = std::to_string(0.1 * w);
    out += "WALL w" + std::to_string(w) + "\r\n";
    for (int f = 0; f < 4; ++f) {
      out += "FACE " + std::to_string(4 * w + f + 1) + " 3 4 0 0 " + z + " 1.25 0 " + z + " 1.25 2.5 " + z +
             " 0 2.5 " + z + "\r\n";
    }
    out += "HOLE 1 7 4 .1 .1 " + z + " .2 .1 " + z + " .2 .2 " + z + " .1 .2 " + z + "\r\n";
    out += "DOOR 2 8 4 .5 .1 " + z + " .8 .1 " + z + " .8 .9 " + z + " .5 .9 " + z + "\r\n";
    out += "END\r\n";
  }
  for (int r = 0; r < 200; ++r) out += "RECEIVER " + std::to_string(r * 0.01) + " 1.5 1.2 0 0 0\r\n";
  return out;
}

void ReadHundredFaceRayFile(benchmark::State& state) {
  const std::string bytes = HundredFaces();
  NullPlatform platform;
  auto src = std::make_unique<Source>();
  for (auto _ : state) {
    auto points = ReadRayBytes(*src, platform, bytes, "BENCH.RAY");
    if (!points || src->NFaces != 100) state.SkipWithError("the file was not read");
    benchmark::DoNotOptimize(points);
  }
}
BENCHMARK(ReadHundredFaceRayFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
