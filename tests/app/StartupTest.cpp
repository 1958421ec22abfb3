// Start-up: the regional-settings check, the file named on the command line
// (read and laid out, missing, unreadable) and the dialogs' start folder.
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
    platform.inner = {12000, 7500};
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

// The whole command-line text is the path, a name with a blank included. A
// missing file (also one in quotes, as a shell passes it unchanged) gives two
// log lines; an unreadable one a message; neither leaves data or a layout.
TEST(Startup, CommandLineFile) {
  TempDir dir;
  const std::string golden = Slurp(DataPath("LOUD_3_8.SPK"));
  Spit(dir / "my horn.SPK", golden);
  Spit(dir / "BROKEN.SPK", golden.substr(0, golden.size() / 2));
  const std::string quoted = "\"" + (dir / "my horn.SPK") + "\"";
  const struct {
    std::string commandLine;
    bool loads;
    std::vector<std::string> log;  // empty: not checked
    std::string message;           // the start of a message shown, if any
  } cases[] = {
      {"", false, {}, ""},
      {dir / "my horn.SPK", true, {}, ""},
      {dir / "NOWHERE.SPK",
       false,
       {"Trying to load" + (dir / "NOWHERE.SPK") + "...",
        "This file does not exist - create it with File-Create Source...."},
       ""},
      {quoted,
       false,
       {"Trying to load" + quoted + "...",
        "This file does not exist - create it with File-Create Source...."},
       ""},
      {dir / "BROKEN.SPK", false, {}, "ShowMessage Read Error|" + (dir / "BROKEN.SPK") + ", line "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    Started s(c.commandLine);
    EXPECT_TRUE(s.ok);
    EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
    EXPECT_EQ(s.state.DialogInitialDir, "/opt/fonderel/sources");
    EXPECT_EQ(s.state.src.HasData(), c.loads);
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(s.platform.Called("Maximize"), c.loads);
    const bool missing = !c.log.empty();
    EXPECT_EQ(s.state.src.SourceFile, c.loads || missing ? c.commandLine : "");
    EXPECT_EQ(s.LastCaption(), "Fonderel " + (c.loads || missing ? c.commandLine : ""));
    if (missing) {
      EXPECT_EQ(s.state.log.Lines(), c.log);
    }
    if (missing) {
      EXPECT_TRUE(s.platform.Called("ShowTextLog"));
    }
    if (c.commandLine.empty()) {
      EXPECT_TRUE(s.state.log.Lines().empty());
    }
    if (!c.message.empty()) {
      const auto shown =
          std::find_if(s.platform.calls.begin(), s.platform.calls.end(),
                       [&](const std::string& m) { return m.rfind(c.message, 0) == 0; });
      ASSERT_NE(shown, s.platform.calls.end());
      EXPECT_EQ(s.state.log.Lines().back(), "Error: " + shown->substr(23));
    }
    if (c.loads) {
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
  const struct {
    NumberSeparators separators;
    bool compatible;
  } cases[] = {
      {{".", ","}, true}, {{",", "."}, false}, {{".", " "}, false}, {{".", "'"}, false},
      {{".", ""}, false}, {{",", ","}, false}, {{",", " "}, false}, {{".", "\xC2\xA0"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionalSettingsCompatible(c.separators), c.compatible)
        << "'" << c.separators.decimalPoint << "' '" << c.separators.thousands << "'";
  }
}

// Incompatible settings stop the start: nothing loaded, no child windows; the
// user is offered the regional settings, or told how to start otherwise.
TEST(Startup, IncompatibleSettingsStopTheStart) {
  const std::string warning =
      std::string("ShowMessage ") + kIncompatibleTitle + "|" + kIncompatibleText;
  EXPECT_EQ(warning,
            "ShowMessage Warning - incompatible settings!|Your regional settings are not "
            "compatible with Tarvesk. Do You want to change them now?");
  const struct {
    MessageAnswer answer;
    bool panel;
    std::vector<std::string> calls;
  } flows[] = {
      {MessageAnswer::Yes, true, {warning, "OpenRegionalSettings"}},
      {MessageAnswer::No, true, {warning}},
      {MessageAnswer::No, false, {warning}},
      {MessageAnswer::Yes, false, {warning, "OpenRegionalSettings", "(how to start)"}},
  };
  for (const NumberSeparators& sep :
       {NumberSeparators{",", "."}, NumberSeparators{".", " "}, NumberSeparators{".", "'"}}) {
    for (const auto& flow : flows) {
      SCOPED_TRACE(sep.decimalPoint + sep.thousands + (flow.panel ? " panel" : " no panel"));
      Started s(DataPath("LOUD_3_8.SPK"), sep, {flow.answer}, flow.panel);
      EXPECT_FALSE(s.ok);
      ASSERT_EQ(s.platform.calls.size(), flow.calls.size());
      for (std::size_t i = 0; i < 2 && i < flow.calls.size(); ++i)
        EXPECT_EQ(s.platform.calls[i], flow.calls[i]);
      if (flow.calls.size() == 3) {
        EXPECT_EQ(s.platform.calls[2].rfind(warning.substr(0, warning.find('|') + 1), 0), 0u);
        EXPECT_NE(s.platform.calls[2].find("LC_NUMERIC"), std::string::npos);
      }
      EXPECT_FALSE(s.state.src.HasData());
      EXPECT_TRUE(s.state.log.Lines().empty());
      EXPECT_EQ(s.state.DialogInitialDir, "");
    }
  }
}

}  // namespace
}  // namespace fonderel
