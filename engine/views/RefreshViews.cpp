#include "views/RefreshViews.h"

#include <cmath>

#include "core/NumberText.h"
#include "views/BalloonDrawing.h"
#include "views/InfoTable.h"
#include "views/PolarCharts.h"

namespace fonderel {
namespace {

constexpr double kThrottle = 0.5;  // seconds between two refreshes

void RedrawPolarWindows(const AppState& state, Platform& platform, int band) {
  const bool first = platform.IsWindowVisible({ViewWindow::Polar, 0});
  const bool second = platform.IsWindowVisible({ViewWindow::Polar, 1});
  if (!first && !second) return;
  const PolarDrawing drawing = platform.IsWindowVisible({ViewWindow::Polar, 2})
                                   ? DrawAllPlanes(state.src, band)
                                   : DrawTwoPlanes(state.src, band);
  for (int window : drawing.cleared) platform.ClearPolarChart(window);
  if (drawing.beep) platform.Beep();
  for (const auto& [window, chart] : drawing.charts) platform.ShowPolarChart(window, chart);
}

}  // namespace

std::string BandLabel(int band) { return SingleText(BandFreq(band)) + " Hz"; }

double SecondsSince(double earlier, double now) {
  constexpr double kDay = 86400.0;
  const double elapsed = now - earlier;
  return elapsed < 0 ? elapsed + kDay : elapsed;
}

void RedrawBalloon(AppState& state, Platform& platform) {
  if (!platform.IsWindowVisible({ViewWindow::Balloon}) || state.src.FirstBand <= 0) return;
  const int band = static_cast<int>(std::lround(state.SelectedBand));
  if (auto picture =
          DrawBalloon(state.src, band, platform.WindowInnerSize({ViewWindow::Balloon}))) {
    platform.DrawBalloonPicture(*picture);
  }
}

void ShowEmptySource(AppState& state, Platform& platform) {
  // An entry typed into the old tables has no cell left to go to.
  state.Entry = GridEntry{};
  state.InfoGridText.clear();
  state.DataGridText.clear();
  platform.SetHeaderFields({"", "", kEmptyLoBand, kEmptyHiBand});
  platform.SetInfoTable(state.InfoGridText);
  platform.SetDataTable(state.DataGridText);
  platform.DrawBalloonPicture({});
  for (int window = 0; window < kPolarWindows; ++window) platform.ClearPolarChart(window);
}

void RefreshViews(AppState& state, Platform& platform) {
  // The band selectors' own click events come back here while a refresh
  // runs; they change nothing.
  if (state.Refreshing) return;
  const double now = platform.ClockSeconds();
  const double elapsed = SecondsSince(state.LastRefreshTime, now);
  if (elapsed <= kThrottle) {
    // Dropped, but followed by one refresh once the interval has passed, so
    // the views end in line with the data.
    if (!state.TrailingRefreshAsked) {
      state.TrailingRefreshAsked = true;
      platform.RequestRefreshAfter(kThrottle - elapsed + 0.05);
    }
    return;
  }
  state.TrailingRefreshAsked = false;
  state.LastRefreshTime = static_cast<float>(now);
  Source& src = state.src;
  if (!src.HasData()) {
    // Views still showing a source (a failed read may have filled some of
    // them) are emptied; views already empty are left alone.
    if (!state.InfoGridText.empty()) ShowEmptySource(state, platform);
    return;
  }
  state.Refreshing = true;

  platform.SetHeaderFields(
      {src.SourceName, src.Manufacturer, BandLabel(src.FirstBand), BandLabel(src.LastBand)});

  state.InfoGridText = InfoTable(src);
  platform.SetInfoTable(state.InfoGridText);
  platform.SetSourceKindButtons(src.SourceKind != 0.0f);

  if (!state.SelectorsFilled) {
    std::vector<std::string> labels;
    for (int i = 1; i <= kBandCount; ++i) labels.push_back(FrequencyLabel(i));
    platform.FillBandSelectors(labels);
    state.SelectorsFilled = true;
  }

  if (state.SelectedBand < src.FirstBand) {
    state.SelectedBand = src.FirstBand;
  } else if (state.SelectedBand > src.LastBand) {
    state.SelectedBand = src.LastBand;
  }
  const int band = static_cast<int>(std::lround(state.SelectedBand));
  platform.SetBandSelectors(band - 1);

  state.DataGridText = DataTable(src, band);
  platform.SetDataTable(state.DataGridText);

  RedrawBalloon(state, platform);
  RedrawPolarWindows(state, platform, band);
  state.Refreshing = false;
}

}  // namespace fonderel
