#include "polar/Interpol.h"

#include <cmath>

#include "app/FileCommands.h"
#include "app/WindowCommands.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "polar/PolarFiles.h"
#include "polar/PolarInterpolation.h"

namespace fonderel {
namespace {

// A cell's text as a level: its leading number, 0 when there is none or when
// it lies beyond the single-precision range.
float CellLevel(const std::string& text) {
  const auto level = static_cast<float>(LeadingNumber(text));
  return std::isfinite(level) ? level : 0.0f;
}

// The 0° and 180° points belong to both plots. After a load the window shows
// the horizontal plot, which lends them to the vertical one in every band,
// as it does for the band on show.
void ShareAxisAndRear(PolarTables& t) {
  for (int b = 1; b <= kBandCount; ++b) {
    t.VertPolar(0, b) = t.HorizPolar(0, b);
    t.VertPolar(kPoints / 2, b) = t.HorizPolar(kPoints / 2, b);
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

InterpolModel::InterpolModel() {
  table_.push_back({"Angle (\xB0)", "Value (dB)"});
  for (int r = 1; r <= kPoints; ++r) table_.push_back({std::to_string(10 * (r - 1)), "0.0"});
  Redraw();
}

void InterpolModel::ShowPlot(int band, bool horizontal) {
  if (!Indexed<int, 1, kBandCount>::Holds(band)) return;
  band_ = band;
  horizontal_ = horizontal;
  const PolarPlot& plot = horizontal ? tables.HorizPolar : tables.VertPolar;
  for (int r = 1; r <= kPoints; ++r) {
    table_[static_cast<std::size_t>(r)][1] = FormatNumber(plot(r - 1, band), "##0.0");
  }
  Redraw();
}

void InterpolModel::SetCurrentRow(int row) {
  if (row < 1 || row > kPoints) return;
  currentRow_ = row;
  Redraw();
}

void InterpolModel::CommitEntry(int row, const std::string& entry) {
  if (row < 1 || row > kPoints) return;
  table_[static_cast<std::size_t>(row)][1] = FormatNumber(CellLevel(entry), "##0.0");
  Redraw();
}

void InterpolModel::MousePress(double x, double y) {
  const MousePoint point = MousePointAt(x, y, chart_.top);
  currentRow_ = point.row;
  table_[static_cast<std::size_t>(point.row)][1] = FormatNumber(point.value, "##0.0");
  Redraw();
}

std::string InterpolModel::Copy(const GridSelection& sel) const {
  return SelectionText(table_, sel);
}

void InterpolModel::Paste(const GridSelection& sel, const std::string& text) {
  // The text is spread over the selection from its first cell; what lies
  // outside the selection or in the angle column is dropped.
  const int r1 = std::min(sel.row, sel.rowSel), r2 = std::max(sel.row, sel.rowSel);
  const int c1 = std::min(sel.col, sel.colSel), c2 = std::max(sel.col, sel.colSel);
  int r = r1, c = c1;
  std::string cell;
  const auto put = [&] {
    if (r <= r2 && c <= c2 && r >= 1 && r <= kPoints && c == 1) {
      table_[static_cast<std::size_t>(r)][1] = cell;
    }
    cell.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\t') {
      put();
      ++c;
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      put();
      ++r;
      c = c1;
    } else {
      cell += ch;
    }
  }
  if (!cell.empty()) put();
  Redraw();
}

void InterpolModel::Redraw() {
  std::array<double, kPoints> values{};
  PolarPlot& shown = horizontal_ ? tables.HorizPolar : tables.VertPolar;
  PolarPlot& other = horizontal_ ? tables.VertPolar : tables.HorizPolar;
  for (int r = 1; r <= kPoints; ++r) {
    const float level = CellLevel(table_[static_cast<std::size_t>(r)][1]);
    values[static_cast<std::size_t>(r - 1)] = level;
    shown(r - 1, band_) = level;
  }
  // Both plots pass through the axis and the rear.
  other(0, band_) = shown(0, band_);
  other(18, band_) = shown(18, band_);
  chart_ = MakeInterpolChart(values, currentRow_);
}

void InterpolModel::LoadFile(AppState& state, Platform& platform) {
  const FileDialogSettings settings{kInterpolDialogTitle,
                                    kInterpolFilter,
                                    1,
                                    kDialogFileMustExist | kDialogHideReadOnly,
                                    "*.prn",
                                    state.DialogInitialDir};
  const auto path = platform.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  state.DialogInitialDir = FolderOf(*path);
  LoadPath(state, platform, *path);
}

bool InterpolModel::LoadPath(AppState& state, Platform& platform, const std::string& path) {
  const PolarFormat format = PolarFormatOfPath(path);
  if (format == PolarFormat::Unknown) {
    platform.Beep();
    return false;
  }
  const auto report = [&](const FileError& error) {
    state.AddLogLine("Error: " + error.Text());
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Read Error", error.Text());
  };
  platform.SetBusy(true);
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    platform.SetBusy(false);
    report(bytes.error());
    return false;
  }
  if (format == PolarFormat::Csv) {
    const std::string before = state.src.SourceFile;
    state.src.SourceFile = path;
    auto built = ReadCsvPolar(state, platform, *bytes, path);
    platform.SetBusy(false);
    if (!built) {
      state.src.SourceFile = before;
      report(built.error());
      return false;
    }
    InterpolationDone = true;
  } else {
    auto read =
        format == PolarFormat::Prn ? ReadPrnPolar(*bytes, path) : ReadTxtPolar(*bytes, path);
    platform.SetBusy(false);
    if (!read) {
      report(read.error());
      return false;
    }
    tables = *read;
    ShareAxisAndRear(tables);
    currentRow_ = 1;
    ShowPlot(1, true);
  }
  state.src.SourceFile = PolarResultName(path);
  platform.SetCaption(Caption(state.src));
  return true;
}

bool InterpolModel::Compute(AppState& state, Platform& platform) {
  if (auto built = InterpolatePolarTables(tables, state, platform); !built) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning", built.error());
    return false;
  }
  InterpolationDone = true;
  return true;
}

bool BeginInterpolatePolar(AppState& state, Platform& platform) {
  if (!AskAboutUnsavedData(state, platform)) return false;
  ResetSource(state, platform, false);
  return true;
}

void EndInterpolatePolar(AppState& state, Platform& platform, bool interpolationDone) {
  platform.SetCaption(Caption(state.src));
  if (interpolationDone) StandardLayout(state, platform);
}

}  // namespace fonderel
