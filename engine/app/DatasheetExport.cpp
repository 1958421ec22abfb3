#include "app/DatasheetExport.h"

#include <algorithm>

namespace fonderel {
namespace {

constexpr int kOneKilohertz = 6;

std::vector<int> BandsWithData(const Source& src) {
  std::vector<int> bands;
  for (int b = std::max<int>(src.FirstBand, 1); b <= std::min<int>(src.LastBand, kBandCount); ++b) {
    if (src.BandPresent(b)) bands.push_back(b);
  }
  return bands;
}

// "HORN.SPK" from "C:\DATA\HORN.SPK" or "/data/HORN.SPK", with ".pdf".
std::string PdfName(const std::string& sourceFile) {
  std::string name = sourceFile.substr(sourceFile.find_last_of("/\\") + 1);
  if (name.empty()) return "DATASHEET.pdf";
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return name + ".pdf";
}

}  // namespace

int DatasheetBand(const Source& src) {
  for (int distance = 0; distance < kBandCount; ++distance) {
    for (int b : {kOneKilohertz - distance, kOneKilohertz + distance}) {
      if (Balloon::Holds(b) && b >= src.FirstBand && b <= src.LastBand && src.BandPresent(b)) return b;
    }
  }
  return 0;
}

std::vector<int> DatasheetPolarBands(const Source& src, int band) {
  const std::vector<int> held = BandsWithData(src);
  if (held.size() <= 3) return held;
  const int middle = band > held.front() && band < held.back() ? band : held[held.size() / 2];
  return {held.front(), middle, held.back()};
}

void FileExportDatasheet(AppState& state, Platform& platform, const DatasheetWriter& write) {
  const int band = DatasheetBand(state.src);
  if (band == 0) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                         "There is no source data to put on a datasheet.");
    return;
  }
  FileDialogSettings settings;
  settings.title = "Export Datasheet";
  settings.filter = "PDF Files (*.pdf)|*.pdf|SVG Files (*.svg)|*.svg";
  settings.flags = kDialogOverwritePrompt | kDialogHideReadOnly;
  settings.fileName = PdfName(state.src.SourceFile);
  settings.initialDir = state.DialogInitialDir;
  const std::optional<std::string> path = platform.ShowFileDialog(FileDialogKind::Save, settings);
  if (!path) return;
  platform.SetBusy(true);
  const std::expected<void, FileError> written = write(state.src, band, *path);
  platform.SetBusy(false);
  if (!written) {
    state.AddLogLine("Datasheet not written: " + written.error().Text());
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                         written.error().Text());
    return;
  }
  state.AddLogLine("Datasheet written to: " + *path);
}

}  // namespace fonderel
