// RefreshViews: what reaches the windows of a loaded source, the balloon and
// polar redraws by window visibility, the half-second throttle on a clock
// that wraps at midnight with one trailing refresh, the clamp of the selected
// band, and the band selectors' own events during a refresh.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "views/RefreshViews.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;

// A band selector set by the refresh raises its click event, as Qt's may.
class ClickingPlatform : public RecordingPlatform {
 public:
  AppState* clickOnSet = nullptr;
  void SetBandSelectors(int position) override {
    RecordingPlatform::SetBandSelectors(position);
    if (clickOnSet) BandSelectorClicked(*clickOnSet, *this, position);
  }
};

struct Session {
  AppState state;
  ClickingPlatform platform;
};

// LOUD_3_8.SPK read, not yet shown: "XYZ" by "Acme Audio", bands 3..8.
std::unique_ptr<Session> Loaded() {
  auto s = std::make_unique<Session>();
  EXPECT_TRUE(ReadSpkFile(s->state, s->platform, test::DataPath("LOUD_3_8.SPK")));
  s->platform.calls.clear();
  return s;
}

TEST(RefreshViews, WhatTheWindowsShow) {
  auto s = Loaded();
  s->state.SelectedBand = 5;
  RefreshViews(s->state, s->platform);
  const HeaderFields& h = s->platform.headers.at(0);
  EXPECT_EQ(h.NamTxt + "|" + h.ManTxt + "|" + h.LoBand + "|" + h.HiBand,
            "XYZ|Acme Audio| 125 Hz| 4000 Hz");
  EXPECT_EQ(
      s->platform.selectorLabels,
      (std::vector<std::string>{" 31.5 Hz", " 63 Hz", " 125 Hz", " 250 Hz", " 500 Hz", " 1000 Hz",
                                " 2000 Hz", " 4000 Hz", " 8000 Hz", " 16000 Hz"}));
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandLabel(b), s->platform.selectorLabels[b - 1]);
  EXPECT_EQ(s->platform.dataTables.at(0)[1][2], "33.932");  // band 5, plane 0, point 1
  EXPECT_EQ(s->platform.infoTables.at(0)[1][5], "101.23");
  EXPECT_EQ(s->platform.kindButtons, std::vector<bool>{true});
  s->state.SelectedBand = 7;
  s->state.src.SourceKind = 0.0f;
  s->platform.clock += 1;
  RefreshViews(s->state, s->platform);
  EXPECT_EQ(s->platform.selectorPositions, (std::vector<int>{4, 6}));
  EXPECT_EQ(s->platform.kindButtons, (std::vector<bool>{true, false}));
}

TEST(RefreshViews, BalloonOnlyWhenVisibleAndTallEnough) {
  const struct {
    bool visible;
    TwipsSize inner;
    std::size_t drawn;
  } cases[] = {{false, {3600, 3400}, 0}, {true, {3600, 3400}, 1}, {true, {3600, 99}, 0}};
  for (const auto& c : cases) {
    auto s = Loaded();
    s->platform.visible["Balloon"] = c.visible;
    s->platform.innerSizes[{ViewWindow::Balloon}] = c.inner;
    RefreshViews(s->state, s->platform);
    ASSERT_EQ(s->platform.balloons.size(), c.drawn);
    if (c.drawn) {
      EXPECT_EQ(s->platform.balloons[0].segments.size(), 3u + 648u + 630u);
    }
  }
}

// Visible polar windows; the windows that get a chart and whether it beeps.
TEST(RefreshViews, PolarChartsByVisibleWindows) {
  std::set<int> all;
  for (int i = 0; i < 18; ++i) all.insert(i);
  const struct {
    std::vector<int> visible;
    std::set<int> charts;
    bool beep;
  } cases[] = {{{}, {}, false},      {{0}, {0, 1}, true},  {{1}, {0, 1}, true},
               {{0, 2}, all, false}, {{1, 2}, all, false}, {{2}, {}, false}};
  for (const auto& c : cases) {
    auto s = Loaded();
    for (int w : c.visible) s->platform.visible["Polar" + std::to_string(w)] = true;
    RefreshViews(s->state, s->platform);
    std::set<int> shown;
    for (const auto& [window, chart] : s->platform.polar) shown.insert(window);
    EXPECT_EQ(shown, c.charts) << c.visible.size();
    EXPECT_EQ(s->platform.Called("Beep"), c.beep);
  }
}

