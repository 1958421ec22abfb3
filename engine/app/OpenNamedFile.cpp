#include "app/OpenNamedFile.h"

#include <filesystem>

#include "app/FileCommands.h"

namespace fonderel {
namespace {

// File Open after its dialog: the prompt, the reset, the reading.
void OpenKnownFile(AppState& state, Platform& platform, const std::string& path) {
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, true);
  // The next dialog starts where this file lies, as after File Open.
  state.DialogInitialDir = std::filesystem::path(path).parent_path().string();
  OpenSourcePath(state, platform, path);
}

}  // namespace

void OpenRecentFile(AppState& state, Platform& platform, std::size_t index) {
  const auto& files = state.Recent.Files();
  if (index >= files.size()) return;
  const std::string path = files[index];
  if (!FileExists(path)) {
    // Checked before the prompt: nothing is reset for a file that is gone.
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, kFileMissingTitle,
                         "The file " + path +
                             " cannot be found. It has been removed from the list of recent files.");
    state.Recent.Remove(path);
    return;
  }
  OpenKnownFile(state, platform, path);
}

void OpenDroppedFile(AppState& state, Platform& platform, const std::string& path) {
  if (!FileExists(path)) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, kFileMissingTitle,
                         "The file " + path + " cannot be read.");
    return;
  }
  OpenKnownFile(state, platform, path);
}

void NoteStartupFile(AppState& state, const std::string& commandLine) {
  if (!commandLine.empty() && state.src.HasData() && state.src.SourceFile == commandLine) {
    state.Recent.Add(commandLine);
  }
}

}  // namespace fonderel
