#include "views/TableEditing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/NumberText.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

bool InTable(const TextTable& t, int row, int col) {
  return row >= 0 && col >= 0 && row < static_cast<int>(t.size()) &&
         col < static_cast<int>(t[static_cast<std::size_t>(row)].size());
}

std::string& Cell(TextTable& t, int row, int col) {
  return t[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

// The number at the start of a typed text as a stored value: 0 when there is
// none, and also when it lies beyond the single-precision range (it would be
// stored as infinity, which no file can carry).
float TypedValue(const std::string& text) {
  const double value = LeadingNumber(text);
  if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max()))) return 0.0f;
  return static_cast<float>(value);
}

int SelectedBandIndex(const AppState& state) {
  return static_cast<int>(std::lround(state.SelectedBand));
}

// The balloon cell behind a DATAs grid cell, when there is one.
float* BalloonCell(AppState& state, int row, int col) {
  const int band = SelectedBandIndex(state);
  if (row < 1 || row > kPlots || col < 1 || col > kPoints || !Balloon::Holds(band)) return nullptr;
  return &state.src.BalloonData(row - 1, col - 1, band);
}

// Stores a number typed into the Info table into the field of its row;
// false when the cell has no field behind it.
bool StoreInfoValue(Source& src, int row, int col, float v) {
  if (row == 1 && (col == 11 || col == 12)) {
    src.Lw(col) = v;
    return true;
  }
  if (row < 1 || row > 5 || col < 1 || col > kBandCount) return false;
  switch (row) {
    case 1:
      src.Lw(col) = v;
      break;
    case 2:
      src.DirQ(col) = v;
      break;
    case 3:
      src.Sensitivity(col) = v;
      break;
    case 4:
      src.Impedance(col) = v;
      break;
    default:
      src.Efficiency(col) = v;
      break;
  }
  return true;
}

// True (after saying so) when no source is loaded: the entry is dropped
// rather than stored where no save or view would find it.
bool RefusedWithoutSource(AppState& state, Platform& platform) {
  if (state.src.HasData()) return false;
  state.Entry = GridEntry{};
  platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, kNoSourceTitle, kNoSourceText);
  return true;
}

}  // namespace

