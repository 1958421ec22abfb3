#include "app/GeometryCommands.h"

#include "geometry/RayFile.h"

namespace fonderel {

bool AttachRayPath(AppState& state, Platform& platform, const std::string& path) {
  auto points = ReadRayFile(state.src, platform, path);
  if (!points) {
    if (points.error().cancelled) return false;
    state.AddLogLine("Error: " + points.error().Text());
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Read Error", points.error().Text());
    return false;
  }
  platform.SetViewGeometryEnabled(true);
  state.src.DataSaved = kFalse;
  return true;
}

void AttachRAY(AppState& state, Platform& platform) {
  const FileDialogSettings settings{kRayDialogTitle, kRayFilter, 1, kDialogFileMustExist | kDialogHideReadOnly,
                                    "*.RAY", state.DialogInitialDir};
  const auto path = platform.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  AttachRayPath(state, platform, *path);
}

bool HasGeometry(const Source& src) {
  return src.NFaces > 0 || src.NHoles > 0 || src.NDoors > 0;
}

void ViewGeometry(AppState&, Platform& platform) { platform.ShowWindow({ViewWindow::Geometry}); }

}  // namespace fonderel
