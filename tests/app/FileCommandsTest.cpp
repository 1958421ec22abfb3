// The File menu: the unsaved-data prompt, Open with its dispatch and errors,
// Save and Save As with their names and failures, Print.
#include "app/FileCommands.h"

#include <filesystem>

#include "app/CaseData.h"

namespace fonderel {
namespace {

namespace fs = std::filesystem;
using test::DataPath;
using test::Slurp;
using test::Spit;

const std::string kPrompt = std::string("ShowMessage Warning|") + kUnsavedDataText;

// LOUD_3_8.SPK (bands 3..8, "XYZ") copied into a fresh folder and read from there.
struct Session {
  test::TempDir dir;
  std::string golden = Slurp(DataPath("LOUD_3_8.SPK"));
  std::string loaded = dir / "LOUD.SPK";
  bool copied = (Spit(loaded, golden), true);
  test::LoadedSource<> l{loaded};
  AppState& state = l.state;
  test::RecordingPlatform& platform = l.platform;
  Session() { state.src.SourceFile = loaded; }
  std::vector<std::string> Messages() const {
    return test::CallsStarting(platform, "ShowMessage ");
  }
};

void ExpectDialog(const FileDialogSettings& d, const test::Json& want) {
  EXPECT_EQ(d.title, want["title"]);
  EXPECT_EQ(d.filter, want["filter"]);
  EXPECT_EQ(d.filterIndex, want["filterIndex"]);
  EXPECT_EQ(d.flags, want["flags"]);
  EXPECT_EQ(d.fileName, want["fileName"]);
}

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

// The prompt's answer and the file Save As is given: a new file, none
// (cancelled) or a folder (the save fails, and going on would throw the
// unsaved data away).
TEST(FileCommands, UnsavedDataPrompt) {
  enum Target { None, NewFile, Folder };
  const struct {
    std::optional<MessageAnswer> answer;  // nullopt: data saved, no prompt
    Target target;
    bool goesOn;
  } flows[] = {
      {MessageAnswer::Yes, NewFile, true},  {MessageAnswer::Yes, None, true},
      {MessageAnswer::Yes, Folder, false},  {MessageAnswer::No, None, true},
      {MessageAnswer::Cancel, None, false}, {std::nullopt, None, true},
  };
  for (const Command command : {Command::New, Command::Open, Command::Close}) {
    for (const auto& flow : flows) {
      SCOPED_TRACE(::testing::Message() << "command " << static_cast<int>(command) << ", answer "
                                        << (flow.answer ? static_cast<int>(*flow.answer) : -1)
                                        << ", target " << flow.target);
      Session s;
      const std::string saved = s.dir / "SAVED.SPK", folder = s.dir / "FOLDER.SPK";
      fs::create_directory(folder);
      if (flow.answer) {
        s.state.src.DataSaved = kFalse;
        s.platform.answers = {*flow.answer};
      }
      s.platform.files = {flow.target == NewFile  ? std::optional(saved)
                          : flow.target == Folder ? std::optional(folder)
                                                  : std::nullopt,
                          std::nullopt};
      EXPECT_EQ(RunCommand(command, s), flow.goesOn);
      EXPECT_EQ(s.platform.Called(kPrompt), flow.answer.has_value());
      EXPECT_EQ(s.platform.Called("SaveDialog Save a Source File"),
                flow.answer == MessageAnswer::Yes);
      EXPECT_EQ(fs::exists(saved), flow.target == NewFile);
      EXPECT_EQ(fs::exists(saved) ? Slurp(saved) : s.golden, s.golden);  // Save As wrote it
      EXPECT_EQ(test::CallsStarting(s.platform, "ShowMessage Save Error|").size(),
                flow.target == Folder ? 1u : 0u);
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

// An Open that loads nothing leaves an empty, saved description and says
// why. Names whose last three characters are not "SPK" (any case) go to the
// importers, which report an import error (the CATT reader's box names the
// file's first line, not the file); a file that breaks off inside its
// geometry is a read error and leaves not even the Geometry menu item.
TEST(FileCommands, OpenThatLoadsNothing) {
  const std::string noise = Slurp(DataPath("NOISE_GEOMETRY.SPK"));
  const std::string corrupt =
      noise.substr(0, noise.find(" Face 4 -2")) + " Face 4 -2  3    -.5 x\r\n";
  for (const auto& c : test::Cases("FileCommands", "OpenThatLoadsNothing/cases")) {
    const std::string name = c.value("name", std::string());
    SCOPED_TRACE(name);
    Session s;
    s.state.src.DataSaved = kFalse;
    s.platform.answers = {MessageAnswer::No};
    const std::string path = s.dir / name;
    if (!name.empty()) {
      Spit(path, c["bytes"] == "corrupt" ? corrupt : c["bytes"].get<std::string>());
      s.platform.files = {path};
    }
    FileOpen(s.state, s.platform);
    const auto messages = s.Messages();
    ASSERT_EQ(messages.size(), name.empty() ? 1u : 2u);  // the prompt, then the error
    if (!name.empty()) {
      const std::string& shown = messages[1];
      EXPECT_TRUE(shown.starts_with("ShowMessage " + test::Replaced(c["message"], "{path}", path)))
          << shown;
      EXPECT_EQ(s.state.log.Lines().back(),
                "Error: " + (c.contains("logged") ? test::Replaced(c["logged"], "{path}", path)
                                                  : shown.substr(shown.find('|') + 1)));
    }
    EXPECT_FALSE(s.state.src.HasData());
    EXPECT_EQ(s.state.src.SourceName, "");
    EXPECT_EQ(s.state.src.NFaces, 0);
    EXPECT_EQ(s.state.src.SourceFile, "");
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(test::LastCaption(s.platform), "Fonderel ");
    EXPECT_FALSE(s.platform.Called("ViewGeometry on"));
    EXPECT_TRUE(s.platform.headers.empty());  // nothing of the file reached the windows
  }
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
  ExpectDialog(s.platform.fileDialogs[0], test::Cases("FileCommands", "OpenDialog"));
  EXPECT_EQ(s.platform.fileDialogs[0].initialDir, "/opt/fonderel/sources");
  EXPECT_EQ(s.state.src.SourceFile, path);
  EXPECT_EQ(s.state.src.LastBand, 8);
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(test::LastCaption(s.platform), "Fonderel " + path);
  EXPECT_TRUE(s.Messages().empty());
  FileOpen(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 2u);
  EXPECT_EQ(s.platform.fileDialogs[1].initialDir, s.dir / "Mixed Case");
}

// Save without a file is Save As (here cancelled: nothing saved). The writer
// appends ".SPK" to a name without extension; SourceFile keeps the text it
// had, so the next Save goes to the same file again.
TEST(FileCommands, SaveWritesTheCurrentFileAndKeepsItsName) {
  Session s;
  s.state.src.SourceFile.clear();
  s.state.src.DataSaved = kFalse;
  FileSave(s.state, s.platform);
  ASSERT_EQ(s.platform.fileDialogs.size(), 1u);
  EXPECT_EQ(s.platform.fileDialogs[0].title, "Save a Source File");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  const std::string bare = s.dir / "speaker";
  s.state.src.SourceFile = bare;
  FileSave(s.state, s.platform);
  EXPECT_EQ(s.platform.fileDialogs.size(), 1u);
  EXPECT_EQ(Slurp(bare + ".SPK"), s.golden);  // the description written back byte for byte
  EXPECT_FALSE(fs::exists(bare));
  EXPECT_EQ(s.state.src.SourceFile, bare);
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_TRUE(s.Messages().empty());
}

TEST(FileCommands, SaveAsProposal) {
  for (const auto& c : test::Cases("FileCommands", "SaveAsProposal"))
    EXPECT_EQ(SaveAsProposal(c[0]), c[1]) << c[0];
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
  ExpectDialog(s.platform.fileDialogs[0], test::Cases("FileCommands", "SaveAsDialog"));
  EXPECT_EQ(s.platform.fileDialogs[0].initialDir, "/opt/fonderel/sources");
  EXPECT_EQ(s.state.src.SourceFile, chosen + ".SPK");
  EXPECT_EQ(Slurp(chosen + ".SPK"), s.golden);
  EXPECT_EQ(test::LastCaption(s.platform), "Fonderel " + chosen + ".SPK");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.state.DialogInitialDir, s.dir / "Out");
}

// A save that fails is reported, keeps the data unsaved and the current file
// as it was, and leaves the file on disk untouched.
TEST(FileCommands, FailedSaveKeepsEverything) {
  for (const auto& c : test::Cases("FileCommands", "FailedSave")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const bool saveAs = c["saveAs"];
    Session s;
    fs::create_directories(s.dir / "taken.SPK");
    const std::string target = s.dir / c["target"].get<std::string>();
    const std::string before = saveAs ? s.loaded : target;
    s.state.src.SourceFile = before;
    s.state.src.DataSaved = kFalse;
    if (c.contains("unwritableValue")) s.state.src.Lw(6) = std::nanf("");
    s.platform.files = {target};
    if (saveAs) {
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
    EXPECT_EQ(test::LastCaption(s.platform), "(none)");
  }
}

// The balloon is printed only when the printer dialog is confirmed.
TEST(FileCommands, PrintAndPrinterSetup) {
  for (const bool confirmed : {false, true}) {
    AppState state;
    test::RecordingPlatform platform;
    platform.printers = {confirmed, true};
    FilePrint(state, platform);
    FilePrinterSetup(state, platform);
    EXPECT_EQ(platform.Called("PrintBalloonImage"), confirmed);
    EXPECT_TRUE(platform.Called("PrinterDialog 64"));  // Setup's own flags
  }
}

}  // namespace
}  // namespace fonderel
