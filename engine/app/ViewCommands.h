// The View menu's commands that open the view windows.
#pragma once

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

void ViewInfo(AppState& state, Platform& platform);
void ViewData(AppState& state, Platform& platform);
void ViewBalloon(AppState& state, Platform& platform);
// Hides polar windows 2..17, so that windows 0 and 1 show two planes again.
void HideExtraPolarWindows(Platform& platform);
// The planes at 0 and 90 degrees in polar windows 0 and 1; the other polar
// windows are hidden.
void ViewCurves2(AppState& state, Platform& platform);
// All eighteen planes in a grid of five columns, the band selector last.
void ViewCurvesAll(AppState& state, Platform& platform);

}  // namespace fonderel
