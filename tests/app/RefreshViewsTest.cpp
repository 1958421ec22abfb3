// RefreshViews: its half-second throttle on a clock that wraps at midnight,
// the Header fields and the clamp of the selected band.
#include <gtest/gtest.h>

#include <string>

#include "support/RecordingPlatform.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;

void SetBands(AppState& state, int first, int last) {
  state.src.SourceName = "Horn 90x40";
  state.src.Manufacturer = "Acme Audio";
  state.src.FirstBand = static_cast<std::int16_t>(first);
  state.src.LastBand = static_cast<std::int16_t>(last);
}

TEST(RefreshViews, HeaderFields) {
  AppState state;
  SetBands(state, 3, 8);
  RecordingPlatform platform;
  RefreshViews(state, platform);
  ASSERT_EQ(platform.headers.size(), 1u);
  const HeaderFields& h = platform.headers[0];
  EXPECT_EQ(h.NamTxt, "Horn 90x40");
  EXPECT_EQ(h.ManTxt, "Acme Audio");
  EXPECT_EQ(h.LoBand, " 125 Hz");
  EXPECT_EQ(h.HiBand, " 4000 Hz");
}

TEST(RefreshViews, BandLabel) {
  const char* const labels[] = {" 31.5 Hz", " 63 Hz",   " 125 Hz",  " 250 Hz",  " 500 Hz",
                                " 1000 Hz", " 2000 Hz", " 4000 Hz", " 8000 Hz", " 16000 Hz"};
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandLabel(b), labels[b - 1]) << "band " << b;
}

// Clock readings of the last refresh and of this one; whether this one runs.
TEST(RefreshViews, Throttle) {
  const struct {
    float last;
    double now;
    bool runs;
  } cases[] = {
      {1000.0f, 1000.2, false},  {1000.0f, 1000.5, false}, {1000.0f, 1000.75, true},
      {1000.0f, 1000.0, false},  {0.0f, 1000.0, true},     {86399.0f, 10.0, true},
      {86399.0f, 0.25, true},    {86399.75f, 0.125, false}, {86399.75f, 0.5, true},
      {1000.0f, 999.0, true},  // the clock was set back: no endless silence
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.last << " -> " << c.now);
    AppState state;
    SetBands(state, 3, 8);
    state.LastRefreshTime = c.last;
    RecordingPlatform platform;
    platform.clock = c.now;
    RefreshViews(state, platform);
    EXPECT_EQ(platform.headers.size(), c.runs ? 1u : 0u);
    EXPECT_EQ(state.LastRefreshTime, c.runs ? static_cast<float>(c.now) : c.last);
  }
}

TEST(RefreshViews, SecondCallWithinHalfASecondDoesNothing) {
  AppState state;
  SetBands(state, 3, 8);
  RecordingPlatform platform;
  platform.clockStep = 0.2;
  RefreshViews(state, platform);
  ASSERT_EQ(platform.headers.size(), 1u);
  const float first = state.LastRefreshTime;
  state.src.SourceName = "changed";
  state.SelectedBand = 1.0f;
  RefreshViews(state, platform);  // 0.2 s later
  RefreshViews(state, platform);  // 0.4 s later
  EXPECT_EQ(platform.headers.size(), 1u);
  EXPECT_EQ(state.LastRefreshTime, first);
  EXPECT_EQ(state.SelectedBand, 1.0f);
  RefreshViews(state, platform);  // 0.6 s after the first
  ASSERT_EQ(platform.headers.size(), 2u);
  EXPECT_EQ(platform.headers[1].NamTxt, "changed");
}

TEST(RefreshViews, WithoutDataOnlyTheTimeIsStored) {
  AppState state;
  state.SelectedBand = 12.0f;
  RecordingPlatform platform;
  platform.clock = 4321.0;
  RefreshViews(state, platform);
  EXPECT_EQ(state.LastRefreshTime, 4321.0f);
  EXPECT_TRUE(platform.headers.empty());
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_EQ(state.SelectedBand, 12.0f);
}

TEST(RefreshViews, SelectedBandIsClampedToTheRange) {
  const struct {
    float selected, clamped;
  } cases[] = {{1, 4}, {12, 9}, {3, 4}, {4, 4}, {6, 6}, {9, 9}, {10, 9}};
  for (const auto& c : cases) {
    AppState state;
    SetBands(state, 4, 9);
    state.SelectedBand = c.selected;
    RecordingPlatform platform;
    RefreshViews(state, platform);
    EXPECT_EQ(state.SelectedBand, c.clamped) << "selected " << c.selected;
  }
}

}  // namespace
}  // namespace fonderel
