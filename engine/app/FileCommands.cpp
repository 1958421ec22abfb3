#include "app/FileCommands.h"

#include <cctype>
#include <filesystem>
#include <fstream>

#include "app/Startup.h"
#include "core/SpkFile.h"
#include "import/SourceFormat.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

void Report(AppState& state, Platform& platform, const char* title, const FileError& error) {
  state.AddLogLine("Error: " + error.Text());
  platform.ShowMessage(error.ownMessage ? MessageIcon::Stop : MessageIcon::Exclamation,
                       MessageButtons::Ok, title, error.ownMessage ? error.message : error.Text());
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

void RefreshCaption(const AppState& state, Platform& platform) {
  platform.SetCaption(Caption(state.src));
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  return in.is_open();
}

bool AskAboutUnsavedData(AppState& state, Platform& platform) {
  if (state.src.DataSaved != kFalse) return true;
  switch (platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::YesNoCancel, "Warning",
                               kUnsavedDataText)) {
    case MessageAnswer::Cancel:
      return false;
    case MessageAnswer::Yes:
      return FileSaveAs(state, platform) != SaveOutcome::Failed;
    default:
      return true;
  }
}

bool QueryClose(AppState& state, Platform& platform) {
  if (!AskAboutUnsavedData(state, platform)) {
    // Closing stopped: the program goes on as before, and closing a child
    // window only hides it again.
    state.Quitting = kFalse;
    return false;
  }
  state.Quitting = kTrue;
  return true;
}

void FileNew(AppState& state, Platform& platform) {
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, true);
}

void OpenSourcePath(AppState& state, Platform& platform, const std::string& path, bool importing) {
  state.src.SourceFile = path;
  const SourceFormat format = importing ? ImportFormatOfPath(path) : FormatOfPath(path);
  if (auto loaded = LoadSourceFile(state, platform, path, format); !loaded) {
    state.src.SourceFile.clear();
    RefreshCaption(state, platform);
    state.src.DataSaved = kTrue;
    if (!loaded.error().cancelled) {
      Report(state, platform, format == SourceFormat::Spk ? "Read Error" : "Import Error",
             loaded.error());
    }
    return;
  }
  RefreshViews(state, platform);
  // Reopened later through File Open's dispatch, so only what it reads alike.
  if (format == FormatOfPath(path)) state.Recent.Add(path);
  if (format != SourceFormat::Spk) state.src.SourceFile = SpkNameForImport(path);
  RefreshCaption(state, platform);
  state.src.DataSaved = kTrue;
}

void FileOpen(AppState& state, Platform& platform) {
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, true);
  const FileDialogSettings settings{"Open a Source File", kOpenFilter, 1,
                                    kDialogFileMustExist | kDialogHideReadOnly, "*.SPK",
                                    state.DialogInitialDir};
  const auto path = platform.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  // The next dialog starts where this one ended.
  state.DialogInitialDir = FolderOf(*path);
  OpenSourcePath(state, platform, *path);
}

void FileImport(AppState& state, Platform& platform) {
  if (!CheckRegionalSettings(platform)) return;
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, false);
  const FileDialogSettings settings{"Import a Speaker File", kImportFilter, 1,
                                    kDialogFileMustExist | kDialogHideReadOnly, "*.txt",
                                    state.DialogInitialDir};
  const auto path = platform.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  state.DialogInitialDir = FolderOf(*path);
  OpenSourcePath(state, platform, *path, true);
}

void NotAvailableYet(Platform& platform, const std::string& command) {
  platform.ShowMessage(MessageIcon::Information, MessageButtons::Ok, "Fonderel",
                       command + " is not available in this version.");
}

std::string SaveAsProposal(const std::string& sourceFile) {
  if (sourceFile.empty()) return "*.SPK";
  std::string name = sourceFile.substr(sourceFile.rfind('/') + 1);
  if (name.size() >= 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == ".MDL") name.replace(name.size() - 4, 4, ".SPK");
  }
  return name;
}

void FileSave(AppState& state, Platform& platform) {
  if (state.src.SourceFile.empty()) {
    FileSaveAs(state, platform);
    return;
  }
  // The extension rule applies to the file written; SourceFile keeps its text.
  std::string path = state.src.SourceFile;
  if (auto saved = WriteSpkFile(state, platform, path); !saved) {
    Report(state, platform, "Save Error", saved.error());
    return;
  }
  state.Recent.Add(path);
}

SaveOutcome FileSaveAs(AppState& state, Platform& platform) {
  const FileDialogSettings settings{"Save a Source File", kSaveFilter, 1,
                                    kDialogOverwritePrompt | kDialogHideReadOnly,
                                    SaveAsProposal(state.src.SourceFile), state.DialogInitialDir};
  const auto chosen = platform.ShowFileDialog(FileDialogKind::Save, settings);
  if (!chosen) return SaveOutcome::Cancelled;
  std::string path = *chosen;
  if (auto saved = WriteSpkFile(state, platform, path); !saved) {
    Report(state, platform, "Save Error", saved.error());
    return SaveOutcome::Failed;
  }
  state.src.SourceFile = path;
  state.Recent.Add(path);
  state.DialogInitialDir = FolderOf(path);
  RefreshCaption(state, platform);
  state.src.DataSaved = kTrue;
  return SaveOutcome::Saved;
}

void FilePrint(AppState&, Platform& platform) {
  if (!platform.ShowPrinterDialog(0)) return;
  platform.PrintBalloonImage();
}

void FilePrinterSetup(AppState&, Platform& platform) { platform.ShowPrinterDialog(kDialogPrintSetup); }

void FileExit(AppState& state, Platform& platform) {
  state.Quitting = kTrue;
  platform.CloseMainWindow();
}

}  // namespace fonderel
