#include "app/ExportCommands.h"

#include <vector>

#include "export/SourceWriters.h"

namespace fonderel {
namespace {

// The format the dialog starts at, and the one a name without extension gets.
const WritableFormat& StartFormat() {
  return *WritableFormatNamed("SOFA");
}

bool HasExtension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t period = path.rfind('.');
  return period != std::string::npos && (slash == std::string::npos || period > slash + 1);
}

void ReportError(AppState& state, Platform& platform, const std::string& text) {
  state.AddLogLine("Error: " + text);
  platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Export Error", text);
}

}  // namespace

std::string ExportProposal(const std::string& sourceFile, const std::string& extension) {
  std::string name = sourceFile.substr(sourceFile.rfind('/') + 1);
  if (name.empty()) return "*" + extension;
  const std::size_t period = name.rfind('.');
  if (period != std::string::npos) name.erase(period);
  return name + extension;
}

void FileExport(AppState& state, Platform& platform, const std::string& version) {
  if (!state.src.HasData()) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                         "There is no source to export: open or create one first.");
    return;
  }
  const WritableFormat& start = StartFormat();
  const FileDialogSettings settings{
      "Export a Source File",
      WritableFormatFilter(),
      FilterIndexOf(start),
      kDialogOverwritePrompt | kDialogHideReadOnly,
      ExportProposal(state.src.SourceFile, std::string(start.extension)),
      state.DialogInitialDir};
  const auto chosen = platform.ShowFileDialog(FileDialogKind::Save, settings);
  if (!chosen) return;
  std::string path = HasExtension(*chosen) ? *chosen : *chosen + std::string(start.extension);
  const WritableFormat* format = WritableFormatOfPath(path);
  if (format) path = WrittenPath(*format, path);
  platform.ShowTextLog();
  if (!format) {
    ReportError(state, platform,
                path + ": the extension names no format Fonderel writes; the formats are: " +
                    WritableFormatList());
    return;
  }
  std::vector<std::string> notes;
  platform.SetBusy(true);
  const auto written =
      WriteSource(state.src, *format, path, notes, {platform.Now(), version, &state.log});
  platform.SetBusy(false);
  if (!written) {
    ReportError(state, platform, written.error().Text());
    return;
  }
  state.AddLogLine("Source exported as " + std::string(format->name) + " to: " + path);
  for (const std::string& note : notes) state.AddLogLine("Not carried: " + note);
}

}  // namespace fonderel
