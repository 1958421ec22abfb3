// SPK writer and reader throughput on a full description: ten bands of
// balloon data and an enclosing geometry at the bounds (100 faces, 50 holes,
// 50 doors). Each benchmark handles one whole file per iteration, so the time
// per iteration is the time per file and bytes_per_second the throughput.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/SpkFile.h"

namespace {

using namespace fonderel;

// Deterministic small variations, so every balloon value and coordinate has
// the full number of digits a measured file has.
class Jitter {
 public:
  // A value in [0, 1).
  float Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<float>(state_ >> 40) / static_cast<float>(1ULL << 24);
  }

 private:
  std::uint64_t state_ = 0x5EED;
};

// A horn-like loudspeaker: the balloon holds levels relative to the axis
// (40 dB on axis, falling off sideways, the narrower the higher the band).
void FillBands(Source& src, Jitter& jitter) {
  constexpr double kPi = 3.14159265358979323846;
  src.FirstBand = 1;
  src.LastBand = kBandCount;
  src.BandCount = kBandCount;
  src.CurBand = kBandCount;
  for (int b = 1; b <= kBandCount; ++b) {
    src.BandPresent(b) = kTrue;
    src.Impedance(b) = 6.4f + 0.37f * static_cast<float>(b);
    src.Efficiency(b) = 0.8f + 0.113f * static_cast<float>(b);
    src.Lw(b) = 88.3f + 1.71f * static_cast<float>(b);
    src.DirQ(b) = 1.2f + 1.93f * static_cast<float>(b);
    src.Sensitivity(b) = 92.6f + 0.87f * static_cast<float>(b);
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const double off = 1.0 - std::cos(kPi * 10.0 * k / 180.0) *
                                     (0.6 + 0.4 * std::cos(kPi * 10.0 * p / 180.0));
        const double level = 40.0 - std::min(39.0, off * 2.7 * b) - jitter.Next();
        src.BalloonData(p, k, b) = static_cast<float>(level);
      }
    }
  }
  src.Lw(11) = 101.7f;
  src.Lw(12) = 99.4f;
  src.SourceKind = 1.0f;
}

// Vertices around a centre in the plane z = `z`, on a radius that wobbles a
// little.
template <typename Coords>
void Ring(Coords& x, Coords& y, Coords& z, int i, int n, float cx, float cy, float r, float zz,
          Jitter& jitter) {
  constexpr float kTwoPi = 6.28318530718f;
  for (int v = 1; v <= n; ++v) {
    const float a = kTwoPi * static_cast<float>(v - 1) / static_cast<float>(n);
    const float rr = r * (0.95f + 0.1f * jitter.Next());
    x(i, v) = cx + rr * std::cos(a);
    y(i, v) = cy + rr * std::sin(a);
    z(i, v) = zz;
  }
}

// 70 plain four-vertex faces, then 30 walls carrying the 50 holes (4 to 12
// vertices) and the 50 doors (4 or 5 vertices) between them.
void FillGeometry(Source& src, Jitter& jitter) {
  constexpr int kPlainFaces = 70;
  src.NFaces = kMaxFaces;
  for (int f = 1; f <= kMaxFaces; ++f) {
    src.FaceNum(f) = static_cast<std::int16_t>(f);
    src.FaceMat(f) = static_cast<std::int16_t>(1 + f % 7);
    src.FaceNVert(f) = kFaceVertices;
    const bool wall = f > kPlainFaces;
    src.FaceIsWall(f) = wall ? kTrue : kFalse;
    src.FaceHasOpenings(f) = wall ? kTrue : kFalse;
    Ring(src.FaceX, src.FaceY, src.FaceZ, f, kFaceVertices, 0.0f, 0.0f, 0.6f,
         -0.05f * static_cast<float>(f), jitter);
  }
  const int walls = kMaxFaces - kPlainFaces;
  src.NHoles = kMaxHoles;
  for (int h = 1; h <= kMaxHoles; ++h) {
    const int f = kPlainFaces + 1 + (h - 1) % walls;
    src.HoleFace(h) = static_cast<std::int16_t>(f);
    src.HoleNum(h) = static_cast<std::int16_t>(h);
    src.HoleMat(h) = 9;
    src.HoleNVert(h) = static_cast<std::int16_t>(4 + (h - 1) % (kHoleVertices - 3));
    Ring(src.HoleX, src.HoleY, src.HoleZ, h, src.HoleNVert(h), 0.1f, -0.1f, 0.07f,
         src.FaceZ(f, 1), jitter);
  }
  src.NDoors = kMaxDoors;
  for (int d = 1; d <= kMaxDoors; ++d) {
    const int f = kPlainFaces + 1 + (d - 1) % walls;
    src.DoorFace(d) = static_cast<std::int16_t>(f);
    src.DoorNum(d) = static_cast<std::int16_t>(d);
    src.DoorMat(d) = 11;
    src.DoorNVert(d) = static_cast<std::int16_t>(d % 2 == 0 ? kDoorVertices : 4);
    Ring(src.DoorX, src.DoorY, src.DoorZ, d, src.DoorNVert(d), -0.2f, 0.15f, 0.12f,
         src.FaceZ(f, 1), jitter);
  }
}

