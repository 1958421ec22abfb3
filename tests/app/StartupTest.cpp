// Start-up: the regional-settings check, the file named on the command line
// (read and laid out, missing, unreadable) and the dialogs' start folder.
#include "app/Startup.h"

#include "app/CaseData.h"

namespace fonderel {
namespace {

using test::DataPath;

struct Started {
  AppState state;
  test::RecordingPlatform platform;
  bool ok = false;
  explicit Started(const std::string& commandLine, NumberSeparators separators = {".", ","},
                   MessageAnswer answer = MessageAnswer::Ok, bool panel = false) {
    state.AppPath = "/opt/fonderel";
    platform.inner = {12000, 7500};
    platform.separators = separators;
    platform.answers = {answer};
    platform.regionalPanel = panel;
    ok = Startup(state, platform, commandLine);
  }
};

// The whole command-line text is the path, a name with a blank included. A
// missing file (also one in quotes, as a shell passes it unchanged) gives two
// log lines; an unreadable one a message; neither leaves data or a layout.
TEST(Startup, CommandLineFile) {
  test::TempDir dir;
  const std::string golden = test::Slurp(DataPath("LOUD_3_8.SPK"));
  test::Spit(dir / "my horn.SPK", golden);
  test::Spit(dir / "BROKEN.SPK", golden.substr(0, golden.size() / 2));
  const std::string missing = "This file does not exist - create it with File-Create Source....";
  for (const auto& j : test::Cases("Startup", "CommandLine/cases")) {
    const auto fill = [&](const std::string& t) {
      return test::Replaced(test::Replaced(t, "{dir}", dir.Path()), "{missing}", missing);
    };
    const std::string commandLine = fill(j[0]);
    const bool loads = j[1], named = j[2];  // named: SourceFile and caption keep the name
    std::vector<std::string> log;
    for (const auto& line : j[3]) log.push_back(fill(line));
    SCOPED_TRACE(commandLine);
    Started s(commandLine);
    EXPECT_TRUE(s.ok);
    EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
    EXPECT_EQ(s.state.DialogInitialDir, "/opt/fonderel/sources");
    EXPECT_EQ(s.state.src.HasData(), loads);
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(s.platform.Called("Maximize"), loads);
    EXPECT_EQ(s.state.src.SourceFile, named ? commandLine : "");
    EXPECT_EQ(test::LastCaption(s.platform, ""), "Fonderel " + (named ? commandLine : ""));
    const auto messages = test::CallsStarting(s.platform, "ShowMessage ");
    if (commandLine.ends_with("BROKEN.SPK")) {  // the message shown is logged after "Error:"
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].rfind("ShowMessage Read Error|" + commandLine + ", line ", 0), 0u);
      EXPECT_EQ(s.state.log.Lines().back(), "Error: " + messages[0].substr(23));
    } else if (!loads) {
      EXPECT_EQ(s.state.log.Lines(), log);
      EXPECT_EQ(s.platform.Called("ShowTextLog"), !log.empty());
    }
    if (loads) {
      EXPECT_EQ(s.state.src.LastBand, 8);
      EXPECT_TRUE(s.platform.Called("Place Info 0,0,7995,2800"));
      EXPECT_TRUE(s.platform.Called("Place Polar1 8000,2800,4000,4700"));
      ASSERT_FALSE(s.platform.headers.empty());
      EXPECT_EQ(s.platform.headers.back().HiBand, " 4000 Hz");
      EXPECT_TRUE(s.state.SelectorsLive);
    }
  }
}

TEST(Startup, RegionalSettingsCompatible) {
  EXPECT_TRUE(RegionalSettingsCompatible({".", ","}));
  for (const auto& sep : test::Cases("Startup", "Incompatible"))
    EXPECT_FALSE(RegionalSettingsCompatible({sep[0], sep[1]})) << sep;
}

// Incompatible settings stop the start: nothing loaded, no child windows; the
// user is offered the regional settings, or told how to start otherwise.
TEST(Startup, IncompatibleSettingsStopTheStart) {
  const std::string warning =
      std::string("ShowMessage ") + kIncompatibleTitle + "|" + kIncompatibleText;
  EXPECT_EQ(warning,
            "ShowMessage Warning - incompatible settings!|Your regional settings are not "
            "compatible with Tarvesk. Do You want to change them now?");
  for (const auto& flow : test::Cases("Startup", "Flows/cases")) {
    SCOPED_TRACE(flow.dump());
    const bool panel = flow[1], offered = flow[2], told = flow[3];
    Started s(DataPath("LOUD_3_8.SPK"), {",", "."},
              flow[0].get<bool>() ? MessageAnswer::Yes : MessageAnswer::No, panel);
    EXPECT_FALSE(s.ok);
    const auto messages = test::CallsStarting(s.platform, "ShowMessage ");
    ASSERT_EQ(messages.size(), told ? 2u : 1u);
    EXPECT_EQ(messages[0], warning);
    if (told) {
      EXPECT_EQ(messages[1].rfind(warning.substr(0, warning.find('|') + 1), 0), 0u);
      EXPECT_NE(messages[1].find("LC_NUMERIC"), std::string::npos);
    }
    EXPECT_EQ(s.platform.Called("OpenRegionalSettings"), offered);
    EXPECT_FALSE(s.platform.Called("LoadChildWindows"));
    EXPECT_FALSE(s.state.src.HasData());
    EXPECT_TRUE(s.state.log.Lines().empty());
    EXPECT_EQ(s.state.DialogInitialDir, "");
  }
}

}  // namespace
}  // namespace fonderel
