#include "app/Startup.h"

#include "app/FileCommands.h"
#include "app/WindowCommands.h"
#include "core/NumberText.h"
#include "core/SpkFile.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

// The program's fixed-format text as the regional settings would show it.
std::string Regional(const std::string& text, const NumberSeparators& separators) {
  std::string out;
  for (char c : text) {
    if (c == ',') {
      out += separators.thousands;
    } else if (c == '.') {
      out += separators.decimalPoint;
    } else {
      out += c;
    }
  }
  return out;
}

constexpr const char* kHowToSetLocale =
    "Fonderel reads and writes numbers with \".\" as the decimal separator and \",\" as the "
    "thousands separator, and this desktop has no regional settings that Fonderel can open.\r"
    "Start Fonderel with such a number format, for example:\r"
    "    LC_NUMERIC=C.UTF-8 fonderel";

}  // namespace

bool RegionalSettingsCompatible(const NumberSeparators& separators) {
  const std::string thousands = Regional(FormatNumber(10000000.0, "###,###,###"), separators);
  const std::string decimals = Regional(FormatNumber(13.456, "###.#####"), separators);
  return thousands.find(',') != std::string::npos && decimals.find('.') != std::string::npos;
}

bool CheckRegionalSettings(Platform& platform) {
  if (RegionalSettingsCompatible(platform.LocaleSeparators())) return true;
  if (platform.ShowMessage(MessageIcon::Stop, MessageButtons::YesNo, kIncompatibleTitle,
                           kIncompatibleText) == MessageAnswer::Yes &&
      !platform.OpenRegionalSettings()) {
    platform.ShowMessage(MessageIcon::Information, MessageButtons::Ok, kIncompatibleTitle,
                         kHowToSetLocale);
  }
  return false;
}

bool Startup(AppState& state, Platform& platform, const std::string& commandLine) {
  if (!CheckRegionalSettings(platform)) return false;
  platform.LoadChildWindows();
  state.DialogInitialDir = state.AppPath + "/sources";
  state.src.DataSaved = kTrue;
  RefreshCaption(state, platform);
  if (commandLine.empty()) return true;
  state.src.SourceFile = commandLine;
  RefreshCaption(state, platform);
  if (!FileExists(commandLine)) {
    platform.ShowTextLog();
    state.AddLogLine("Trying to load" + commandLine + "...");
    state.AddLogLine("This file does not exist - create it with File-Create Source....");
    return true;
  }
  if (auto loaded = ReadSpkFile(state, platform, commandLine); !loaded) {
    state.src.SourceFile.clear();
    RefreshCaption(state, platform);
    state.AddLogLine("Error: " + loaded.error().Text());
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Read Error",
                         loaded.error().Text());
    return true;
  }
  RefreshViews(state, platform);
  StandardLayout(state, platform);
  return true;
}

}  // namespace fonderel
