// Opening a file without the dialog, as a recent file or a file dropped on the
// main window: File Open's flow from its unsaved-data prompt on. The list's
// order and limit are seen through the File menu in the GUI tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FileCommands.h"
#include "app/OpenNamedFile.h"
#include "app/Startup.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

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
  const struct {
    const char* what;
    bool drop;               // dropped, else recent entry 1
    const char* file;        // test file copied to NEW.<ext>; "" when it is gone
    bool unsaved;            // answered Cancel, else no question
    const char* sourceFile;  // afterwards
    Names recent;            // afterwards
  } cases[] = {
      {"recent file", false, "LOUD_3_8.SPK", false, "NEW.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"recent file, unsaved, Cancel", false, "LOUD_3_8.SPK", true, "OLD.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"recent file gone", false, "", true, "OLD.SPK", {"OLD.SPK"}},
      {"dropped EASE file", true, "import/EASE3_ONE.EAS", false, "NEW.SPK",
       {"NEW.EAS", "NEW.SPK", "OLD.SPK"}},
      {"dropped, unsaved, Cancel", true, "LOUD_3_8.SPK", true, "OLD.SPK", {"NEW.SPK", "OLD.SPK"}},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    AppState state;
    test::RecordingPlatform platform;
    const std::string old = dir / "OLD.SPK";
    Spit(old, Slurp(DataPath("NOISE_GEOMETRY.SPK")));
    platform.files.push_back(old);
    FileOpen(state, platform);
    const std::string next = dir / (std::string(c.file).ends_with(".EAS") ? "NEW.EAS" : "NEW.SPK");
    if (*c.file != '\0') Spit(next, Slurp(DataPath(c.file)));
    state.Recent.Assign({dir / "NEW.SPK", old});
    if (c.unsaved) state.src.DataSaved = kFalse;
    platform.answers.assign(1, MessageAnswer::Cancel);
    platform.calls.clear();

    c.drop ? OpenDroppedFile(state, platform, next) : OpenRecentFile(state, platform, 0);

    EXPECT_EQ(NameParts({state.src.SourceFile})[0], c.sourceFile) << c.what;
    const bool kept = std::string(c.sourceFile) == "OLD.SPK";
    EXPECT_EQ(state.src.SourceName == "Compressor K-7", kept) << c.what;
    EXPECT_EQ(state.src.HasData(), true) << c.what;
    EXPECT_EQ(NameParts(state.Recent.Files()), c.recent) << c.what;
    EXPECT_EQ(platform.Called(std::string("ShowMessage Warning|") + kUnsavedDataText),
              c.unsaved && *c.file != '\0')
        << c.what;
    EXPECT_FALSE(platform.Called("OpenDialog Open a Source File")) << c.what;
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
