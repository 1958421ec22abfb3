// The File menu: the unsaved-data prompt, Open with its dispatch and errors,
// Save and Save As with their names and failures, Print.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FileCommands.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

namespace fs = std::filesystem;
using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

const std::string kPrompt = std::string("ShowMessage Warning|") + kUnsavedDataText;

struct Session {
  AppState state;
  RecordingPlatform platform;
  TempDir dir;
  std::string golden = Slurp(DataPath("LOUD_3_8.SPK"));
  std::string loaded;  // the file the description came from

  // LOUD_3_8.SPK (bands 3..8, "XYZ") copied into the folder and read.
  Session() {
    loaded = dir / "LOUD.SPK";
    Spit(loaded, golden);
    EXPECT_TRUE(ReadSpkFile(state, platform, loaded));
    state.src.SourceFile = loaded;
    state.src.DataSaved = kTrue;
    platform.calls.clear();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const std::string& c : platform.calls)
      if (c.rfind("ShowMessage ", 0) == 0) out.push_back(c);
    return out;
  }
  std::string LastCaption() const {
    std::string caption = "(none)";
    for (const std::string& c : platform.calls)
      if (c.rfind("Caption ", 0) == 0) caption = c.substr(8);
    return caption;
  }
};

enum class Command { New, Open, Close };

// Runs the command; true when it went on past the prompt.
bool RunCommand(Command command, Session& s) {
  switch (command) {
    case Command::New:
      FileNew(s.state, s.platform);
      return !s.state.src.HasData();
    case Command::Open:
      FileOpen(s.state, s.platform);
      return s.platform.Called("OpenDialog Open a Source File");
    case Command::Close:
      FileExit(s.state, s.platform);
      EXPECT_TRUE(s.platform.Called("CloseMainWindow"));
      EXPECT_EQ(s.state.Quitting, kTrue);
      return QueryClose(s.state, s.platform);
  }
  return false;
}

TEST(FileCommands, UnsavedDataPrompt) {
  const struct {
    std::optional<MessageAnswer> answer;  // nullopt: data saved, no prompt
    bool saveAsChoosesFile;
    bool goesOn;
  } flows[] = {
      {MessageAnswer::Yes, true, true},  {MessageAnswer::Yes, false, true},
      {MessageAnswer::No, false, true},  {MessageAnswer::Cancel, false, false},
      {std::nullopt, false, true},
  };
  for (const Command command : {Command::New, Command::Open, Command::Close}) {
    for (const auto& flow : flows) {
      SCOPED_TRACE(::testing::Message() << "command " << static_cast<int>(command) << ", answer "
                                        << (flow.answer ? static_cast<int>(*flow.answer) : -1)
                                        << (flow.saveAsChoosesFile ? ", saved" : ""));
      Session s;
      const std::string saved = s.dir / "SAVED.SPK";
      if (flow.answer) {
        s.state.src.DataSaved = kFalse;
        s.platform.answers = {*flow.answer};
      }
      s.platform.files = {flow.saveAsChoosesFile ? std::optional(saved) : std::nullopt,
                          std::nullopt};
      EXPECT_EQ(RunCommand(command, s), flow.goesOn);
      EXPECT_EQ(s.platform.Called(kPrompt), flow.answer.has_value());
      const bool yes = flow.answer == MessageAnswer::Yes;
      EXPECT_EQ(s.platform.Called("SaveDialog Save a Source File"), yes);
      EXPECT_EQ(fs::exists(saved), flow.saveAsChoosesFile);
      if (flow.saveAsChoosesFile) {
        EXPECT_EQ(Slurp(saved), s.golden);  // Save As wrote the description
      }
      if (!flow.goesOn) {
        EXPECT_EQ(s.state.src.SourceName, "XYZ");
        EXPECT_EQ(s.state.src.FirstBand, 3);
        EXPECT_EQ(s.state.src.DataSaved, kFalse);
        EXPECT_FALSE(s.platform.Called("OpenDialog Open a Source File"));
      }
      if (command == Command::Close) {
        EXPECT_EQ(s.state.Quitting, flow.goesOn ? kTrue : kFalse);
      }
    }
  }
}

