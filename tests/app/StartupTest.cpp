// Start-up of the main window: the regional-settings check, the child windows,
// the dialog start folder and the SPK file named on the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

struct Started {
  AppState state;
  RecordingPlatform platform;
  bool ok = false;
  explicit Started(const std::string& commandLine, NumberSeparators separators = {".", ","},
                   std::vector<MessageAnswer> answers = {}, bool panel = false) {
    state.AppPath = "/opt/fonderel";
    platform.separators = separators;
    platform.answers.assign(answers.begin(), answers.end());
    platform.regionalPanel = panel;
    ok = Startup(state, platform, commandLine);
  }
  std::string LastCaption() const {
    std::string caption;
    for (const std::string& c : platform.calls)
      if (c.rfind("Caption ", 0) == 0) caption = c.substr(8);
    return caption;
  }
};

std::vector<std::string> Places(const RecordingPlatform& platform) {
  std::vector<std::string> places;
  for (const std::string& c : platform.calls)
    if (c.rfind("Place ", 0) == 0) places.push_back(c);
  return places;
}

TEST(Startup, WithoutCommandLineLoadsNothing) {
  Started s("");
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(s.state.log.Lines().empty());
  EXPECT_FALSE(s.state.src.HasData());
  EXPECT_EQ(s.state.src.SourceFile, "");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.LastCaption(), "Fonderel ");
  EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
  EXPECT_EQ(s.state.DialogInitialDir, "/opt/fonderel/sources");
  EXPECT_FALSE(s.platform.Called("Maximize"));
}

// The whole command-line text is the path: a missing file, also one written
// in quotes as a shell would pass it unchanged, gives exactly the two lines.
TEST(Startup, MissingFileIsReportedInTheLogOnly) {
  TempDir dir;
  Spit(dir / "my horn.SPK", Slurp(DataPath("LOUD_3_8.SPK")));
  for (const std::string& path : {dir / "NOWHERE.SPK", "\"" + (dir / "my horn.SPK") + "\""}) {
    SCOPED_TRACE(path);
    Started s(path);
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.state.log.Lines(),
              (std::vector<std::string>{
                  "Trying to load" + path + "...",
                  "This file does not exist - create it with File-Create Source...."}));
    EXPECT_TRUE(s.platform.Called("ShowTextLog"));
    EXPECT_EQ(s.LastCaption(), "Fonderel " + path);
    EXPECT_FALSE(s.state.src.HasData());
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
  }
}

// A valid file, also one whose name holds a blank, is read and laid out in
// the Standard layout of the maximised main window (inner 12000 x 7500 twips).
TEST(Startup, LoadsTheCommandLineFileAndLaysOutTheViews) {
  TempDir dir;
  for (const std::string name : {"LOUD.SPK", "my horn.SPK"}) {
    SCOPED_TRACE(name);
    const std::string path = dir / name;
    Spit(path, Slurp(DataPath("LOUD_3_8.SPK")));
    AppState state;
    state.AppPath = "/opt/fonderel";
    RecordingPlatform platform;
    platform.inner = {12000, 7500};
    ASSERT_TRUE(Startup(state, platform, path));
    EXPECT_EQ(state.src.FirstBand, 3);
    EXPECT_EQ(state.src.LastBand, 8);
    EXPECT_EQ(state.src.SourceFile, path);
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_TRUE(platform.Called("Caption Fonderel " + path));
    const auto& log = state.log.Lines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Reading Source Description from: " + path),
              log.end());
    EXPECT_EQ(Places(platform), (std::vector<std::string>{"Place Balloon 0,2800,4000,4700",
                                                "Place Polar0 4000,2800,4000,4700",
                                                "Place Polar1 8000,2800,4000,4700",
                                                "Place Info 0,0,7995,2800",
                                                "Place Header 8000,0,4000,2800"}));
    ASSERT_FALSE(platform.headers.empty());
    const HeaderFields& h = platform.headers.back();
    EXPECT_EQ(h.NamTxt, "XYZ");
    EXPECT_EQ(h.ManTxt, "Acme Audio");
    EXPECT_EQ(h.LoBand, " 125 Hz");
    EXPECT_EQ(h.HiBand, " 4000 Hz");
    EXPECT_TRUE(state.SelectorsLive);
  }
}

