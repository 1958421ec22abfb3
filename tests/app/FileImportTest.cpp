// File Import: the regional check, the unsaved-data question, the dialog,
// the import table (a name ending in SPK goes to the Modeler reader) and the
// SPK name the imported source is given.
#include "app/CaseData.h"
#include "app/FileCommands.h"

namespace fonderel {
namespace {

using test::DataPath;

TEST(FileImport, EaseFileGetsItsSpkName) {
  AppState state;
  test::RecordingPlatform platform;
  test::TempDir dir;
  const std::string path = dir / "Horn One.eas";
  test::Spit(path, test::Slurp(DataPath("import/EASE3_ONE.EAS")));
  platform.files = {path};
  FileImport(state, platform);
  ASSERT_EQ(platform.fileDialogs.size(), 1u);
  const FileDialogSettings& d = platform.fileDialogs[0];
  EXPECT_EQ(d.title + "|" + std::to_string(d.flags) + "|" + d.fileName,
            "Import a Speaker File|4100|*.txt");
  EXPECT_EQ(d.filter, kImportFilter);
  EXPECT_EQ(state.src.SourceFile, dir / "Horn One.SPK");
  EXPECT_EQ(state.src.DataSaved, kTrue);
  EXPECT_EQ(state.src.SourceKind, 1.0f);
  EXPECT_EQ(test::LastCaption(platform), "Fonderel " + (dir / "Horn One.SPK"));
}

// Read as a Modeler file, an SPK file is no loudspeaker: an import error. A
// declined loudspeaker choice imports nothing and says nothing.
TEST(FileImport, ImportsNothing) {
  for (const auto& [file, choices, shown] :
       {std::tuple{"LOUD_3_8.SPK", 0u, 1u}, {"import/EASE3_MULTI.EAS", 1u, 0u}}) {
    SCOPED_TRACE(file);
    AppState state;
    test::RecordingPlatform platform;
    platform.files = {DataPath(file)};
    FileImport(state, platform);
    EXPECT_FALSE(state.src.HasData());
    EXPECT_EQ(platform.speakerLists.size(), choices);
    const auto messages = test::CallsStarting(platform, "ShowMessage ");
    ASSERT_EQ(messages.size(), shown);
    for (const auto& m : messages) EXPECT_TRUE(m.starts_with("ShowMessage Import Error|")) << m;
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

}  // namespace
}  // namespace fonderel
