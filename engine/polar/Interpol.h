// The Interpolate Polar window as the engine sees it: the two polar tables,
// the plot shown in the table and the chart, and what the window's buttons,
// lists, keys and mouse do. The Qt window only shows `Table()` and `Chart()`
// and forwards events here.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"
#include "polar/InterpolChart.h"
#include "polar/PolarTables.h"
#include "views/TableEditing.h"

namespace fonderel {

inline constexpr const char* kInterpolDialogTitle = "Interpolate a Polar Plots File (MLSSA)";
inline constexpr const char* kInterpolFilter =
    "Octave H/V Polar (*.prn)|*.prn|1/3 Octave H/V Polar (*.txt)|*.txt|Octave 3H Polar "
    "(*.csv)|*.csv";

class InterpolModel {
 public:
  // The window's Load: both tables 0 dB, the horizontal plot of band 1 shown.
  InterpolModel();

  PolarTables tables;
  // A source was built (by the OK button or from a CSV file): the window closes.
  bool InterpolationDone = false;

  bool Horizontal() const { return horizontal_; }
  int Band() const { return band_; }
  int CurrentRow() const { return currentRow_; }
  // Row 0: "Angle (°)", "Value (dB)"; rows 1..36: the angle and the value text.
  const TextTable& Table() const { return table_; }
  const InterpolChart& Chart() const { return chart_; }

  // The band list or the Horizontal / Vertical buttons: the table shows that
  // plot in "##0.0" and the chart is drawn again.
  void ShowPlot(int band, bool horizontal);
  // The table's cursor moved: the chart marks that row.
  void SetCurrentRow(int row);
  // An entry typed into a value cell: the cell shows its number in "##0.0".
  void CommitEntry(int row, const std::string& entry);
  // A mouse press in the chart at (x, y) in chart units.
  void MousePress(double x, double y);
  // Ctrl+C and Ctrl+V on the table's selection.
  std::string Copy(const GridSelection& sel) const;
  void Paste(const GridSelection& sel, const std::string& text);

  // The "Load from File..." button. A PRN or TXT file fills the tables,
  // the horizontal plot lending its 0° and 180° values to the vertical one
  // in every band; a CSV file builds the whole source, and the window is done. A file that
  // cannot be read is reported and changes nothing.
  void LoadFile(AppState& state, Platform& platform);
  // Reads `path` as LoadFile does after its dialog; false when it was not
  // read (and the user was told why).
  bool LoadPath(AppState& state, Platform& platform, const std::string& path);
  // The "OK - compute the balloon" button: true when the source was built
  // and the window may close.
  bool Compute(AppState& state, Platform& platform);

 private:
  // Draws the chart and stores the table into the shown plot; the 0° and 180°
  // values go into the other plot too.
  void Redraw();

  bool horizontal_ = true;
  int band_ = 1;
  int currentRow_ = 1;
  TextTable table_;
  InterpolChart chart_;
};

// File › Interpolate Polar before its window: the unsaved-data question and
// the reset. False when the user cancels.
bool BeginInterpolatePolar(AppState& state, Platform& platform);
// After the window closed: the caption, and the Standard layout when a
// source was built.
void EndInterpolatePolar(AppState& state, Platform& platform, bool interpolationDone);

}  // namespace fonderel