struct Fixture {
  NullPlatform platform;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
  std::string bytes;
  std::filesystem::path folder;
  std::string error;  // set when the fixture could not be built

  Fixture() {
    Source& src = app->src;
    src.SourceName = "BENCH HORN 60x40";
    src.Manufacturer = "Bench Acoustics";
    src.SourceDate = "03-14-2024";
    src.SourceTime = "09:26:53";
    Jitter jitter;
    FillBands(src, jitter);
    FillGeometry(src, jitter);

    TextLog log;
    auto written = SpkBytes(src, log, "BENCH.SPK");
    if (!written) {
      error = written.error().Text();
      return;
    }
    bytes = std::move(*written);

    // The file must read back whole, or the read benchmarks would time an
    // early error.
    auto check = std::make_unique<AppState>();
    ResetSource(*check, platform, false);
    auto read = ReadSpkBytes(*check, platform, bytes, "BENCH.SPK");
    if (!read) {
      error = read.error().Text();
    } else if (check->src.NFaces != kMaxFaces || check->src.NHoles != kMaxHoles ||
               check->src.NDoors != kMaxDoors || check->src.LastBand != kBandCount) {
      error = "the benchmark file does not read back whole";
    }

    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec) /
             ("fonderel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    if (ec) error = "cannot create " + folder.string() + ": " + ec.message();
  }
  ~Fixture() {
    std::error_code ec;
    if (!folder.empty()) std::filesystem::remove_all(folder, ec);
  }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;

  std::string FilePath(const char* name) const { return (folder / name).string(); }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

bool Ready(benchmark::State& state, const Fixture& fx) {
  if (fx.error.empty()) return true;
  state.SkipWithError(fx.error.c_str());
  return false;
}

void Report(benchmark::State& state, std::size_t fileBytes) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
  state.counters["file_bytes"] = static_cast<double>(fileBytes);
}

// (a) Serialising the description to memory.
void BM_SpkBytes(benchmark::State& state) {
  Fixture& fx = Shared();
  if (!Ready(state, fx)) return;
  TextLog log;
  for (auto _ : state) {
    log.Clear();
    auto bytes = SpkBytes(fx.app->src, log, "BENCH.SPK");
    if (!bytes) {
      state.SkipWithError(bytes.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(bytes->data());
  }
  Report(state, fx.bytes.size());
}
BENCHMARK(BM_SpkBytes)->Unit(benchmark::kMicrosecond);

// (b) Parsing the description from memory, after the reset that precedes every
// load.
void BM_ReadSpkBytes(benchmark::State& state) {
  Fixture& fx = Shared();
  if (!Ready(state, fx)) return;
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, fx.platform, false);
    auto read = ReadSpkBytes(*app, fx.platform, fx.bytes, "BENCH.SPK");
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 1));
  }
  Report(state, fx.bytes.size());
}
BENCHMARK(BM_ReadSpkBytes)->Unit(benchmark::kMicrosecond);

// (c) Saving to a file: serialising, writing a temporary file, flushing it to
// disk and renaming it over the target.
void BM_WriteSpkFile(benchmark::State& state) {
  Fixture& fx = Shared();
  if (!Ready(state, fx)) return;
  auto app = std::make_unique<AppState>();
  app->src = fx.app->src;
  const std::string target = fx.FilePath("WRITE.SPK");
  for (auto _ : state) {
    app->log.Clear();
    std::string path = target;
    auto written = WriteSpkFile(*app, fx.platform, path);
    if (!written) {
      state.SkipWithError(written.error().Text().c_str());
      break;
    }
  }
  Report(state, fx.bytes.size());
}
BENCHMARK(BM_WriteSpkFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

// (d) Loading from a file (from the page cache after the first iteration).
void BM_ReadSpkFile(benchmark::State& state) {
  Fixture& fx = Shared();
  if (!Ready(state, fx)) return;
  auto app = std::make_unique<AppState>();
  app->src = fx.app->src;
  std::string path = fx.FilePath("READ.SPK");
  if (auto written = WriteSpkFile(*app, fx.platform, path); !written) {
    state.SkipWithError(written.error().Text().c_str());
    return;
  }
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, fx.platform, false);
    auto read = ReadSpkFile(*app, fx.platform, path);
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 1));
  }
  Report(state, fx.bytes.size());
}
BENCHMARK(BM_ReadSpkFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