// Clock readings of the last refresh and of this one; whether this one runs.
TEST(RefreshViews, Throttle) {
  const struct {
    float last;
    double now;
    bool runs;
  } cases[] = {
      {1000.0f, 1000.2, false}, {1000.0f, 1000.5, false},  {1000.0f, 1000.75, true},
      {1000.0f, 1000.0, false}, {0.0f, 1000.0, true},      {86399.0f, 10.0, true},
      {86399.0f, 0.25, true},   {86399.75f, 0.125, false}, {86399.75f, 0.5, true},
      {1000.0f, 999.0, true},  // the clock was set back: no endless silence
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.last << " -> " << c.now);
    auto s = Loaded();
    s->state.LastRefreshTime = c.last;
    s->platform.clock = c.now;
    RefreshViews(s->state, s->platform);
    EXPECT_EQ(s->platform.headers.size(), c.runs ? 1u : 0u);
    EXPECT_EQ(s->state.LastRefreshTime, c.runs ? static_cast<float>(c.now) : c.last);
  }
}

// Calls within half a second are dropped; the first dropped one asks for one
// refresh after the half second, which then shows the latest data.
TEST(RefreshViews, DroppedCallAsksForOneTrailingRefresh) {
  auto s = Loaded();
  s->platform.clockStep = 0.2;
  RefreshViews(s->state, s->platform);  // runs
  EXPECT_TRUE(s->platform.refreshRequests.empty());
  RefreshViews(s->state, s->platform);  // 0.2 s later: dropped
  ASSERT_EQ(s->platform.refreshRequests.size(), 1u);
  EXPECT_GE(s->platform.refreshRequests[0], 0.3);
  EXPECT_LT(s->platform.refreshRequests[0], 1.0);
  s->state.src.Lw(4) = 50.0f;
  s->state.SelectedBand = 1.0f;
  RefreshViews(s->state, s->platform);  // 0.4 s: dropped, asks nothing more
  EXPECT_EQ(s->platform.refreshRequests.size(), 1u);
  EXPECT_EQ(s->platform.infoTables.size(), 1u);
  EXPECT_EQ(s->state.SelectedBand, 1.0f);
  s->platform.clock += 1.0;  // the trailing refresh
  RefreshViews(s->state, s->platform);
  ASSERT_EQ(s->platform.infoTables.size(), 2u);
  EXPECT_EQ(s->platform.infoTables.back()[1][4], "50.00");
  RefreshViews(s->state, s->platform);  // a new dropped call asks again
  EXPECT_EQ(s->platform.refreshRequests.size(), 2u);
}

TEST(RefreshViews, SelectedBandIsClampedToTheRange) {
  const struct {
    float selected, clamped;
  } cases[] = {{1, 3}, {12, 8}, {2, 3}, {3, 3}, {6, 6}, {8, 8}, {9, 8}};
  for (const auto& c : cases) {
    auto s = Loaded();
    s->state.SelectedBand = c.selected;
    RefreshViews(s->state, s->platform);
    EXPECT_EQ(s->state.SelectedBand, c.clamped) << "selected " << c.selected;
  }
}

// A selector event raised by the refresh itself refreshes nothing more; a
// click after it does.
TEST(RefreshViews, SelectorEventsDuringARefreshDoNothing) {
  auto s = Loaded();
  s->state.SelectorsLive = true;
  s->platform.clickOnSet = &s->state;
  RefreshViews(s->state, s->platform);
  EXPECT_EQ(s->platform.headers.size(), 1u);
  EXPECT_EQ(s->platform.dataTables.size(), 1u);
  EXPECT_TRUE(s->platform.refreshRequests.empty());
  s->platform.clickOnSet = nullptr;
  BandSelectorClicked(s->state, s->platform, 5);
  EXPECT_EQ(s->platform.headers.size(), 2u);
  EXPECT_EQ(s->state.SelectedBand, 6.0f);
}

TEST(RefreshViews, WithoutDataNothingIsShown) {
  AppState state;
  state.SelectedBand = 12.0f;
  RecordingPlatform platform;
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
