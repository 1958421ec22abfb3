// One full view refresh of the horn example with every view open (Info, DATAs,
// balloon, all eighteen polar windows): the engine's view models alone, and
// (with the desktop program built) the refresh as the program runs it, with
// every open window painted. One iteration is one refresh; the refresh must
// stay well inside a frame (16 ms) for the band selectors to feel immediate.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/SpkFile.h"
#include "views/RefreshViews.h"

#if FONDEREL_BENCH_GUI
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"
#include "app/ViewCommands.h"
#endif

namespace {

using namespace fonderel;

const std::string kHorn = FONDEREL_SOURCES "/HORN90X40.SPK";

// Every window open, the balloon at the size View Balloon gives it.
class OpenViewsPlatform : public NullPlatform {
 public:
  bool IsWindowVisible(WindowId) const override { return true; }
  TwipsSize WindowInnerSize(WindowId) const override { return {3735, 3960}; }
};

// The throttle is opened before each refresh, so none is dropped.
void ForceRefresh(AppState& state, Platform& platform) {
  state.LastRefreshTime = static_cast<float>(platform.ClockSeconds() - 1.0);
  RefreshViews(state, platform);
}

// The view models: header fields, Info and DATAs tables, balloon wire frame,
// the eighteen polar charts; the platform calls do nothing.
void BM_RefreshModels(benchmark::State& bs) {
  OpenViewsPlatform platform;
  auto state = std::make_unique<AppState>();
  ResetSource(*state, platform, false);
  if (auto read = ReadSpkFile(*state, platform, kHorn); !read) {
    bs.SkipWithError(read.error().Text().c_str());
    return;
  }
  for (auto _ : bs) {
    ForceRefresh(*state, platform);
    benchmark::DoNotOptimize(state->DataGridText.data());
  }
}
BENCHMARK(BM_RefreshModels)->Unit(benchmark::kMillisecond);

#if FONDEREL_BENCH_GUI

// The desktop program on a 1920 x 1080 main window, the horn loaded as from
// the command line, then View Info, View Data, View Balloon, View Curves(All).
struct Desktop {
  AppState state;
  MainWindow window{state};
  // Every visible child window and the picture it is painted into.
  std::vector<std::pair<QWidget*, QImage>> surfaces;
  std::string error;

  Desktop() {
    QtPlatform& platform = window.Platform();
    platform.messageHook = [](auto&&...) { return MessageAnswer::Cancel; };
    state.AppPath = FONDEREL_SOURCES "/..";
    window.show();
    if (!Startup(state, platform, kHorn) || !state.src.HasData()) {
      error = "the horn example did not load";
      return;
    }
    window.showNormal();
    window.resize(1920, 1080);
    QApplication::processEvents();
    ViewInfo(state, platform);
    ViewData(state, platform);
    ViewBalloon(state, platform);
    ViewCurvesAll(state, platform);
    QApplication::processEvents();
    for (QMdiSubWindow* child : window.Mdi()->subWindowList()) {
      if (child->isVisible()) {
        surfaces.emplace_back(child, QImage(child->size(), QImage::Format_ARGB32_Premultiplied));
      }
    }
  }
};

std::unique_ptr<Desktop> gDesktop;  // made on first use, after the QApplication

// RefreshViews through QtPlatform (grids, selectors, balloon picture, charts
// filled) and every visible child window rendered; the counters split the
// time into refresh_ms and paint_ms. The events the refresh leaves behind
// (among them the painting into the windows' own backing store) are run
// outside the timing; their time per refresh is events_ms.
void BM_RefreshAndPaint(benchmark::State& bs) {
  if (!gDesktop) gDesktop = std::make_unique<Desktop>();
  Desktop& d = *gDesktop;
  if (!d.error.empty()) {
    bs.SkipWithError(d.error.c_str());
    return;
  }
  using Clock = std::chrono::steady_clock;
  Clock::duration refresh{}, paint{}, events{};
  for (auto _ : bs) {
    const auto start = Clock::now();
    ForceRefresh(d.state, d.window.Platform());
    const auto refreshed = Clock::now();
    for (auto& [child, image] : d.surfaces) child->render(&image);
    const auto painted = Clock::now();
    refresh += refreshed - start;
    paint += painted - refreshed;
    bs.PauseTiming();
    QApplication::processEvents();
    events += Clock::now() - painted;
    bs.ResumeTiming();
  }
  const auto perRefresh = [&](Clock::duration total) {
    return std::chrono::duration<double, std::milli>(total).count() /
           static_cast<double>(bs.iterations());
  };
  bs.counters["windows"] = static_cast<double>(d.surfaces.size());
  bs.counters["refresh_ms"] = perRefresh(refresh);
  bs.counters["paint_ms"] = perRefresh(paint);
  bs.counters["events_ms"] = perRefresh(events);
}
BENCHMARK(BM_RefreshAndPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

#endif

}  // namespace

int main(int argc, char** argv) {
#if FONDEREL_BENCH_GUI
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
#if FONDEREL_BENCH_GUI
  gDesktop.reset();
#endif
  return 0;
}
