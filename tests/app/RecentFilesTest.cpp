// The recent files of the File menu and the two ways of opening a file
// without the dialog: a recent entry and a file dropped on the main window.
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
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;
using Files = std::vector<std::string>;

TEST(RecentFiles, KeepsTheLastFourNewestFirst) {
  const struct {
    const char* what;
    Files stored;  // what the desktop had kept
    Files added;
    Files removed;
    Files expected;
  } cases[] = {
      {"newest first", {}, {"a", "b", "c"}, {}, {"c", "b", "a"}},
      {"fifth pushes out the oldest", {}, {"a", "b", "c", "d", "e"}, {}, {"e", "d", "c", "b"}},
      {"reopened moves to the top", {"a", "b", "c"}, {"c"}, {}, {"c", "a", "b"}},
      {"reopened at the bottom of a full list", {"a", "b", "c", "d"}, {"d"}, {}, {"d", "a", "b", "c"}},
      {"removed from the middle", {"a", "b", "c"}, {}, {"b"}, {"a", "c"}},
      {"removing an unknown path", {"a"}, {}, {"z"}, {"a"}},
      {"stored list cleaned", {"a", "", "a", "b", "c", "d", "e"}, {}, {}, {"a", "b", "c", "d"}},
      {"empty path ignored", {"a"}, {""}, {}, {"a"}},
  };
  for (const auto& c : cases) {
    RecentFiles recent;
    recent.Assign(c.stored);
    for (const auto& p : c.added) recent.Add(p);
    for (const auto& p : c.removed) recent.Remove(p);
    EXPECT_EQ(recent.Files(), c.expected) << c.what;
  }
}

enum class How { Recent, Drop };

struct Case {
  const char* what;
  How how;
  const char* file;        // copied into the folder; "" for a file that is gone
  bool unsaved;            // the current data were edited
  std::vector<MessageAnswer> answers;
  bool read;               // the file's data replaced the current ones
  const char* sourceFile;  // name part of SourceFile afterwards
  Files recentNames;       // name parts of the list afterwards
};

std::string NamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

TEST(OpenNamedFile, RunsFileOpenWithoutTheDialog) {
  const Case cases[] = {
      {"recent SPK file", How::Recent, "LOUD_3_8.SPK", false, {}, true, "NEW.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"recent file, unsaved data, Cancel", How::Recent, "LOUD_3_8.SPK", true,
       {MessageAnswer::Cancel}, false, "OLD.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"recent file, unsaved data, No", How::Recent, "LOUD_3_8.SPK", true, {MessageAnswer::No},
       true, "NEW.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"recent file that is gone", How::Recent, "", true, {}, false, "OLD.SPK", {"OLD.SPK"}},
      {"dropped SPK file", How::Drop, "LOUD_3_8.SPK", false, {}, true, "NEW.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"dropped file, unsaved data, Cancel", How::Drop, "LOUD_3_8.SPK", true,
       {MessageAnswer::Cancel}, false, "OLD.SPK", {"NEW.SPK", "OLD.SPK"}},
      {"dropped EASE file imported", How::Drop, "import/EASE3_ONE.EAS", false, {}, true, "NEW.SPK",
       {"NEW.EAS", "NEW.SPK", "OLD.SPK"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    AppState state;
    RecordingPlatform platform;
    const std::string old = dir / "OLD.SPK";
    Spit(old, Slurp(DataPath("NOISE_GEOMETRY.SPK")));
    platform.files.push_back(old);
    FileOpen(state, platform);
    ASSERT_TRUE(state.src.HasData()) << c.what;
    const std::string oldName = state.src.SourceName;
    const std::string extension = std::string(c.file).ends_with(".EAS") ? ".EAS" : ".SPK";
    const std::string next = dir / ("NEW" + extension);
    if (*c.file != '\0') Spit(next, Slurp(DataPath(c.file)));
    if (c.how == How::Recent) state.Recent.Assign({next, old});
    if (c.how == How::Drop) state.Recent.Assign({dir / "NEW.SPK", old});
    if (c.unsaved) state.src.DataSaved = kFalse;
    platform.answers.assign(c.answers.begin(), c.answers.end());
    platform.calls.clear();

    c.how == How::Recent ? OpenRecentFile(state, platform, 0) : OpenDroppedFile(state, platform, next);

    EXPECT_EQ(state.src.SourceName != oldName, c.read) << c.what;
    EXPECT_EQ(NamePart(state.src.SourceFile), c.sourceFile) << c.what;
    Files names;
    for (const auto& f : state.Recent.Files()) names.push_back(NamePart(f));
    EXPECT_EQ(names, c.recentNames) << c.what;
    EXPECT_FALSE(platform.Called("OpenDialog Open a Source File")) << c.what;
    const bool asked = platform.Called(std::string("ShowMessage Warning|") + kUnsavedDataText);
    EXPECT_EQ(asked, c.unsaved && *c.file != '\0') << c.what;
    if (*c.file == '\0') {
      EXPECT_TRUE(platform.Called("ShowMessage Warning|The file " + next +
                                  " cannot be found. It has been removed from the list of recent "
                                  "files."));
    }
    if (c.read) {
      EXPECT_EQ(state.src.DataSaved, kTrue) << c.what;
    }
  }
}

TEST(OpenNamedFile, SavesAndStartupJoinTheList) {
  TempDir dir;
  AppState state;
  RecordingPlatform platform;
  const std::string first = dir / "FIRST.SPK";
  Spit(first, Slurp(DataPath("LOUD_3_8.SPK")));
  ASSERT_TRUE(Startup(state, platform, first));
  NoteStartupFile(state, first);
  platform.files.push_back(dir / "COPY.SPK");
  FileSaveAs(state, platform);
  platform.files.push_back(dir / "missing.SPK");
  FileOpen(state, platform);  // an unreadable file does not join
  EXPECT_EQ(state.Recent.Files(), Files({dir / "COPY.SPK", first}));
}

}  // namespace
}  // namespace fonderel
