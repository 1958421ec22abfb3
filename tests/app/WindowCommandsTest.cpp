// The View, Window and Help commands that place and show windows: the
// Standard layout, the Header and text log, Clear Text Log, the manual and
// the polar curve layouts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;
using test::Spit;
using test::TempDir;

// Marks each refresh that reached the Header among the calls, and notes
// whether the band selectors were live at that moment.
class WatchingPlatform : public RecordingPlatform {
 public:
  const AppState* state = nullptr;
  std::vector<bool> liveAtRefresh;
  void SetHeaderFields(const HeaderFields& fields) override {
    calls.push_back("Refresh");
    if (state) liveAtRefresh.push_back(state->SelectorsLive);
    RecordingPlatform::SetHeaderFields(fields);
  }
};

// Position of a call, or -1.
long IndexOf(const RecordingPlatform& platform, const std::string& call) {
  for (std::size_t i = 0; i < platform.calls.size(); ++i)
    if (platform.calls[i] == call) return static_cast<long>(i);
  return -1;
}

// A source with bands 3..8, as far as the window commands look at it.
void FillSource(AppState& state) {
  state.src.SourceName = "XYZ";
  state.src.FirstBand = 3;
  state.src.LastBand = 8;
}

std::vector<std::string> Matching(const RecordingPlatform& platform, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& c : platform.calls)
    if (c.rfind(prefix, 0) == 0) out.push_back(c);
  return out;
}

TEST(WindowCommands, StandardLayout) {
  AppState state;
  FillSource(state);
  WatchingPlatform platform;
  platform.state = &state;
  state.SelectorsLive = true;
  StandardLayout(state, platform);
  ASSERT_GE(platform.calls.size(), 2u);
  EXPECT_EQ(platform.calls[0], "Picture hidden");
  EXPECT_EQ(platform.calls[1], "Maximize");
  EXPECT_EQ(Matching(platform, "Place "),
            (std::vector<std::string>{"Place Balloon 0,2800,5000,6200",
                                      "Place Polar0 5000,2800,5000,6200",
                                      "Place Polar1 10000,2800,5000,6200",
                                      "Place Info 0,0,9995,2800",
                                      "Place Header 10000,0,5000,2800"}));
  for (const char* window : {"Balloon", "Polar0", "Polar1", "Info", "Header"}) {
    EXPECT_TRUE(platform.visible[window]) << window;
  }
  EXPECT_EQ(platform.liveAtRefresh, std::vector<bool>{false});
  EXPECT_TRUE(platform.Called("ProcessEvents"));
  EXPECT_TRUE(state.SelectorsLive);
}

TEST(WindowCommands, ViewHeaderRefreshesThenShowsTheWindow) {
  AppState state;
  FillSource(state);
  RecordingPlatform platform;
  ViewHeader(state, platform);
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"Picture hidden", "Resize Header 2800,1900",
                                                      "Show Header"}));
  ASSERT_EQ(platform.headers.size(), 1u);
  EXPECT_EQ(platform.headers[0].NamTxt, "XYZ");
}

TEST(WindowCommands, TextLogCommands) {
  AppState state;
  RecordingPlatform platform;
  ViewTextLog(state, platform);
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"Picture hidden", "ShowTextLog"}));

  state.AddLogLine("");
  state.AddLogLine("Reading Source Description from: /x/HORN.SPK");
  platform.calls.clear();
  ClearTextLog(state, platform);
  EXPECT_TRUE(state.log.Lines().empty());
  EXPECT_EQ(platform.calls, std::vector<std::string>{"ClearPicture"});
  ClearTextLog(state, platform);  // an empty log stays empty
  EXPECT_TRUE(state.log.Lines().empty());
}

// The warning tells a missing manual from one that no program could show.
TEST(WindowCommands, HelpIndexOpensTheManual) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Manual");
  Spit(dir / "Manual/MFonderel.htm", "<html></html>");
  const std::string there = dir / "Manual/MFonderel.htm";
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

TEST(WindowCommands, CurvesTwoPlanes) {
  AppState state;
  FillSource(state);
  WatchingPlatform platform;
  ViewCurves2(state, platform);
  EXPECT_EQ(platform.calls.front(), "Picture hidden");
  EXPECT_EQ(Matching(platform, "Place "),
            (std::vector<std::string>{"Place Polar0 0,0,4000,4000", "Place Polar1 4000,0,4000,4000",
                                      "Place PolarMain 0,4000,4000,900"}));
  EXPECT_TRUE(platform.visible["Polar0"]);
  EXPECT_TRUE(platform.visible["Polar1"]);
  EXPECT_TRUE(platform.visible["PolarMain"]);
  EXPECT_FALSE(platform.visible["Polar2"]);
  // The refresh sees both plane windows open, the band selector comes after.
  EXPECT_GT(IndexOf(platform, "Refresh"), IndexOf(platform, "Show Polar1"));
  EXPECT_LT(IndexOf(platform, "Refresh"), IndexOf(platform, "Show PolarMain"));
}

// Inner 15000 x 9000: cells of (15000 - 60) / 5 = 2988 by 9000 / 4 = 2250;
// eighteen windows fill rows 0..2 and row 3 up to column 2, the band
// selector takes the rest of row 3.
TEST(WindowCommands, CurvesAllPlanes) {
  AppState state;
  FillSource(state);
  WatchingPlatform platform;
  ViewCurvesAll(state, platform);
  const auto places = Matching(platform, "Place ");
  ASSERT_EQ(places.size(), 19u);
  EXPECT_EQ(places[0], "Place PolarMain 8964,6750,5976,2250");
  const struct {
    int window;
    const char* place;
  } cases[] = {{0, "Place Polar0 0,0,2988,2250"},
               {4, "Place Polar4 11952,0,2988,2250"},
               {5, "Place Polar5 0,2250,2988,2250"},
               {13, "Place Polar13 8964,4500,2988,2250"},
               {17, "Place Polar17 5976,6750,2988,2250"}};
  for (const auto& c : cases) {
    EXPECT_EQ(places[static_cast<std::size_t>(c.window) + 1], c.place);
    EXPECT_TRUE(platform.visible["Polar" + std::to_string(c.window)]);
  }
  EXPECT_TRUE(platform.visible["PolarMain"]);
  // The refresh comes last, so it finds window 2 open and draws all planes.
  EXPECT_GT(IndexOf(platform, "Refresh"), IndexOf(platform, "Show Polar17"));
}

}  // namespace
}  // namespace fonderel
