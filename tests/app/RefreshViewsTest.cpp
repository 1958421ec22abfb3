// RefreshViews: what reaches the windows of a loaded source, the balloon and
// polar redraws by window visibility, the half-second throttle on a clock
// that wraps at midnight with one trailing refresh, the clamp of the selected
// band, and the band selectors' own events during a refresh.
#include "views/RefreshViews.h"

#include "app/CaseData.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

// A band selector set by the refresh raises its click event, as Qt's may.
class ClickingPlatform : public test::RecordingPlatform {
 public:
  AppState* clickOnSet = nullptr;
  void SetBandSelectors(int position) override {
    RecordingPlatform::SetBandSelectors(position);
    if (clickOnSet) BandSelectorClicked(*clickOnSet, *this, position);
  }
};
using Loaded = test::LoadedSource<ClickingPlatform>;

TEST(RefreshViews, WhatTheWindowsShow) {
  Loaded s;
  s.state.SelectedBand = 5;
  RefreshViews(s.state, s.platform);
  const HeaderFields& h = s.platform.headers.at(0);
  EXPECT_EQ(h.NamTxt + "|" + h.ManTxt + "|" + h.LoBand + "|" + h.HiBand,
            "XYZ|Acme Audio| 125 Hz| 4000 Hz");
  const auto labels = test::Cases("RefreshViews", "Selectors").get<std::vector<std::string>>();
  EXPECT_EQ(s.platform.selectorLabels, labels);
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandLabel(b), labels[b - 1]);
  EXPECT_EQ(s.platform.dataTables.at(0)[1][2], "33.932");  // band 5, plane 0, point 1
  EXPECT_EQ(s.platform.infoTables.at(0)[1][5], "101.23");
  s.state.SelectedBand = 7;
  s.state.src.SourceKind = 0.0f;
  RefreshViews(s.state, s.platform);
  EXPECT_EQ(s.platform.selectorPositions, (std::vector<int>{4, 6}));
  EXPECT_EQ(s.platform.kindButtons, (std::vector<bool>{true, false}));
}

// The balloon is drawn only in a visible window tall enough; the visible
// polar windows decide which charts are drawn and whether it beeps.
TEST(RefreshViews, BalloonAndPolarChartsByVisibleWindows) {
  for (const auto& c : test::Cases("RefreshViews", "Balloon/cases")) {
    Loaded s;
    s.platform.visible["Balloon"] = c[0];
    s.platform.innerSizes[{ViewWindow::Balloon}] = {3600, c[1]};
    RefreshViews(s.state, s.platform);
    ASSERT_EQ(s.platform.balloons.size(), c[2]);
    for (const auto& b : s.platform.balloons) EXPECT_EQ(b.segments.size(), 3u + 648u + 630u);
  }
  for (const auto& c : test::Cases("RefreshViews", "Polar/cases")) {
    const auto& visible = c[0];
    Loaded s;
    for (const int w : visible) s.platform.visible["Polar" + std::to_string(w)] = true;
    RefreshViews(s.state, s.platform);
    std::vector<int> shown;
    for (const auto& [window, chart] : s.platform.polar) shown.push_back(window);
    EXPECT_EQ(shown, c[1].get<std::vector<int>>()) << visible;
    EXPECT_EQ(s.platform.Called("Beep"), c[2].get<bool>()) << visible;
  }
}

// Clock readings of the last refresh and of this one; whether this one runs.
TEST(RefreshViews, Throttle) {
  for (const auto& c : test::Cases("RefreshViews", "Throttle")) {
    SCOPED_TRACE(c.dump());
    Loaded s;
    const float last = c["last"];
    const double now = c["now"];
    s.state.LastRefreshTime = last;
    s.platform.clock = now;
    RefreshViews(s.state, s.platform);
    EXPECT_EQ(s.platform.headers.size(), c["runs"] ? 1u : 0u);
    EXPECT_EQ(s.state.LastRefreshTime, c["runs"] ? static_cast<float>(now) : last);
  }
}

// Calls within half a second are dropped; the first dropped one asks for one
// refresh after the half second, which then shows the latest data.
TEST(RefreshViews, DroppedCallAsksForOneTrailingRefresh) {
  Loaded s;
  s.platform.clockStep = 0.2;
  RefreshViews(s.state, s.platform);  // runs
  EXPECT_TRUE(s.platform.refreshRequests.empty());
  RefreshViews(s.state, s.platform);  // 0.2 s later: dropped
  ASSERT_EQ(s.platform.refreshRequests.size(), 1u);
  EXPECT_GE(s.platform.refreshRequests[0], 0.3);
  EXPECT_LT(s.platform.refreshRequests[0], 1.0);
  s.state.src.Lw(4) = 50.0f;
  s.state.SelectedBand = 1.0f;
  RefreshViews(s.state, s.platform);  // 0.4 s: dropped, asks nothing more
  EXPECT_EQ(s.platform.refreshRequests.size(), 1u);
  EXPECT_EQ(s.platform.infoTables.size(), 1u);
  EXPECT_EQ(s.state.SelectedBand, 1.0f);
  s.platform.clock += 1.0;  // the trailing refresh
  RefreshViews(s.state, s.platform);
  ASSERT_EQ(s.platform.infoTables.size(), 2u);
  EXPECT_EQ(s.platform.infoTables.back()[1][4], "50.00");
  RefreshViews(s.state, s.platform);  // a new dropped call asks again
  EXPECT_EQ(s.platform.refreshRequests.size(), 2u);
}

TEST(RefreshViews, SelectedBandIsClampedToTheRange) {
  for (const auto& c : test::Cases("RefreshViews", "Clamp")) {
    const float selected = c[0], clamped = c[1];
    Loaded s;
    s.state.SelectedBand = selected;
    RefreshViews(s.state, s.platform);
    EXPECT_EQ(s.state.SelectedBand, clamped) << "selected " << selected;
  }
}

// A selector event raised by the refresh itself refreshes nothing more; a
// click after it does.
TEST(RefreshViews, SelectorEventsDuringARefreshDoNothing) {
  Loaded s;
  s.state.SelectorsLive = true;
  s.platform.clickOnSet = &s.state;
  RefreshViews(s.state, s.platform);
  EXPECT_EQ(s.platform.headers.size(), 1u);
  EXPECT_EQ(s.platform.dataTables.size(), 1u);
  EXPECT_TRUE(s.platform.refreshRequests.empty());
  s.platform.clickOnSet = nullptr;
  BandSelectorClicked(s.state, s.platform, 5);
  EXPECT_EQ(s.platform.headers.size(), 2u);
  EXPECT_EQ(s.state.SelectedBand, 6.0f);
}

TEST(RefreshViews, WithoutDataNothingIsShown) {
  AppState state;
  state.SelectedBand = 12.0f;
  test::RecordingPlatform platform;
  platform.visible["Balloon"] = platform.visible["Polar0"] = platform.visible["Polar2"] = true;
  platform.clock = 4321.0;
  RefreshViews(state, platform);
  RefreshViews(state, platform);
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_TRUE(platform.headers.empty() && platform.infoTables.empty() && platform.balloons.empty());
  EXPECT_TRUE(platform.polar.empty() && platform.refreshRequests.empty());
  EXPECT_EQ(state.SelectedBand, 12.0f);
  EXPECT_EQ(state.LastRefreshTime, 4322.0f);
}

}  // namespace
}  // namespace fonderel
