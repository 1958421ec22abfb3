// The View, Window and Help commands that arrange windows.
#pragma once

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

// The Standard layout: balloon and two polar windows below, Info and Header
// above, in the maximised main window.
void StandardLayout(AppState& state, Platform& platform);
void ViewHeader(AppState& state, Platform& platform);
void ViewTextLog(AppState& state, Platform& platform);
void ClearTextLog(AppState& state, Platform& platform);
void CloseAllViews(Platform& platform);
// Opens Manual/MFonderel.htm below AppPath; a warning names its path when it
// is missing or when no program could show it.
void HelpIndex(AppState& state, Platform& platform);

}  // namespace fonderel