// Yes, then a save that fails: going on would throw the unsaved data away.
TEST(FileCommands, FailedSaveInThePromptStopsTheCommand) {
  for (const Command command : {Command::New, Command::Open, Command::Close}) {
    SCOPED_TRACE(static_cast<int>(command));
    Session s;
    const std::string blocked = s.dir / "FOLDER.SPK";
    fs::create_directory(blocked);
    s.state.src.DataSaved = kFalse;
    s.platform.answers = {MessageAnswer::Yes};
    s.platform.files = {blocked};
    EXPECT_FALSE(RunCommand(command, s));
    EXPECT_EQ(s.Messages().back().rfind("ShowMessage Save Error|", 0), 0u);
    EXPECT_EQ(s.state.src.SourceName, "XYZ");
    EXPECT_EQ(s.state.src.DataSaved, kFalse);
    EXPECT_FALSE(s.platform.Called("OpenDialog Open a Source File"));
    if (command == Command::Close) {
      EXPECT_EQ(s.state.Quitting, kFalse);
    }
  }
}

TEST(FileCommands, OpenCancelledLeavesAnEmptyDescription) {
  Session s;
  s.state.src.DataSaved = kFalse;
  s.platform.answers = {MessageAnswer::No};
  FileOpen(s.state, s.platform);
  EXPECT_FALSE(s.state.src.HasData());
  EXPECT_EQ(s.state.src.SourceName, "");
  EXPECT_EQ(s.state.src.SourceFile, "");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.platform.calls.back(), "OpenDialog Open a Source File");
  EXPECT_EQ(s.LastCaption(), "Fonderel ");
}

// The chosen path keeps its case; only the extension test ignores it. The
// next dialog starts in the folder of the file chosen.
TEST(FileCommands, OpenKeepsThePathAndStartsTheNextDialogBesideIt) {
  Session s;
  fs::create_directories(s.dir / "Mixed Case");
  const std::string path = s.dir / "Mixed Case/Horn.spk";
  Spit(path, s.golden);
  s.state.DialogInitialDir = "/opt/fonderel/sources";
  s.platform.files = {path, std::nullopt};
  FileOpen(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 1u);
  const FileDialogSettings& d = s.platform.fileDialogs[0];
  EXPECT_EQ(d.title, "Open a Source File");
  EXPECT_EQ(d.filter,
            "Plivox Speaker Files (*.spk)|*.spk|Catt SD1 Files (*.txt)|*.txt|Modeler 3.0 Files "
            "(*.mdl)|*.mdl|Modeler 3.1 Files (*.)|*.|EASE Ascii files (*.eas)|*.eas|SOFA Files "
            "(*.sofa)|*.sofa");
  EXPECT_EQ(d.filterIndex, 1);
  EXPECT_EQ(d.flags, 4100);
  EXPECT_EQ(d.fileName, "*.SPK");
  EXPECT_EQ(d.initialDir, "/opt/fonderel/sources");
  EXPECT_EQ(s.state.src.SourceFile, path);
  EXPECT_EQ(s.state.src.FirstBand, 3);
  EXPECT_EQ(s.state.src.LastBand, 8);
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.LastCaption(), "Fonderel " + path);
  EXPECT_TRUE(s.Messages().empty());
  FileOpen(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 2u);
  EXPECT_EQ(s.platform.fileDialogs[1].initialDir, s.dir / "Mixed Case");
}

