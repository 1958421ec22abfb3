// The measurement window's behaviour: its load step, the arrangement choice,
// the grid, "Display Lw", "OK - proceed", "Save to File", "Load from File",
// the spectrum of one microphone, and the File menu command that opens it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/FileError.h"
#include "core/Platform.h"
#include "iso3744/IsoReport.h"
#include "iso3744/IsoView.h"

namespace fonderel {

inline constexpr const char* kUnsavedSpkText =
    "The current Tarvesk Source data (*.SPK) were not saved! Do You want to save them now ?";
inline constexpr const char* kUnsavedInputText =
    "The current input data (Sound Pressure Levels, etc.) were not saved! Do You want to save "
    "them now ?";

// The title of the grid's last row, the background levels.
inline constexpr const char* kBackgroundRowTitle = "Lb - dB";
inline constexpr const char* kPrintFailedText =
    "The window could not be printed: the printer chosen could not be opened.";

enum class DimensionField { Lenght, Widt, Heigh, Volume };

// The grid of levels and reverberation times for the current microphone count.
TextTable MeasurementGrid(const AppState& state);

// The chart of "Display Lw" for the sound power just computed.
BarChart SoundPowerChart(const Source& src, const std::vector<std::string>& notes);

class IsoSession {
 public:
  IsoSession(AppState& state, Platform& platform, IsoView& view);

  // The load step, once per opening of the window; activating the window
  // again changes nothing.
  void Load();
  // A choice in Nmics (position 0..4, -1 for none).
  void NmicsClick(int position);
  void SetupMeasurementLayout();
  // A dimension box lost the focus after the user typed into it.
  void DimensionEdited(DimensionField field, const std::string& text);
  // The Volume box's text as it stands (the computation reads it again).
  void VolumeTyped(const std::string& text) { volumeText_ = text; }

  // A typed grid entry committed in a cell; returns the cell's new text.
  std::string GridCommit(int row, int col, const std::string& entry, bool onEnter);
  // Enter in the edit box Cell; returns the cell's new text.
  std::string EditBoxEnter(int row, int col, const std::string& text);
  // What Cell shows for a cell.
  std::string CellEditText(int row, int col) const;

  void DispLw();
  void ChartClicked() { view_.ShowPicture(); }
  void OK();
  void SaveToFile();
  void LoadFromFile();
  // A double click on grid row `row`.
  void LoadMicSpectrum(int row);
  // "Print Window": the print dialog, then the window's image on the printer
  // chosen; a printer that cannot be opened is said.
  void PrintWindow();
  // "Report...": computes, asks where to write and writes the report page.
  void WriteReport();
  IsoReportWriter reportWriter;  // the desktop layer paints the page

  float InputSaved = -1.0f;    // -1: the input equals what was last loaded or saved
  float PendingAction = 0.0f;  // 1: save after the heading dialog; 2: finish OK

 private:
  bool Compute();
  void LoadMicLayout();
  void FinishMeasurement();
  void WriteMeasFile(const std::string& path);
  void ShowDimensions();
  void ReportRead(const FileError& error);
  void SelectArrangementForCount();

  AppState& state_;
  Platform& platform_;
  IsoView& view_;
  std::string volumeText_ = "200";
  std::vector<std::string> lastNotes_;  // notes and grade lines of the last computation
  std::optional<SoundPowerResult> lastResult_;
};

// File › "C&reate Source ISO 3744...": the regional check, the unsaved-data
// question, the reset, the window (run by `showWindow` until it closes), and
// the question about the new source.
void FileCreateNoise(AppState& state, Platform& platform, const std::function<void()>& showWindow);

}  // namespace fonderel
