// Opening a file without the dialog, as a recent file or a file dropped on the
// main window: File Open's flow from its unsaved-data prompt on. The list's
// order and limit are seen through the File menu in the GUI tests.
#include "app/CaseData.h"
#include "app/FileCommands.h"
#include "app/OpenNamedFile.h"
#include "app/Startup.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::Slurp;
using test::Spit;
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
    EXPECT_EQ(platform.Called(std::string("ShowMessage Warning|") + kUnsavedDataText),
              unsaved && !file.empty());
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

}  // namespace
}  // namespace fonderel
