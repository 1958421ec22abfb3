// The View, Window and Help commands: the rectangles (twips, in a work area of
// 15000 x 9000) they give the windows, the windows they leave shown, what
// those windows then show, and the start picture hidden.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;
using test::Spit;
using test::TempDir;

struct Loaded {
  AppState state;
  RecordingPlatform platform;
  Loaded() {
    EXPECT_TRUE(ReadSpkFile(state, platform, test::DataPath("LOUD_3_8.SPK")));
    platform.calls.clear();
  }
  std::string LastPicture() const {
    std::string last = "(untouched)";
    for (const std::string& c : platform.calls)
      if (c.rfind("Picture ", 0) == 0) last = c;
    return last;
  }
};

TEST(WindowCommands, ViewCommandsPlaceAndShowTheirWindows) {
  const struct {
    const char* name;
    void (*command)(AppState&, Platform&);
    std::vector<std::string> placed;  // Place and Resize calls, in any order
    std::vector<std::string> shown;
    std::size_t charts;  // polar windows drawn
  } cases[] = {
      {"Standard",
       StandardLayout,
       {"Place Balloon 0,2800,5000,6200", "Place Polar0 5000,2800,5000,6200",
        "Place Polar1 10000,2800,5000,6200", "Place Info 0,0,9995,2800",
        "Place Header 10000,0,5000,2800"},
       {"Balloon", "Polar0", "Polar1", "Info", "Header"},
       2},
      {"Curves(2)",
       ViewCurves2,
       {"Place Polar0 0,0,4000,4000", "Place Polar1 4000,0,4000,4000",
        "Place PolarMain 0,4000,4000,900"},
       {"Polar0", "Polar1", "PolarMain"},
       2},
      // Cells of (15000 - 60) / 5 by 9000 / 4; the selector takes the rest of row 3.
      {"Curves(All)",
       ViewCurvesAll,
       {"Place PolarMain 8964,6750,5976,2250", "Place Polar0 0,0,2988,2250",
        "Place Polar4 11952,0,2988,2250", "Place Polar5 0,2250,2988,2250",
        "Place Polar13 8964,4500,2988,2250", "Place Polar17 5976,6750,2988,2250"},
       {"Polar0", "Polar9", "Polar17", "PolarMain"},
       18},
      {"Header", ViewHeader, {"Resize Header 2800,1900"}, {"Header"}, 0},
      {"Info", ViewInfo, {"Resize Info 7485,2850"}, {"Info"}, 0},
      {"Balloon", ViewBalloon, {"Resize Balloon 3735,3960"}, {"Balloon"}, 0},
      {"Data", ViewData, {}, {"Data"}, 0},
      {"Text log", ViewTextLog, {}, {"TextLog"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Loaded l;
    c.command(l.state, l.platform);
    for (const std::string& call : c.placed) EXPECT_TRUE(l.platform.Called(call)) << call;
    for (const std::string& window : c.shown) EXPECT_TRUE(l.platform.visible[window]) << window;
    EXPECT_EQ(l.platform.visible["Polar2"], c.charts == 18);
    EXPECT_EQ(l.platform.polar.size(), c.charts);
    EXPECT_EQ(l.LastPicture(), "Picture hidden");
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

TEST(WindowCommands, CurvesTwoDrawsPlanesZeroAndNinetyWithABeep) {
  Loaded l;
  ViewCurves2(l.state, l.platform);
  EXPECT_EQ(l.platform.polar[0].caption, "Angle of plot = 0\xB0");
  EXPECT_EQ(l.platform.polar[1].caption, "Angle of plot = 90\xB0");
  EXPECT_TRUE(l.platform.Called("Beep"));
}

TEST(WindowCommands, ClearTextLogEmptiesTheLog) {
  Loaded l;
  ASSERT_FALSE(l.state.log.Lines().empty());
  ClearTextLog(l.state, l.platform);
  EXPECT_TRUE(l.state.log.Lines().empty());
  ClearTextLog(l.state, l.platform);
  EXPECT_TRUE(l.state.log.Lines().empty());
}

// The warning tells a missing manual from one that no program could show.
TEST(WindowCommands, HelpIndexOpensTheManualOrSaysWhyNot) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Manual");
  Spit(dir / "Manual/MFonderel.htm", "<html></html>");
  const struct {
    std::string appPath;
    bool opens;
    const char* warning;  // nullptr: none
  } cases[] = {
      {dir.Path(), true, nullptr},
      {dir.Path(), false, "No program to show HTML pages was found. The manual lies at: "},
      {"/nonexistent/fonderel", false, "The manual could not be opened: "},
  };
  for (const auto& c : cases) {
    AppState state;
    state.AppPath = c.appPath;
    RecordingPlatform platform;
    platform.documentOpens = c.opens;
    HelpIndex(state, platform);
    const std::string manual = c.appPath + "/Manual/MFonderel.htm";
    std::vector<std::string> want{"OpenDocument " + manual};
    if (c.warning) want.push_back(std::string("ShowMessage Warning|") + c.warning + manual);
    EXPECT_EQ(platform.calls, want);
  }
}

}  // namespace
}  // namespace fonderel