std::string InfoEditBoxText(const AppState& state, int row, int col) {
  return InTable(state.InfoGridText, row, col)
             ? state.InfoGridText[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
             : std::string();
}

std::string DataEditBoxText(const AppState& state, int row, int col) {
  const int band = SelectedBandIndex(state);
  if (row < 1 || row > kPlots || col < 1 || col > kPoints || !Balloon::Holds(band)) return {};
  return SingleText(state.src.BalloonData(row - 1, col - 1, band));
}

void CommitInfoEntry(AppState& state, Platform& platform, int row, int col,
                     const std::string& entry, bool onEnter) {
  if (RefusedWithoutSource(state, platform)) return;
  const float value = TypedValue(entry);
  if (InTable(state.InfoGridText, row, col) && row >= 1 && col >= 1) {
    Cell(state.InfoGridText, row, col) = FormatNumber(value, "##0.00");
    platform.SetInfoTable(state.InfoGridText);
  }
  // Every stored value is an edit, however the entry was ended: a value
  // stored by an arrow key must not be lost without the question.
  if (StoreInfoValue(state.src, row, col, value)) state.src.DataSaved = kFalse;
  if (onEnter) {
    state.src.DataSaved = kFalse;
    RefreshViews(state, platform);
  }
}

void CommitInfoEditBox(AppState& state, Platform& platform, int row, int col,
                       const std::string& text) {
  if (RefusedWithoutSource(state, platform)) return;
  // What the edit box stores replaces an entry typed into the grid before F2.
  state.Entry = GridEntry{};
  if (InTable(state.InfoGridText, row, col) && row >= 1 && col >= 1) {
    Cell(state.InfoGridText, row, col) = text;
    platform.SetInfoTable(state.InfoGridText);
  }
  StoreInfoValue(state.src, row, col, TypedValue(text));
  state.src.DataSaved = kFalse;
  RefreshViews(state, platform);
}

void CommitDataEntry(AppState& state, Platform& platform, int row, int col,
                     const std::string& entry, bool onEnter) {
  if (RefusedWithoutSource(state, platform)) return;
  const std::string text = FormatNumber(TypedValue(entry), "##0.00");
  // Stored before the table is shown, so its edit box shows the new value.
  if (float* cell = BalloonCell(state, row, col)) {
    *cell = TypedValue(text);
    state.src.DataSaved = kFalse;
  }
  if (InTable(state.DataGridText, row, col) && row >= 1 && col >= 1) {
    Cell(state.DataGridText, row, col) = text;
    platform.SetDataTable(state.DataGridText);
  }
  if (onEnter) state.src.DataSaved = kFalse;
}

void CommitDataEditBox(AppState& state, Platform& platform, int row, int col,
                       const std::string& text) {
  if (RefusedWithoutSource(state, platform)) return;
  state.Entry = GridEntry{};
  const float value = TypedValue(text);
  if (float* cell = BalloonCell(state, row, col)) *cell = value;
  if (InTable(state.DataGridText, row, col) && row >= 1 && col >= 1) {
    Cell(state.DataGridText, row, col) = FormatNumber(value, "##0.00");
    platform.SetDataTable(state.DataGridText);
  }
  state.src.DataSaved = kFalse;
}

std::string SelectionText(const TextTable& grid, const GridSelection& sel) {
  const int r1 = std::min(sel.row, sel.rowSel), r2 = std::max(sel.row, sel.rowSel);
  const int c1 = std::min(sel.col, sel.colSel), c2 = std::max(sel.col, sel.colSel);
  std::string text;
  for (int r = r1; r <= r2; ++r) {
    for (int c = c1; c <= c2; ++c) {
      if (c > c1) text += '\t';
      if (InTable(grid, r, c)) text += grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    }
    text += '\r';
  }
  return text;
}

void EditCopy(AppState& state, Platform& platform, const GridSelection& sel) {
  platform.SetClipboardText(SelectionText(state.DataGridText, sel));
  platform.SetEditCommandsEnabled(true, true, true, true);
}

void EditCut(AppState& state, Platform& platform, const GridSelection& sel) {
  if (RefusedWithoutSource(state, platform)) return;
  platform.SetClipboardText(SelectionText(state.DataGridText, sel));
  // The values go from the current cell towards the selection's end only.
  for (int r = sel.row; r <= sel.rowSel; ++r) {
    for (int c = sel.col; c <= sel.colSel; ++c) {
      if (float* cell = BalloonCell(state, r, c)) {
        *cell = 0.0f;
        state.src.DataSaved = kFalse;
      }
    }
  }
  EditDelete(state, platform, sel);
  platform.SetEditCommandsEnabled(true, true, true, true);
}

void EditDelete(AppState& state, Platform& platform, const GridSelection& sel) {
  const int r1 = std::min(sel.row, sel.rowSel), r2 = std::max(sel.row, sel.rowSel);
  const int c1 = std::min(sel.col, sel.colSel), c2 = std::max(sel.col, sel.colSel);
  for (int r = r1; r <= r2; ++r) {
    for (int c = c1; c <= c2; ++c) {
      if (InTable(state.DataGridText, r, c) && r >= 1 && c >= 1) Cell(state.DataGridText, r, c).clear();
    }
  }
  platform.SetDataTable(state.DataGridText);
}

void EditPaste(AppState& state, Platform& platform, const GridSelection& sel) {
  if (RefusedWithoutSource(state, platform)) return;
  const auto clip = platform.ClipboardText();
  if (!clip) return;
  // The grid spreads the text over the selection from its first cell.
  const int r1 = std::min(sel.row, sel.rowSel), r2 = std::max(sel.row, sel.rowSel);
  const int c1 = std::min(sel.col, sel.colSel), c2 = std::max(sel.col, sel.colSel);
  int r = r1, c = c1;
  std::string cell;
  const auto put = [&] {
    if (r <= r2 && c <= c2 && InTable(state.DataGridText, r, c) && r >= 1 && c >= 1) {
      Cell(state.DataGridText, r, c) = cell;
    }
    cell.clear();
  };
  for (std::size_t i = 0; i < clip->size(); ++i) {
    const char ch = (*clip)[i];
    if (ch == '\t') {
      put();
      ++c;
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < clip->size() && (*clip)[i + 1] == '\n') ++i;
      put();
      ++r;
      c = c1;
    } else {
      cell += ch;
    }
  }
  if (!cell.empty()) put();
  platform.SetDataTable(state.DataGridText);
  platform.ProcessEvents();
  bool stored = false;
  // Read back from the current cell towards the selection's end.
  for (int row = sel.row; row <= sel.rowSel; ++row) {
    for (int col = sel.col; col <= sel.colSel; ++col) {
      if (float* value = BalloonCell(state, row, col); value && InTable(state.DataGridText, row, col)) {
        *value = TypedValue(Cell(state.DataGridText, row, col));
        state.src.DataSaved = kFalse;
        stored = true;
      }
    }
  }
  // Shown again so that everything showing a stored value follows it.
  if (stored) platform.SetDataTable(state.DataGridText);
}

void DataGridFocusChanged(AppState&, Platform& platform, bool hasFocus) {
  if (!hasFocus) {
    platform.SetEditCommandsEnabled(false, false, false, false);
    return;
  }
  platform.SetEditCommandsEnabled(true, true, platform.ClipboardText().has_value(), true);
}

void BandSelectorClicked(AppState& state, Platform& platform, int position) {
  state.SelectedBand = static_cast<float>(position + 1);
  if (state.SelectorsLive) RefreshViews(state, platform);
}

void SourceKindChosen(AppState& state, Platform&, bool loudspeaker) {
  // Taken over as soon as a button is clicked, so a save right after it
  // keeps the choice; the window stays open.
  const float kind = loudspeaker ? -1.0f : 0.0f;
  if ((state.src.SourceKind != 0.0f) == loudspeaker) return;
  state.src.SourceKind = kind;
  state.src.DataSaved = kFalse;
}

}  // namespace fonderel
