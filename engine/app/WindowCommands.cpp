#include "app/WindowCommands.h"

#include "app/FileCommands.h"
#include "app/ViewCommands.h"
#include "views/RefreshViews.h"

namespace fonderel {

void StandardLayout(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  platform.MaximizeMainWindow();
  HideExtraPolarWindows(platform);
  const TwipsSize inner = platform.MainInnerSize();
  const int w = inner.width;
  const int h = inner.height;
  const int top = 2800;
  platform.PlaceWindow({ViewWindow::Balloon}, {0, top, w / 3, h - top});
  platform.PlaceWindow({ViewWindow::Polar, 0}, {w / 3, top, w / 3, h - top});
  platform.PlaceWindow({ViewWindow::Polar, 1}, {2 * w / 3, top, w / 3, h - top});
  platform.PlaceWindow({ViewWindow::Info}, {0, 0, 2 * w / 3 - 5, top});
  platform.PlaceWindow({ViewWindow::Header}, {2 * w / 3, 0, w / 3, top});
  for (const WindowId window : {WindowId{ViewWindow::Balloon}, WindowId{ViewWindow::Polar, 0},
                                WindowId{ViewWindow::Polar, 1}, WindowId{ViewWindow::Info},
                                WindowId{ViewWindow::Header}}) {
    platform.ShowWindow(window);
  }
  state.SelectorsLive = false;
  RefreshViews(state, platform);
  platform.ProcessEvents();
  state.SelectorsLive = true;
}

void ViewHeader(AppState& state, Platform& platform) {
  platform.SetPictureVisible(false);
  RefreshViews(state, platform);
  platform.ResizeWindow({ViewWindow::Header}, {2800, 1900});
  platform.ShowWindow({ViewWindow::Header});
}

void ViewTextLog(AppState&, Platform& platform) {
  platform.SetPictureVisible(false);
  platform.ShowTextLog();
}

void ClearTextLog(AppState& state, Platform& platform) {
  platform.ClearPicture();
  state.log.Clear();
}

void CloseAllViews(Platform& platform) { platform.HideViews(); }

void HelpIndex(AppState& state, Platform& platform) {
  const std::string manual = state.AppPath + "/Manual/MFonderel.htm";
  if (platform.OpenDocument(manual)) return;
  // A manual that is there but could not be shown needs a web browser, not a
  // new installation: say which.
  platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                       FileExists(manual) ? "No program to show HTML pages was found. The "
                                            "manual lies at: " + manual
                                          : "The manual could not be opened: " + manual);
}

}  // namespace fonderel
