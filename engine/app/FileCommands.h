// The File menu's commands and the questions around them, as flows against
// the Platform, so each runs the same in the program and in the tests.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kUnsavedDataText =
    "The current data were not saved! Do You want to save them now ?";
inline constexpr const char* kOpenFilter =
    "Plivox Speaker Files (*.spk)|*.spk|Catt SD1 Files (*.txt)|*.txt|Modeler 3.0 Files "
    "(*.mdl)|*.mdl|Modeler 3.1 Files (*.)|*.|EASE Ascii files (*.eas)|*.eas|SOFA Files "
    "(*.sofa)|*.sofa|CLF Text Files (*.tab)|*.tab";
inline constexpr const char* kSaveFilter = "Plivox Speaker Files (*.spk)|*.spk";

// The unsaved-data prompt of New, Open and the importers: false when the
// user cancels; Yes runs Save As first (the command goes on also when Save As
// is cancelled, but not when the save failed: the data would be lost).
bool AskAboutUnsavedData(AppState& state, Platform& platform);

void FileNew(AppState& state, Platform& platform);
void FileOpen(AppState& state, Platform& platform);
void FileSave(AppState& state, Platform& platform);
// Save As; tells whether the file was written, the dialog cancelled, or the
// writing failed (already reported to the user).
enum class SaveOutcome { Saved, Cancelled, Failed };
SaveOutcome FileSaveAs(AppState& state, Platform& platform);
void FilePrint(AppState& state, Platform& platform);
void FilePrinterSetup(AppState& state, Platform& platform);
// File Import: a foreign loudspeaker file chosen in the dialog, read by the
// reader its extension selects (a name ending in "SPK" goes to the Modeler
// reader, as every name the table does not know).
void FileImport(AppState& state, Platform& platform);
inline constexpr const char* kImportFilter =
    "Catt SD1 Files (*.txt)|*.txt|Modeler 3.0 Files (*.mdl)|*.mdl|Modeler 3.1 Files (*.)|*.|"
    "EASE Ascii files (*.eas)|*.eas|SOFA Files (*.sofa)|*.sofa|CLF Text Files (*.tab)|*.tab";

// A command whose window comes with a later version: says so.
void NotAvailableYet(Platform& platform, const std::string& command);

// Asks the main window to close; its closing runs QueryClose.
void FileExit(AppState& state, Platform& platform);

// Reads a chosen file as File Open does after its dialog: the reader its name
// selects, a foreign file's SPK name, the caption, DataSaved. A file that
// cannot be read is reported and leaves the description empty.
void OpenSourcePath(AppState& state, Platform& platform, const std::string& path,
                    bool importing = false);

// The name Save As proposes: the current file's name without its folder, a
// final ".mdl" (any case) becoming ".SPK"; "*.SPK" when there is none.
std::string SaveAsProposal(const std::string& sourceFile);

// The main window is closing: asks about unsaved data. False when the user
// cancels, and the program then goes on as before (Quitting is 0 again).
bool QueryClose(AppState& state, Platform& platform);

// True when the file can be opened for reading.
bool FileExists(const std::string& path);

// The main window caption shows the current file.
void RefreshCaption(const AppState& state, Platform& platform);

}  // namespace fonderel