// Names whose last three characters are not "SPK" (any case) go to the
// importers, which report what they cannot read as an import error, logged
// after "Error:" (the CATT reader's box shows its own message about the
// file's first line, without the file's name).
TEST(FileCommands, OpenOfAForeignFileGoesToTheImporters) {
  for (const std::string name : {"horn.eas", "HORN.TXT", "horn.Mdl", "HORN", "horn.spk.bak"}) {
    SCOPED_TRACE(name);
    Session s;
    const std::string path = s.dir / name;
    Spit(path, "not a loudspeaker\r\n");
    s.platform.files = {path};
    FileOpen(s.state, s.platform);
    const auto messages = s.Messages();
    ASSERT_EQ(messages.size(), 1u);
    if (name == "HORN.TXT") {
      const std::string text =
          "The TXT file does not appear to be a valid export file from CATT in SD1 format";
      EXPECT_EQ(messages[0], "ShowMessage Import Error|" + text);
      EXPECT_EQ(s.state.log.Lines().back(), "Error: " + path + ", line 1: " + text);
    } else {
      EXPECT_EQ(messages[0].rfind("ShowMessage Import Error|" + path, 0), 0u) << messages[0];
      EXPECT_EQ(s.state.log.Lines().back(), "Error: " + messages[0].substr(25));
    }
    EXPECT_FALSE(s.state.src.HasData());
    EXPECT_EQ(s.state.src.SourceFile, "");
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(s.LastCaption(), "Fonderel ");
  }
}

// A file that breaks off inside its geometry section: nothing of it stays,
// not even the Geometry menu item.
TEST(FileCommands, OpenOfACorruptSpkFileLoadsNothing) {
  Session s;
  const std::string noise = Slurp(DataPath("NOISE_GEOMETRY.SPK"));
  const std::string path = s.dir / "Noise.Spk";
  Spit(path, noise.substr(0, noise.find(" Face 4 -2")) + " Face 4 -2  3    -.5 x\r\n");
  s.platform.files = {path};
  FileOpen(s.state, s.platform);
  const auto messages = s.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("ShowMessage Read Error|" + path + ", line ", 0), 0u)
      << messages[0];
  EXPECT_FALSE(s.state.src.HasData());
  EXPECT_EQ(s.state.src.SourceName, "");
  EXPECT_EQ(s.state.src.NFaces, 0);
  EXPECT_EQ(s.state.src.SourceFile, "");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_FALSE(s.platform.Called("ViewGeometry on"));
  EXPECT_TRUE(s.platform.headers.empty());
}

TEST(FileCommands, SaveWithoutAFileIsSaveAs) {
  Session s;
  s.state.src.SourceFile.clear();
  s.state.src.DataSaved = kFalse;
  FileSave(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 1u);
  EXPECT_EQ(s.platform.fileDialogs[0].title, "Save a Source File");
  EXPECT_EQ(s.platform.fileDialogs[0].fileName, "*.SPK");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);  // cancelled: nothing saved
  EXPECT_TRUE(s.Messages().empty());
}

// The writer appends ".SPK" to a name without extension; SourceFile keeps
// the text it had, so the next Save goes to the same file again.
TEST(FileCommands, SaveWritesTheCurrentFileAndKeepsItsName) {
  Session s;
  const std::string bare = s.dir / "speaker";
  s.state.src.SourceFile = bare;
  s.state.src.DataSaved = kFalse;
  FileSave(s.state, s.platform);
  EXPECT_TRUE(s.platform.fileDialogs.empty());
  EXPECT_EQ(Slurp(bare + ".SPK"), s.golden);  // the description written back byte for byte
  EXPECT_FALSE(fs::exists(bare));
  EXPECT_EQ(s.state.src.SourceFile, bare);
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_TRUE(s.Messages().empty());
}

TEST(FileCommands, SaveAsProposal) {
  const struct {
    const char* sourceFile;
    const char* proposal;
  } cases[] = {
      {"/data/HORN.MDL", "HORN.SPK"}, {"/data/horn.mdl", "horn.SPK"},
      {"/data/Horn.spk", "Horn.spk"}, {"", "*.SPK"},
      {"HORN.Mdl", "HORN.SPK"},       {"/data/x.mdl/HORN", "HORN"},
      {"/data/horn.mdl.bak", "horn.mdl.bak"},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveAsProposal(c.sourceFile), c.proposal) << c.sourceFile;
}

