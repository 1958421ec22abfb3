// The View commands that open the view windows: sizes, order, and that each
// ends with the views in line with the data.
#include <gtest/gtest.h>

#include "app/ViewCommands.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

struct Loaded {
  AppState state;
  test::RecordingPlatform platform;
  Loaded() {
    EXPECT_TRUE(ReadSpkFile(state, platform, test::DataPath("LOUD_3_8.SPK")));
    RefreshViews(state, platform);
    platform.calls.clear();
  }
};

TEST(ViewCommands, InfoAndDataRefreshAndShow) {
  Loaded l;
  ViewInfo(l.state, l.platform);
  EXPECT_EQ(l.platform.calls, (std::vector<std::string>{"Picture hidden", "Resize Info 7485,2850",
                                                        "Show Info"}));
  EXPECT_EQ(l.platform.infoTables.size(), 2u);
  EXPECT_FALSE(l.state.SelectorsLive);
  ViewData(l.state, l.platform);
  EXPECT_TRUE(l.platform.Called("Show Data"));
  EXPECT_TRUE(l.state.SelectorsLive);
}

// The balloon is drawn by the command itself, also right after another
// refresh that would otherwise throttle it.
TEST(ViewCommands, BalloonIsDrawnAtOnce) {
  Loaded l;
  l.platform.clockStep = 0.1;
  RefreshViews(l.state, l.platform);
  const std::size_t before = l.platform.balloons.size();
  ViewBalloon(l.state, l.platform);
  EXPECT_TRUE(l.platform.Called("Resize Balloon 3735,3960"));
  ASSERT_EQ(l.platform.balloons.size(), before + 1);
  EXPECT_FALSE(l.platform.balloons.back().segments.empty());
  EXPECT_TRUE(l.state.SelectorsLive);
}

// The curves' band selector works as soon as the curves are open.
TEST(ViewCommands, CurvesMakeTheSelectorsLive) {
  for (auto command : {&ViewCurves2, &ViewCurvesAll}) {
    Loaded l;
    l.state.SelectorsLive = false;
    command(l.state, l.platform);
    EXPECT_TRUE(l.state.SelectorsLive);
  }
}

TEST(ViewCommands, CurvesTwoDrawsPlanesZeroAndNinety) {
  Loaded l;
  ViewCurves2(l.state, l.platform);
  ASSERT_EQ(l.platform.polar.size(), 2u);
  EXPECT_EQ(l.platform.polar[0].caption, "Angle of plot = 0\xB0");
  EXPECT_EQ(l.platform.polar[1].caption, "Angle of plot = 90\xB0");
  EXPECT_TRUE(l.platform.Called("Beep"));
}

}  // namespace
}  // namespace fonderel
