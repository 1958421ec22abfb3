// A whole refresh of a loaded source: what reaches the windows and in which
// order, the balloon and polar redraws by window visibility, the trailing
// refresh after a dropped call, and the selectors' own re-entering events.
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

using test::DataPath;
using test::RecordingPlatform;

// Puts the view updates into `calls` as well, so their order shows; a band
// selector update raises the selector's click event when `clickOnSet` is set.
class OrderPlatform : public RecordingPlatform {
 public:
  AppState* clickOnSet = nullptr;
  void SetHeaderFields(const HeaderFields& f) override {
    calls.push_back("Header");
    RecordingPlatform::SetHeaderFields(f);
  }
  void SetInfoTable(const TextTable& t) override {
    calls.push_back("InfoTable");
    RecordingPlatform::SetInfoTable(t);
  }
  void SetSourceKindButtons(bool loudspeaker) override {
    calls.push_back(loudspeaker ? "Buttons loudspeaker" : "Buttons noise");
    RecordingPlatform::SetSourceKindButtons(loudspeaker);
  }
  void FillBandSelectors(const std::vector<std::string>& labels) override {
    calls.push_back("FillSelectors");
    RecordingPlatform::FillBandSelectors(labels);
  }
  void SetBandSelectors(int position) override {
    calls.push_back("Selectors " + std::to_string(position));
    RecordingPlatform::SetBandSelectors(position);
    if (clickOnSet) BandSelectorClicked(*clickOnSet, *this, position);
  }
  void SetDataTable(const TextTable& t) override {
    calls.push_back("DataTable");
    RecordingPlatform::SetDataTable(t);
  }
  void DrawBalloonPicture(const BalloonPicture& p) override {
    calls.push_back("Balloon");
    RecordingPlatform::DrawBalloonPicture(p);
  }
};

struct Session {
  AppState state;
  OrderPlatform platform;
};

// LOUD_3_8.SPK read, not yet shown: bands 3..8, a loudspeaker.
std::unique_ptr<Session> Loaded() {
  auto s = std::make_unique<Session>();
  EXPECT_TRUE(ReadSpkFile(s->state, s->platform, DataPath("LOUD_3_8.SPK")));
  s->platform.calls.clear();
  return s;
}

TEST(RefreshViewsFull, OrderOfEffects) {
  auto s = Loaded();
  s->state.SelectedBand = 5;
  s->platform.visible["Balloon"] = true;
  s->platform.visible["Polar0"] = true;
  const std::vector<std::string> first = {
      "Header",    "InfoTable", "Buttons loudspeaker", "FillSelectors",     "Selectors 4",
      "DataTable", "Balloon",   "ClearPolarChart 0",   "ClearPolarChart 1", "Beep",
      "ShowPolarChart 0",       "ShowPolarChart 1"};
  RefreshViews(s->state, s->platform);
  EXPECT_EQ(s->platform.calls, first);
  const std::vector<std::string> labels = {" 31.5 Hz", " 63 Hz",   " 125 Hz",  " 250 Hz",  " 500 Hz",
                                           " 1000 Hz", " 2000 Hz", " 4000 Hz", " 8000 Hz", " 16000 Hz"};
  EXPECT_EQ(s->platform.selectorLabels, labels);
  ASSERT_EQ(s->platform.dataTables.size(), 1u);
  EXPECT_EQ(s->platform.dataTables[0][1][2], "33.932");  // band 5, plane 0, point 1
  EXPECT_EQ(s->platform.dataTables[0], s->state.DataGridText);
  EXPECT_EQ(s->platform.infoTables[0], s->state.InfoGridText);
  EXPECT_EQ(s->platform.infoTables[0][1][5], "101.23");

  // The second refresh does not fill the selectors again.
  s->platform.calls.clear();
  s->state.SelectedBand = 7;
  RefreshViews(s->state, s->platform);
  std::vector<std::string> second = first;
  second.erase(second.begin() + 3);
  second[3] = "Selectors 6";
  EXPECT_EQ(s->platform.calls, second);
  EXPECT_EQ(s->platform.selectorPositions, (std::vector<int>{4, 6}));
}

TEST(RefreshViewsFull, SourceKindButtons) {
  const struct {
    float kind;
    bool loudspeaker;
  } cases[] = {{0.0f, false}, {-1.0f, true}, {1.0f, true}};
  for (const auto& c : cases) {
    auto s = Loaded();
    s->state.src.SourceKind = c.kind;
    RefreshViews(s->state, s->platform);
    EXPECT_EQ(s->platform.kindButtons, std::vector<bool>{c.loudspeaker}) << c.kind;
  }
}