TEST(FileCommands, SaveAsWritesTheChosenFileAndMakesItCurrent) {
  Session s;
  s.state.src.SourceFile = "/data/Horn.mdl";
  s.state.src.DataSaved = kFalse;
  s.state.DialogInitialDir = "/opt/fonderel/sources";
  fs::create_directories(s.dir / "Out");
  const std::string chosen = s.dir / "Out/speaker";
  s.platform.files = {chosen};
  FileSaveAs(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 1u);
  const FileDialogSettings& d = s.platform.fileDialogs[0];
  EXPECT_EQ(d.title, "Save a Source File");
  EXPECT_EQ(d.filter, "Plivox Speaker Files (*.spk)|*.spk");
  EXPECT_EQ(d.filterIndex, 1);
  EXPECT_EQ(d.flags, 6);
  EXPECT_EQ(d.fileName, "Horn.SPK");
  EXPECT_EQ(d.initialDir, "/opt/fonderel/sources");
  EXPECT_EQ(s.state.src.SourceFile, chosen + ".SPK");
  EXPECT_EQ(Slurp(chosen + ".SPK"), s.golden);
  EXPECT_EQ(s.LastCaption(), "Fonderel " + chosen + ".SPK");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.state.DialogInitialDir, s.dir / "Out");
}

// A save that fails is reported, keeps the data unsaved and the current file
// as it was, and leaves the file on disk untouched.
TEST(FileCommands, FailedSaveKeepsEverything) {
  const struct {
    const char* what;
    bool saveAs;
    const char* target;  // below the session folder
    bool unwritableValue;
  } cases[] = {
      {"Save As onto a folder", true, "taken.SPK", false},
      {"Save As into a missing folder", true, "missing/x.SPK", false},
      {"Save onto a folder", false, "taken.SPK", false},
      {"Save of a level without number text", false, "LOUD.SPK", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session s;
    fs::create_directories(s.dir / "taken.SPK");
    const std::string target = s.dir / c.target;
    const std::string before = c.saveAs ? s.loaded : target;
    s.state.src.SourceFile = before;
    s.state.src.DataSaved = kFalse;
    if (c.unwritableValue) s.state.src.Lw(6) = std::nanf("");
    s.platform.files = {target};
    if (c.saveAs) {
      FileSaveAs(s.state, s.platform);
    } else {
      FileSave(s.state, s.platform);
    }
    const auto messages = s.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("ShowMessage Save Error|" + target, 0), 0u) << messages[0];
    EXPECT_EQ(s.state.log.Lines().back(), "Error: " + messages[0].substr(23));
    EXPECT_EQ(s.state.src.DataSaved, kFalse);
    EXPECT_EQ(s.state.src.SourceFile, before);
    EXPECT_EQ(Slurp(s.loaded), s.golden);
    EXPECT_TRUE(fs::is_directory(s.dir / "taken.SPK"));
    EXPECT_EQ(s.LastCaption(), "(none)");
  }
}

TEST(FileCommands, PrintAndPrinterSetup) {
  const struct {
    std::optional<bool> printer;  // nullopt: Printer Setup
    std::vector<std::string> calls;
  } cases[] = {
      {false, {"PrinterDialog 0"}},
      {true, {"PrinterDialog 0", "PrintBalloonImage"}},
      {std::nullopt, {"PrinterDialog 64"}},
  };
  for (const auto& c : cases) {
    AppState state;
    RecordingPlatform platform;
    if (c.printer) {
      platform.printers = {*c.printer};
      FilePrint(state, platform);
    } else {
      platform.printers = {true};
      FilePrinterSetup(state, platform);
    }
    EXPECT_EQ(platform.calls, c.calls);
  }
}

}  // namespace
}  // namespace fonderel
