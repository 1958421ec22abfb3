// The View, Window and Help commands: the rectangles (twips, in a work area of
// 15000 x 9000) they give the windows, the windows they leave shown, what
// those windows then show, and the start picture hidden.
#include "app/WindowCommands.h"

#include <filesystem>

#include "app/CaseData.h"
#include "app/ViewCommands.h"

namespace fonderel {
namespace {

using Loaded = test::LoadedSource<>;

// The placed rectangles are Place and Resize calls, in any order. The two
// polar planes beep.
TEST(WindowCommands, ViewCommandsPlaceAndShowTheirWindows) {
  const std::pair<const char*, void (*)(AppState&, Platform&)> commands[] = {
      {"Standard", StandardLayout}, {"Curves(2)", ViewCurves2}, {"Curves(All)", ViewCurvesAll},
      {"Header", ViewHeader},       {"Info", ViewInfo},         {"Balloon", ViewBalloon},
      {"Data", ViewData},           {"Text log", ViewTextLog}};
  const auto layouts = test::Cases("WindowCommands", "Layouts");
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    const auto& c = layouts.at(name);
    Loaded l;
    command(l.state, l.platform);
    for (const std::string call : c["placed"]) EXPECT_TRUE(l.platform.Called(call)) << call;
    for (const std::string window : c["shown"]) EXPECT_TRUE(l.platform.visible[window]) << window;
    const std::size_t charts = c["charts"];
    EXPECT_EQ(l.platform.visible["Polar2"], charts == 18);
    EXPECT_EQ(l.platform.polar.size(), charts);
    EXPECT_EQ(l.platform.Called("Beep"), charts == 2);
    const auto pictures = test::CallsStarting(l.platform, "Picture ");
    EXPECT_EQ(pictures.empty() ? "" : pictures.back(), "Picture hidden");
  }
}

// The band selectors work once their windows are open; the balloon is drawn
// by its command even right after a refresh that would throttle it.
TEST(WindowCommands, SelectorsLiveAndBalloonDrawnAtOnce) {
  for (auto command : {&ViewData, &ViewBalloon, &ViewCurves2, &ViewCurvesAll, &StandardLayout}) {
    Loaded l;
    l.platform.clockStep = 0.1;
    ViewInfo(l.state, l.platform);
    EXPECT_FALSE(l.state.SelectorsLive);
    const std::size_t balloons = l.platform.balloons.size();
    command(l.state, l.platform);
    EXPECT_TRUE(l.state.SelectorsLive);
    if (command == &ViewBalloon) {
      ASSERT_EQ(l.platform.balloons.size(), balloons + 1);
      EXPECT_FALSE(l.platform.balloons.back().segments.empty());
    }
  }
}

TEST(WindowCommands, ClearTextLogEmptiesTheLog) {
  Loaded l;
  ASSERT_FALSE(l.state.log.Lines().empty());
  ClearTextLog(l.state, l.platform);
  EXPECT_TRUE(l.state.log.Lines().empty());
}

// The warning tells a missing manual from one that no program could show.
TEST(WindowCommands, HelpIndexOpensTheManualOrSaysWhyNot) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "Manual");
  test::Spit(dir / "Manual/MFonderel.htm", "<html></html>");
  for (const auto& c : test::Cases("WindowCommands", "HelpIndex/cases")) {
    const std::string appPath = c[0].get<bool>() ? dir.Path() : "/nonexistent/fonderel";
    AppState state;
    state.AppPath = appPath;
    test::RecordingPlatform platform;
    platform.documentOpens = c[1];
    HelpIndex(state, platform);
    const std::string manual = appPath + "/Manual/MFonderel.htm";
    std::vector<std::string> want{"OpenDocument " + manual};
    if (!c[2].is_null()) want.push_back("ShowMessage Warning|" + c[2].get<std::string>() + manual);
    EXPECT_EQ(platform.calls, want);
  }
}

}  // namespace
}  // namespace fonderel
