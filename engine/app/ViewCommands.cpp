#include "app/ViewCommands.h"

#include "views/RefreshViews.h"

namespace fonderel {

void ViewInfo(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  RefreshViews(state, platform);
  platform.ResizeWindow({ViewWindow::Info}, {7485, 2850});
  platform.ShowWindow({ViewWindow::Info});
}

void ViewData(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  RefreshViews(state, platform);
  platform.ShowWindow({ViewWindow::Data});
  state.SelectorsLive = true;
}

void ViewBalloon(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  platform.ResizeWindow({ViewWindow::Balloon}, {3735, 3960});
  platform.ShowWindow({ViewWindow::Balloon});
  // The balloon is drawn at once: the throttle is opened rather than waited
  // out (a dropped refresh would be caught up, but a second later).
  state.LastRefreshTime = static_cast<float>(platform.ClockSeconds() - 1.0);
  RefreshViews(state, platform);
  platform.ProcessEvents();
  state.SelectorsLive = true;
}

void HideExtraPolarWindows(Platform& platform) {
  // With window 2 open every refresh would draw all planes (windows 0 and 1
  // then show planes 0 and 10 degrees): back to two planes means closing it.
  for (int i = 2; i < kPolarWindows; ++i) platform.HideWindow({ViewWindow::Polar, i});
}

void ViewCurves2(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  HideExtraPolarWindows(platform);
  for (int i = 0; i < 2; ++i) {
    platform.PlaceWindow({ViewWindow::Polar, i}, {4000 * i, 0, 4000, 4000});
    platform.ShowWindow({ViewWindow::Polar, i});
  }
  RefreshViews(state, platform);
  platform.PlaceWindow({ViewWindow::PolarMain}, {0, 4000, 4000, 900});
  platform.ShowWindow({ViewWindow::PolarMain});
  // Its band selector is there to be used: a click refreshes the curves.
  state.SelectorsLive = true;
}

void ViewCurvesAll(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  const TwipsSize area = platform.MainInnerSize();
  const int w = (area.width - 60) / 5;
  const int h = area.height / 4;
  platform.PlaceWindow({ViewWindow::PolarMain},
                       {3 * w, 3 * h, area.width - 3 * w - 60, area.height - 3 * h});
  platform.ShowWindow({ViewWindow::PolarMain});
  for (int i = 0; i < kPolarWindows; ++i) {
    platform.PlaceWindow({ViewWindow::Polar, i}, {w * (i % 5), h * (i / 5), w, h});
    platform.ShowWindow({ViewWindow::Polar, i});
  }
  RefreshViews(state, platform);
  state.SelectorsLive = true;
}

}  // namespace fonderel
