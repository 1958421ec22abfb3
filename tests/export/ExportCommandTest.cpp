// File › Export...: the name typed in the dialog chooses the format; the file
// holds that format's bytes, the log says what was left out, and a name that
// names no format writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "app/ExportCommands.h"
#include "core/AppState.h"
#include "app/CaseData.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

TEST(ExportCommand, TheTypedExtensionChoosesTheFormat) {
  const struct {
    const char* typed;
    const char* written;  // nullptr: refused
    const char* begins;   // the file's first bytes
    const char* logged;   // a log line that must be there
  } cases[] = {
      {"horn.eas", "horn.eas", "Format,EASE 3.0 Text Speaker Export\r\n",
       "Source exported as EASE 3.0 text to: "},
      {"HORN.TXT", "HORN.TXT", "CATT-SD1\r\nVERSION = 1\r\n",
       "Not carried: sensitivity, impedance and efficiency are not carried: an SD1 file has no "
       "field for them"},
      {"horn.mdl", "horn.SPK", "\"Source Name\",\"Horn 90x40 two-way\"\r\n",
       "Source exported as SPK to: "},
      {"horn.xyz", nullptr, "", "Error: "},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    auto state = std::make_unique<AppState>();
    test::RecordingPlatform platform;
    ASSERT_TRUE(ReadSpkFile(*state, platform, FONDEREL_SOURCES "/HORN90X40.SPK"));
    state->src.DataSaved = 0;
    const std::string file = state->src.SourceFile;
    platform.files = {dir / c.typed};
    FileExport(*state, platform, "1");
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_NE(platform.fileDialogs[0].filter.find("EASE 3.0 Text Files (*.eas)|*.eas"),
              std::string::npos);
    const auto& lines = state->log.Lines();
    EXPECT_TRUE(std::ranges::any_of(lines, [&](const std::string& l) {
      return l.starts_with(c.logged);
    })) << c.typed;
    if (c.written) {
      EXPECT_TRUE(test::Slurp(dir / c.written).starts_with(c.begins)) << c.typed;
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << c.typed;
    } else {
      EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << c.typed;
      EXPECT_FALSE(test::CallsStarting(platform, "ShowMessage Export Error|").empty());
    }
    // Exporting is no save: the current file and the unsaved state stay.
    EXPECT_EQ(state->src.SourceFile, file);
    EXPECT_EQ(state->src.DataSaved, 0);
  }
}

}  // namespace
}  // namespace fonderel