TEST(RefreshViewsFull, BalloonOnlyWhenVisible) {
  const struct {
    bool visible;
    TwipsSize inner;
    std::size_t drawn;
  } cases[] = {{false, {3600, 3400}, 0}, {true, {3600, 3400}, 1}, {true, {3600, 99}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.visible << " " << c.inner.height);
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
TEST(RefreshViewsFull, PolarDrawingByVisibleWindows) {
  std::set<int> all;
  for (int i = 0; i < 18; ++i) all.insert(i);
  const struct {
    std::vector<int> visible;
    std::set<int> charts;
    bool beep;
  } cases[] = {
      {{}, {}, false},         {{0}, {0, 1}, true}, {{1}, {0, 1}, true},
      {{0, 2}, all, false},    {{1, 2}, all, false}, {{2}, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.visible.size() << " windows, charts " << c.charts.size());
    auto s = Loaded();
    for (int w : c.visible) s->platform.visible["Polar" + std::to_string(w)] = true;
    RefreshViews(s->state, s->platform);
    std::set<int> shown;
    for (const auto& [window, chart] : s->platform.polar) shown.insert(window);
    EXPECT_EQ(shown, c.charts);
    EXPECT_EQ(s->platform.Called("Beep"), c.beep);
  }
}

TEST(RefreshViewsFull, DroppedCallAsksForOneTrailingRefresh) {
  auto s = Loaded();
  s->platform.clockStep = 0.2;
  RefreshViews(s->state, s->platform);  // runs
  ASSERT_EQ(s->platform.infoTables.size(), 1u);
  EXPECT_TRUE(s->platform.refreshRequests.empty());
  RefreshViews(s->state, s->platform);  // 0.2 s later: dropped
  ASSERT_EQ(s->platform.refreshRequests.size(), 1u);
  EXPECT_GE(s->platform.refreshRequests[0], 0.3);  // not before the half second is over
  EXPECT_LT(s->platform.refreshRequests[0], 1.0);
  s->state.src.Lw(4) = 50.0f;
  RefreshViews(s->state, s->platform);  // 0.4 s: dropped, asks nothing more
  EXPECT_EQ(s->platform.refreshRequests.size(), 1u);
  EXPECT_EQ(s->platform.infoTables.size(), 1u);

  s->platform.clock += 1.0;  // the trailing refresh
  RefreshViews(s->state, s->platform);
  ASSERT_EQ(s->platform.infoTables.size(), 2u);
  EXPECT_EQ(s->platform.infoTables.back()[1][4], "50.00");
  RefreshViews(s->state, s->platform);  // a new dropped call asks again
  EXPECT_EQ(s->platform.refreshRequests.size(), 2u);
}

TEST(RefreshViewsFull, SelectorEventsDuringARefreshDoNothing) {
  auto s = Loaded();
  s->state.SelectorsLive = true;
  s->state.SelectedBand = 1;  // clamped to 3
  s->platform.clickOnSet = &s->state;
  RefreshViews(s->state, s->platform);
  EXPECT_EQ(s->platform.headers.size(), 1u);
  EXPECT_EQ(s->platform.infoTables.size(), 1u);
  EXPECT_EQ(s->platform.dataTables.size(), 1u);
  EXPECT_TRUE(s->platform.refreshRequests.empty());
  EXPECT_EQ(s->state.SelectedBand, 3.0f);
  // After the refresh a click refreshes again.
  s->platform.clickOnSet = nullptr;
  BandSelectorClicked(s->state, s->platform, 5);
  EXPECT_EQ(s->platform.headers.size(), 2u);
  EXPECT_EQ(s->platform.selectorPositions.back(), 5);
}

TEST(RefreshViewsFull, NoSourcePushesNothing) {
  AppState state;
  OrderPlatform platform;
  platform.visible["Balloon"] = platform.visible["Polar0"] = platform.visible["Polar2"] = true;
  RefreshViews(state, platform);
  RefreshViews(state, platform);
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_TRUE(platform.infoTables.empty());
  EXPECT_TRUE(platform.balloons.empty());
  EXPECT_TRUE(platform.polar.empty());
  EXPECT_TRUE(platform.refreshRequests.empty());
}

}  // namespace
}  // namespace fonderel
