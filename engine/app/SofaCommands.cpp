#include "app/SofaCommands.h"

#include <cctype>

#include "sofa/SofaExport.h"

namespace fonderel {
namespace {

bool HasSofaExtension(const std::string& path) {
  if (path.size() < 5) return false;
  std::string tail = path.substr(path.size() - 5);
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == ".SOFA";
}

}  // namespace

std::string SofaProposal(const std::string& sourceFile) {
  std::string name = sourceFile.substr(sourceFile.rfind('/') + 1);
  if (name.empty()) return "*.sofa";
  const std::size_t period = name.rfind('.');
  if (period != std::string::npos) name.erase(period);
  return name + ".sofa";
}

void FileExportSofa(AppState& state, Platform& platform, const std::string& version) {
  if (!state.src.HasData()) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                         "There is no source to export: open or create one first.");
    return;
  }
  const FileDialogSettings settings{"Export SOFA", kSofaFilter, 1,
                                    kDialogOverwritePrompt | kDialogHideReadOnly,
                                    SofaProposal(state.src.SourceFile), state.DialogInitialDir};
  const auto chosen = platform.ShowFileDialog(FileDialogKind::Save, settings);
  if (!chosen) return;
  const std::string path = HasSofaExtension(*chosen) ? *chosen : *chosen + ".sofa";
  platform.SetBusy(true);
  const auto written = WriteSofaFile(state.src, path, platform.Now(), version);
  platform.SetBusy(false);
  platform.ShowTextLog();
  if (!written) {
    state.AddLogLine("Error: " + written.error().Text());
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Export Error",
                         written.error().Text());
    return;
  }
  state.AddLogLine("Directivity exported as a SOFA file to: " + path);
}

}  // namespace fonderel
