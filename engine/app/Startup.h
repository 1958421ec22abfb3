// Start-up of the main window and the regional-settings check.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kIncompatibleTitle = "Warning - incompatible settings!";
inline constexpr const char* kIncompatibleText =
    "Your regional settings are not compatible with Tarvesk. Do You want to change them now?";

// The regional number format is fit for the program when 10000000 formatted
// "###,###,###" shows a comma and 13.456 formatted "###.#####" a period.
bool RegionalSettingsCompatible(const NumberSeparators& separators);

// Runs the regional-settings check; when it fails, tells the user and offers
// to change the settings. False when the program cannot go on.
bool CheckRegionalSettings(Platform& platform);

// The main window's start: `state.AppPath` is set by the caller; the command
// line is the path of an SPK file to load (the program's arguments joined by
// blanks). False when the regional settings stopped the start.
bool Startup(AppState& state, Platform& platform, const std::string& commandLine);

}  // namespace fonderel