// A command-line file that fails to read leaves nothing behind and no layout.
TEST(Startup, UnreadableFileIsReportedAndLeavesAnEmptyDescription) {
  TempDir dir;
  const std::string path = dir / "BROKEN.SPK";
  const std::string golden = Slurp(DataPath("LOUD_3_8.SPK"));
  Spit(path, golden.substr(0, golden.size() / 2));
  Started s(path);
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
  EXPECT_FALSE(s.state.src.HasData());
  EXPECT_EQ(s.state.src.SourceName, "");
  EXPECT_EQ(s.state.src.SourceFile, "");
  EXPECT_EQ(s.state.src.DataSaved, kTrue);
  EXPECT_EQ(s.LastCaption(), "Fonderel ");
  EXPECT_FALSE(s.platform.Called("Maximize"));
  const auto message = std::find_if(s.platform.calls.begin(), s.platform.calls.end(),
                                    [](const std::string& c) {
                                      return c.rfind("ShowMessage Read Error|", 0) == 0;
                                    });
  ASSERT_NE(message, s.platform.calls.end());
  EXPECT_EQ(message->rfind("ShowMessage Read Error|" + path + ", line ", 0), 0u) << *message;
  ASSERT_FALSE(s.state.log.Lines().empty());
  EXPECT_EQ(s.state.log.Lines().back(), "Error: " + message->substr(23));
}

TEST(Startup, RegionalSettingsCompatible) {
  const struct {
    NumberSeparators separators;
    bool compatible;
  } cases[] = {
      {{".", ","}, true},   {{",", "."}, false},  {{".", " "}, false},
      {{".", "'"}, false},  {{".", ""}, false},   {{",", ","}, false},
      {{",", " "}, false},  {{".", "\xC2\xA0"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionalSettingsCompatible(c.separators), c.compatible)
        << "decimal '" << c.separators.decimalPoint << "' thousands '"
        << c.separators.thousands << "'";
  }
}

// Incompatible settings stop the start: nothing loaded, no child windows, and
// the user is offered the regional settings (or told how to start otherwise).
TEST(Startup, IncompatibleSettingsStopTheStart) {
  const std::string warning = std::string("ShowMessage ") + kIncompatibleTitle + "|" +
                              kIncompatibleText;
  EXPECT_EQ(warning,
            "ShowMessage Warning - incompatible settings!|Your regional settings are not "
            "compatible with Tarvesk. Do You want to change them now?");
  const NumberSeparators separators[] = {{",", "."}, {".", " "}, {".", "'"}};
  const struct {
    MessageAnswer answer;
    bool panel;
    std::vector<std::string> calls;
  } flows[] = {
      {MessageAnswer::Yes, true, {warning, "OpenRegionalSettings"}},
      {MessageAnswer::No, true, {warning}},
      {MessageAnswer::No, false, {warning}},
  };
  const std::string file = DataPath("LOUD_3_8.SPK");
  for (const auto& sep : separators) {
    for (const auto& flow : flows) {
      SCOPED_TRACE(sep.decimalPoint + sep.thousands + (flow.panel ? " panel" : " no panel"));
      Started s(file, sep, {flow.answer}, flow.panel);
      EXPECT_FALSE(s.ok);
      EXPECT_EQ(s.platform.calls, flow.calls);
      EXPECT_FALSE(s.state.src.HasData());
      EXPECT_TRUE(s.state.log.Lines().empty());
      EXPECT_EQ(s.state.DialogInitialDir, "");
    }
    // Yes on a desktop without a regional-settings panel: a second message
    // says how to start the program with a fitting number format.
    Started s(file, sep, {MessageAnswer::Yes}, false);
    EXPECT_FALSE(s.ok);
    ASSERT_EQ(s.platform.calls.size(), 3u);
    EXPECT_EQ(s.platform.calls[0], warning);
    EXPECT_EQ(s.platform.calls[1], "OpenRegionalSettings");
    EXPECT_EQ(s.platform.calls[2].rfind(std::string("ShowMessage ") + kIncompatibleTitle + "|",
                                        0),
              0u);
    EXPECT_NE(s.platform.calls[2].find("LC_NUMERIC"), std::string::npos);
    EXPECT_FALSE(s.platform.Called("LoadChildWindows"));
    EXPECT_FALSE(s.state.src.HasData());
  }
}

}  // namespace
}  // namespace fonderel
