// File Import: the regional check, the unsaved-data question, the dialog,
// the import table (a name ending in SPK goes to the Modeler reader) and the
// SPK name the imported source is given.
#include <gtest/gtest.h>

#include "app/FileCommands.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

TEST(FileImport, EaseFileGetsItsSpkName) {
  AppState state;
  RecordingPlatform platform;
  TempDir dir;
  const std::string path = dir / "Horn One.eas";
  Spit(path, Slurp(DataPath("import/EASE3_ONE.EAS")));
  platform.files = {path};
  FileImport(state, platform);
  ASSERT_EQ(platform.fileDialogs.size(), 1u);
  const FileDialogSettings& d = platform.fileDialogs[0];
  EXPECT_EQ(d.title, "Import a Speaker File");
  EXPECT_EQ(d.filter, kImportFilter);
  EXPECT_EQ(d.flags, 4100);
  EXPECT_EQ(d.fileName, "*.txt");
  EXPECT_TRUE(state.src.HasData());
  EXPECT_EQ(state.src.SourceFile, dir / "Horn One.SPK");
  EXPECT_EQ(state.src.DataSaved, kTrue);
  EXPECT_EQ(state.src.SourceKind, 1.0f);
  EXPECT_TRUE(platform.Called("Caption Fonderel " + (dir / "Horn One.SPK")));
}

TEST(FileImport, SpkNameGoesToTheModelerReader) {
  AppState state;
  RecordingPlatform platform;
  TempDir dir;
  const std::string path = dir / "REAL.SPK";
  Spit(path, Slurp(DataPath("LOUD_3_8.SPK")));
  platform.files = {path};
  FileImport(state, platform);
  // Read as a Modeler file, an SPK file is no loudspeaker: an import error.
  EXPECT_FALSE(state.src.HasData());
  ASSERT_FALSE(platform.calls.empty());
  bool importError = false;
  for (const std::string& c : platform.calls) importError |= c.rfind("ShowMessage Import Error|", 0) == 0;
  EXPECT_TRUE(importError);
}

TEST(FileImport, StopsBeforeAnythingOnRegionalSettingsOrCancel) {
  {
    AppState state;
    RecordingPlatform platform;
    platform.separators = {",", "."};
    platform.answers = {MessageAnswer::No};
    state.src.FirstBand = 3;
    FileImport(state, platform);
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_EQ(state.src.FirstBand, 3);  // nothing cleared
  }
  {
    AppState state;
    RecordingPlatform platform;
    state.src.FirstBand = 3;
    state.src.DataSaved = kFalse;
    platform.answers = {MessageAnswer::Cancel};
    FileImport(state, platform);
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_EQ(state.src.FirstBand, 3);
  }
}

TEST(FileImport, DeclinedLoudspeakerChoiceImportsNothingQuietly) {
  AppState state;
  RecordingPlatform platform;
  platform.files = {DataPath("import/EASE3_MULTI.EAS")};
  platform.speakers = {std::nullopt};
  FileImport(state, platform);
  EXPECT_EQ(platform.speakerLists.size(), 1u);
  EXPECT_FALSE(state.src.HasData());
  for (const std::string& c : platform.calls) EXPECT_EQ(c.rfind("ShowMessage", 0), std::string::npos) << c;
}

}  // namespace
}  // namespace fonderel
