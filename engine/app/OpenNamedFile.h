// Opening a file whose name is already known, without the open dialog: an
// entry of the File menu's recent files, or a file dropped on the main window.
// Both run File Open's flow from its unsaved-data prompt on.
#pragma once

#include <cstddef>
#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kFileMissingTitle = "Warning";

// Recent file number `index` (0 = newest). A file that is gone is said so and
// taken off the list; the current data stay as they are.
void OpenRecentFile(AppState& state, Platform& platform, std::size_t index);

// A file dropped on the main window: read as File Open reads the file chosen
// in its dialog (SPK, or imported by its extension).
void OpenDroppedFile(AppState& state, Platform& platform, const std::string& path);

// The start-up loaded the file named on the command line: it joins the recent
// files.
void NoteStartupFile(AppState& state, const std::string& commandLine);

}  // namespace fonderel
