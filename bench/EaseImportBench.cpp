// EASE 3.0 text import: a file of 20 loudspeakers with seven bands each
// (125 Hz to 8 kHz, every band with its 361 attenuations), the last
// loudspeaker chosen, so the name scan and the pass over the other 19 are part
// of the time. One whole import per iteration: the time per iteration is the
// time per file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/NumberText.h"
#include "import/EaseImport.h"

namespace {

using namespace fonderel;

constexpr int kSpeakers = 20;

// Answers the loudspeaker choice with the last name offered.
class LastChoicePlatform : public NullPlatform {
 public:
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) override {
    return names.back();
  }
};

// Attenuations of a horn that narrows with frequency, with two decimals as
// exports give them.
std::string Grid(int speaker, int band) {
  constexpr double kPi = 3.14159265358979323846;
  std::string out;
  for (int r = -9; r <= 9; ++r) {
    for (int a = 0; a <= 18; ++a) {
      const double off = 1.0 - std::cos(kPi * a / 18.0) * (0.6 + 0.4 * std::cos(kPi * r / 18.0));
      const double x = std::round(std::min(40.0, off * (2.0 + band + 0.1 * speaker)) * 100.0) / 100.0;
      AppendDoubleText(out, x, Lead::None);
      out += a == 18 ? "\r\n" : ",";
    }
  }
  return out;
}

std::string BenchFile() {
  const char* const frequencies[] = {"125", "250", "500", "1000", "2000", "4000", "8000"};
  std::string out = "Format,EASE 3.0 Text Speaker Export\r\n";
  for (int s = 1; s <= kSpeakers; ++s) {
    for (int b = 0; b < 7; ++b) {
      out += "SpeakerName,BENCH HORN " + std::to_string(s) + "\r\n";
      out += "Manufacturer:,Bench Acoustics\r\n";
      out += std::string("Frequency:,") + frequencies[b] + "\r\n";
      out += "Sensitivity:," + std::to_string(95 + b) + ".5\r\n";
      out += "Impedance:,8.2\r\n";
      out += "Q:," + std::to_string(4 + 2 * b) + ".3\r\n";
      out += "Efficiency:,2.5\r\n";
      out += "Power:,300\r\n";
      out += "Data:,1\r\n";
      out += Grid(s, b);
    }
  }
  return out;
}

struct Fixture {
  LastChoicePlatform platform;
  std::filesystem::path folder;
  std::string path;
  std::size_t bytes = 0;
  std::string error;  // set when the fixture could not be built

  Fixture() {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec) /
             ("fonderel-ease-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      error = "cannot create " + folder.string() + ": " + ec.message();
      return;
    }
    path = (folder / "BENCH.EAS").string();
    const std::string file = BenchFile();
    bytes = file.size();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
      if (std::fclose(f) != 0 || !ok) error = "cannot write " + path;
    } else {
      error = "cannot write " + path;
      return;
    }
    // The file must import whole, or the benchmark would time an early error.
    auto check = std::make_unique<AppState>();
    auto read = ImportEaseFile(*check, platform, path);
    if (!read) {
      error = read.error().Text();
    } else if (check->src.SourceName != "BENCH HORN 20" || check->src.FirstBand != 3 ||
               check->src.LastBand != 9) {
      error = "the benchmark file does not import whole";
    }
  }
  ~Fixture() {
    std::error_code ec;
    if (!folder.empty()) std::filesystem::remove_all(folder, ec);
  }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;
};

void BM_ImportEaseFile(benchmark::State& state) {
  static Fixture fx;
  if (!fx.error.empty()) {
    state.SkipWithError(fx.error.c_str());
    return;
  }
  auto app = std::make_unique<AppState>();
  for (auto _ : state) {
    app->log.Clear();
    ResetSource(*app, fx.platform, false);
    auto read = ImportEaseFile(*app, fx.platform, fx.path);
    if (!read) {
      state.SkipWithError(read.error().Text().c_str());
      break;
    }
    benchmark::DoNotOptimize(app->src.BalloonData(0, 0, 6));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fx.bytes));
  state.counters["file_bytes"] = static_cast<double>(fx.bytes);
}
BENCHMARK(BM_ImportEaseFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
