// The File menu: the unsaved-data prompt, Open with its dispatch and errors,
// Save and Save As with their names and failures, Print, Import, opening a
// recent or dropped file without the dialog (the list's order and limit are
// seen through the File menu in the GUI tests), Create Source (BZ), Attach
// source geometry with View > Geometry, and the datasheet's bands.
#include "app/FileCommands.h"

#include <filesystem>
#include <map>

#include "app/BzCommands.h"
#include "app/CaseData.h"
#include "app/DatasheetExport.h"
#include "app/GeometryCommands.h"
#include "app/OpenNamedFile.h"
#include "app/Startup.h"

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

// Each flow: the prompt's answer (none: the data are saved, no prompt), the
// file Save As is given (none: cancelled; FOLDER.SPK, a folder: the save
// fails, and going on would throw the unsaved data away), whether it goes on.
TEST(FileCommands, UnsavedDataPrompt) {
  const std::map<std::string, MessageAnswer> answers{
      {"Yes", MessageAnswer::Yes}, {"No", MessageAnswer::No}, {"Cancel", MessageAnswer::Cancel}};
  for (const Command command : {Command::New, Command::Open, Command::Close}) {
    for (const auto& flow : test::Cases("FileCommands", "UnsavedDataPrompt/cases")) {
      SCOPED_TRACE(::testing::Message() << "command " << static_cast<int>(command) << " " << flow);
      Session s;
      const std::string saved = s.dir / "SAVED.SPK", folder = s.dir / "FOLDER.SPK";
      fs::create_directory(folder);
      const std::string answer = flow.value("answer", ""), target = flow.value("target", "");
      const bool goesOn = flow["goesOn"];
      if (!answer.empty()) {
        s.state.src.DataSaved = kFalse;
        s.platform.answers = {answers.at(answer)};
      }
      s.platform.files = {target.empty() ? std::nullopt : std::optional(s.dir / target),
                          std::nullopt};
      EXPECT_EQ(RunCommand(command, s), goesOn);
      EXPECT_EQ(s.platform.Called(kPrompt), !answer.empty());
      EXPECT_EQ(s.platform.Called("SaveDialog Save a Source File"), answer == "Yes");
      EXPECT_EQ(fs::exists(saved), target == "SAVED.SPK");
      EXPECT_EQ(fs::exists(saved) ? Slurp(saved) : s.golden, s.golden);  // Save As wrote it
      EXPECT_EQ(test::CallsStarting(s.platform, "ShowMessage Save Error|").size(),
                target == "FOLDER.SPK" ? 1u : 0u);
      if (!goesOn) {
        EXPECT_EQ(s.state.src.SourceName, "XYZ");
        EXPECT_EQ(s.state.src.FirstBand, 3);
        EXPECT_EQ(s.state.src.DataSaved, kFalse);
        EXPECT_FALSE(s.platform.Called("OpenDialog Open a Source File"));
      }
      if (command == Command::Close) {
        EXPECT_EQ(s.state.Quitting, goesOn ? kTrue : kFalse);
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
    // Nothing of the file reached the windows: they show the emptied source.
    for (const HeaderFields& h : s.platform.headers)
      EXPECT_EQ(h.NamTxt + "|" + h.ManTxt + "|" + h.LoBand + "|" + h.HiBand, "||31.5 Hz|16000 Hz");
    EXPECT_TRUE(s.platform.infoTables.empty() || s.platform.infoTables.back().empty());
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
  test::ExpectDialog(s.platform.fileDialogs[0], test::Cases("FileCommands", "OpenDialog"));
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
  test::ExpectDialog(s.platform.fileDialogs[0], test::Cases("FileCommands", "SaveAsDialog"));
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
    saveAs ? static_cast<void>(FileSaveAs(s.state, s.platform)) : FileSave(s.state, s.platform);
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

// Read as a Modeler file, an SPK file is no loudspeaker: an import error. A
// declined loudspeaker choice imports nothing and says nothing. What is
// imported is given the SPK name beside the file.
TEST(FileImport, ImportsUnderAnSpkNameOrNothing) {
  for (const auto& c : test::Cases("FileCommands", "Import/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    AppState state;
    test::RecordingPlatform platform;
    test::TempDir dir;
    platform.files = {dir / c["name"].get<std::string>()};
    Spit(*platform.files[0], Slurp(DataPath(c["file"])));
    FileImport(state, platform);
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    test::ExpectDialog(platform.fileDialogs[0], test::Cases("FileCommands", "ImportDialog"));
    EXPECT_EQ(platform.speakerLists.size(), c["choices"]);
    const auto messages = test::CallsStarting(platform, "ShowMessage ");
    ASSERT_EQ(messages.size(), c["shown"]);
    for (const auto& m : messages) EXPECT_TRUE(m.starts_with("ShowMessage Import Error|")) << m;
    EXPECT_EQ(state.src.HasData(), c.contains("spk"));
    if (c.contains("spk")) {
      EXPECT_EQ(state.src.SourceFile, dir / c["spk"].get<std::string>());
      EXPECT_EQ(state.src.DataSaved, kTrue);
      EXPECT_EQ(state.src.SourceKind, 1.0f);
      EXPECT_EQ(test::LastCaption(platform), "Fonderel " + state.src.SourceFile);
    }
  }
}

// No to the regional-settings question, Cancel to the unsaved-data one.
TEST(FileImport, StopsBeforeAnythingOnRegionalSettingsOrCancel) {
  for (const bool regional : {true, false}) {
    AppState state;
    test::RecordingPlatform platform;
    if (regional) platform.separators = {",", "."};
    platform.answers = {regional ? MessageAnswer::No : MessageAnswer::Cancel};
    state.src.FirstBand = 3;
    state.src.DataSaved = regional ? kTrue : kFalse;
    FileImport(state, platform);
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_EQ(state.src.FirstBand, 3);  // nothing cleared
  }
}

using Names = std::vector<std::string>;

Names NameParts(const std::vector<std::string>& paths) {
  Names names;
  for (const auto& p : paths) names.push_back(p.substr(p.rfind('/') + 1));
  return names;
}

TEST(OpenNamedFile, RunsFileOpenWithoutTheDialog) {
  for (const auto& c : test::Cases("RecentFiles", "OpenNamedFile/cases")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const std::string file = c["file"];
    const bool unsaved = c["unsaved"];
    test::TempDir dir;
    AppState state;
    test::RecordingPlatform platform;
    const std::string old = dir / "OLD.SPK";
    Spit(old, Slurp(DataPath("NOISE_GEOMETRY.SPK")));
    platform.files.push_back(old);
    FileOpen(state, platform);
    const std::string next = dir / (file.ends_with(".EAS") ? "NEW.EAS" : "NEW.SPK");
    if (!file.empty()) Spit(next, Slurp(DataPath(file)));
    state.Recent.Assign({dir / "NEW.SPK", old});
    if (unsaved) state.src.DataSaved = kFalse;
    platform.answers.assign(1, MessageAnswer::Cancel);
    platform.calls.clear();
    c["drop"].get<bool>() ? OpenDroppedFile(state, platform, next)
                          : OpenRecentFile(state, platform, 0);
    EXPECT_EQ(NameParts({state.src.SourceFile})[0], c["sourceFile"]);
    EXPECT_EQ(state.src.SourceName == "Compressor K-7", c["sourceFile"] == "OLD.SPK");
    EXPECT_TRUE(state.src.HasData());
    EXPECT_EQ(NameParts(state.Recent.Files()), c["recent"].get<Names>());
    EXPECT_EQ(platform.Called(kPrompt), unsaved && !file.empty());
    EXPECT_FALSE(platform.Called("OpenDialog Open a Source File"));
  }
}

TEST(OpenNamedFile, SavesAndTheStartupFileJoinTheList) {
  test::TempDir dir;
  AppState state;
  test::RecordingPlatform platform;
  const std::string first = dir / "FIRST.SPK";
  Spit(first, Slurp(DataPath("LOUD_3_8.SPK")));
  ASSERT_TRUE(Startup(state, platform, first));
  NoteStartupFile(state, first);
  platform.files = {dir / "COPY.SPK", dir / "missing.SPK"};
  FileSaveAs(state, platform);
  FileOpen(state, platform);  // a file that cannot be read does not join
  EXPECT_EQ(NameParts(state.Recent.Files()), Names({"COPY.SPK", "FIRST.SPK"}));
}

// Cases in tests/data/cases5/bz.json.
TEST(CreateBz, OkProsecute) {
  for (const auto& c : test::Cases("../cases5/bz", "ok")) {
    BzBoxes boxes;
    for (std::size_t i = 0; i < c[0].size(); ++i) boxes[i] = c[0][i];
    const bool loudspeaker = c[1];
    const int first = c[4], last = c[5];
    AppState state;
    test::RecordingPlatform p;
    state.src.NFaces = 3;
    FileCreate(state, p);
    EXPECT_EQ(state.src.NFaces, 0);
    p.inputs = test::Inputs(c[2]);
    const bool created = CreateWindowOk(state, p, boxes, loudspeaker);
    EXPECT_EQ(created, first != 0);
    EXPECT_EQ(test::CallsStarting(p, "InputBox Introduce Power Data|").size(), c[3]) << c;
    EXPECT_EQ(state.src.FirstBand, first);
    EXPECT_EQ(state.src.LastBand, last);
    if (first != 0) {
      EXPECT_FLOAT_EQ(state.src.Lw(first), c[6].get<float>());
      EXPECT_FLOAT_EQ(state.src.Efficiency(last), loudspeaker ? 3 : 100);
      EXPECT_FLOAT_EQ(state.src.SourceKind, loudspeaker ? 1 : 0);
    }
    EXPECT_EQ(state.src.DataSaved, kFalse);
    // A refused choice keeps the window open for the user to mend it.
    EXPECT_EQ(p.visible["Creation"], !c[7].is_null());
    EXPECT_TRUE(c[7].is_null() || p.Called(c[7].get<std::string>())) << c[7];
  }
}

TEST(CreateBz, ArrowsStepWithin0To10) {
  for (const auto& c : test::Cases("../cases5/bz", "arrows"))
    EXPECT_EQ(StepBzBox(c[0].get<std::string>(), c[1].get<int>()), c[2].get<std::string>()) << c;
}

// Attached to a source of two faces; the source stays, an attached geometry
// makes it unsaved.
TEST(AttachGeometry, ChosenFileIsAttachedToTheSource) {
  test::TempDir dir;
  for (const auto& c : test::Cases("FileCommands", "AttachGeometry/cases")) {
    SCOPED_TRACE(c.dump());
    std::optional<std::string> chosen;
    if (c.contains("file")) chosen = DataPath(c["file"]);
    if (c.contains("text")) Spit(*(chosen = dir / "CHOSEN.RAY"), c["text"]);
    AppState state;
    test::RecordingPlatform p;
    state.src.SourceName = "Horn";
    state.src.FirstBand = state.src.LastBand = 5;
    state.src.NFaces = 2;
    p.files = {chosen};
    AttachRAY(state, p);
    ASSERT_EQ(p.fileDialogs.size(), 1u);
    test::ExpectDialog(p.fileDialogs[0], test::Cases("FileCommands", "AttachDialog"));
    EXPECT_EQ(state.src.NFaces, c["faces"]);
    EXPECT_EQ(p.Called("ViewGeometry on"), c["attached"]);
    EXPECT_EQ(state.src.SourceName, "Horn");
    EXPECT_EQ(state.src.FirstBand, 5);
    EXPECT_EQ(state.src.DataSaved, c["attached"] ? kFalse : kTrue);
    if (c.contains("error")) {
      EXPECT_TRUE(p.Called(test::Replaced(c["error"], "{path}", *chosen)));
    }
  }
}

TEST(DatasheetBands, NearestOneKilohertzAndTheOverlaidBands) {
  for (const auto& c : test::Cases("DatasheetExport", "Bands")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    Source src;
    src.FirstBand = c["first"].get<std::int16_t>();
    src.LastBand = c["last"].get<std::int16_t>();
    for (int b = src.FirstBand; b >= 1 && b <= src.LastBand; ++b) src.BandPresent(b) = kTrue;
    EXPECT_EQ(DatasheetBand(src), c["band"]);
    EXPECT_EQ(DatasheetPolarBands(src, c["chosen"]), c["overlaid"].get<std::vector<int>>());
  }
}

}  // namespace
}  // namespace fonderel
