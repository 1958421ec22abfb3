// The one application state object, owned by the program and passed by
// reference: the source description, the text log and the view state.
#pragma once

#include <string>

#include "app/RecentFiles.h"
#include "core/Indexed.h"
#include "core/Platform.h"
#include "core/Source.h"
#include "core/TextLog.h"
#include "iso3744/Measurement.h"
#include "views/GridEntry.h"

namespace fonderel {

struct AppState {
  Source src;
  TextLog log;

  // View state.
  float SelectedBand = 1.0f;       // band whose balloon the views show
  float LastRefreshTime = 0.0f;    // seconds since midnight of the last refresh
  bool SelectorsFilled = false;    // the band selectors hold their ten entries
  bool Refreshing = false;         // a refresh is running (its own selector events re-enter)
  bool TrailingRefreshAsked = false;
  TextTable InfoGridText;          // the Info and DATAs tables as their cells show them
  TextTable DataGridText;
  GridEntry Entry;                 // the typing state shared by the editable grids

  // ISO 3744 measurement levels MicLp(microphone 0..100, band 0..10), dB.
  Indexed2<float, 0, 100, 0, kBandCount> MicLp;
  Measurement Iso;                 // the rest of the measurement, kept between openings

  bool SelectorsLive = false;      // a band selector click refreshes the views

  std::int16_t Quitting = kFalse;  // the program is closing
  std::string AppPath;             // the folder holding sources/ and Manual/
  std::string DialogInitialDir;    // where the file dialogs start
  RecentFiles Recent;              // the File menu's last files opened or saved

  void AddLogLine(std::string_view text) { log.AddLogLine(text); }
};

// The main window caption: "Fonderel " followed by the current file.
std::string Caption(const Source& src);

// Empties the description and hides the views; with clearPicture also clears
// the main window's picture box.
void ResetSource(AppState& state, Platform& platform, bool clearPicture);

}  // namespace fonderel
