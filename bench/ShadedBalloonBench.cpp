// One frame of the shaded balloon as the user turns it: the engine's model
// (patches projected and sorted) alone, and (with the desktop program built)
// the model painted on a 500 x 500 picture the way the Balloon window paints
// it. A frame must stay under 4 ms for turning to keep up with the mouse.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/SpkFile.h"
#include "views/ShadedBalloon.h"

#if FONDEREL_BENCH_GUI
#include <QGuiApplication>
#include <QImage>

#include "ShadedPainter.h"
#endif

namespace {

using namespace fonderel;

const std::string kHorn = FONDEREL_SOURCES "/HORN90X40.SPK";
constexpr int kBand = 6;
constexpr double kSize = 500;

std::unique_ptr<AppState> Horn(benchmark::State& bs) {
  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, false);
  if (auto read = ReadSpkFile(*state, platform, kHorn); !read) {
    bs.SkipWithError(read.error().Text().c_str());
    return nullptr;
  }
  return state;
}

// Every iteration turns the balloon a little further, as a drag does.
void BM_ShadedModel(benchmark::State& bs) {
  const auto state = Horn(bs);
  if (!state) return;
  ShadedView view;
  for (auto _ : bs) {
    view = Turned(view, 3, 1);
    benchmark::DoNotOptimize(ShadeBalloon(state->src, kBand, view, kSize, kSize, 40));
  }
}
BENCHMARK(BM_ShadedModel)->Unit(benchmark::kMicrosecond);

#if FONDEREL_BENCH_GUI
void BM_ShadedFrame(benchmark::State& bs) {
  const auto state = Horn(bs);
  if (!state) return;
  QImage image(static_cast<int>(kSize), static_cast<int>(kSize), QImage::Format_RGB32);
  ShadedView view;
  for (auto _ : bs) {
    view = Turned(view, 3, 1);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintShadedBalloon(painter, ShadeBalloon(state->src, kBand, view, kSize, kSize,
                                             ColourBarLabelWidth(painter)));
  }
}
BENCHMARK(BM_ShadedFrame)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#if FONDEREL_BENCH_GUI
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
