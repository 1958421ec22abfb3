// Edits through the Info and DATAs tables: committing a typed entry or the
// edit box, the Edit menu's clipboard commands on the DATAs selection, the
// band selectors and the source-kind buttons.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

// The grid's current cell and the far corner of its selection (grid rows and
// columns; row 0 and column 0 are fixed).
struct GridSelection {
  int row = 1, col = 1, rowSel = 1, colSel = 1;
};

// What an entry into a table of an empty source is refused with: there is no
// band to hold it, and a save would have nothing to write.
inline constexpr const char* kNoSourceTitle = "Warning";
inline constexpr const char* kNoSourceText =
    "There are no source data: open, import or create a source first.";

// The edit box text for a cell: the Info cell as displayed; the balloon
// value of a DATAs cell in full precision.
std::string InfoEditBoxText(const AppState& state, int row, int col);
std::string DataEditBoxText(const AppState& state, int row, int col);

// A typed entry committed in InfoGrid: the cell shows its number in "##0.00"
// and the field of the row takes the number, which counts as a change; on
// Enter the views are refreshed too. Every commit and the clipboard's Cut
// and Paste are refused with kNoSourceText while no source is loaded.
void CommitInfoEntry(AppState& state, Platform& platform, int row, int col,
                     const std::string& entry, bool onEnter);
// Enter in Icell: the cell takes the text unchanged, the field its number.
void CommitInfoEditBox(AppState& state, Platform& platform, int row, int col,
                       const std::string& text);
// A typed entry committed in DataGrid: the value rounded to two decimals is
// stored, which counts as a change (Enter or an arrow key alike).
void CommitDataEntry(AppState& state, Platform& platform, int row, int col,
                     const std::string& entry, bool onEnter);
// Enter in Cell: the value in full precision is stored.
void CommitDataEditBox(AppState& state, Platform& platform, int row, int col,
                       const std::string& text);

// The selection's text as the grid gives it: cells separated by tabs, each
// row ended by a carriage return.
std::string SelectionText(const TextTable& grid, const GridSelection& sel);
void EditCopy(AppState& state, Platform& platform, const GridSelection& sel);
void EditCut(AppState& state, Platform& platform, const GridSelection& sel);
void EditDelete(AppState& state, Platform& platform, const GridSelection& sel);
void EditPaste(AppState& state, Platform& platform, const GridSelection& sel);
// DataGrid gained or lost the input focus: the Edit menu follows.
void DataGridFocusChanged(AppState& state, Platform& platform, bool hasFocus);

// A click on a band selector (list position 0..9).
void BandSelectorClicked(AppState& state, Platform& platform, int position);
// The Info window's source-kind buttons taken over into the data (-1 for a
// loudspeaker, 0 for a noise source); clicking the button already on changes nothing.
void SourceKindChosen(AppState& state, Platform& platform, bool loudspeaker);

}  // namespace fonderel
