// The Interpolate Polar window as the engine keeps it: the mouse rule, the
// chart, the shared 0° and 180° values, the clipboard, files that cannot be
// read, OK with levels that give no balloon, and cancelling the command.
#include <gtest/gtest.h>

#include <cmath>

#include "app/CaseData.h"
#include "core/AppState.h"
#include "polar/Interpol.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

std::string Value(const InterpolModel& m, int row) { return m.Table()[static_cast<std::size_t>(row)][1]; }

// With 6 dB in row 5 the top level T is 6, on the outer ring of radius 200.
TEST(Interpol, MouseSetsTheNearestRow) {
  for (const auto& j : Cases("../cases5/polar", "mouse")) {
    const struct {
      double x, y;
      int row;
      std::string value;
    } c{j[0], j[1], j[2], j[3].get<std::string>()};
    InterpolModel m;
    m.CommitEntry(5, "6");
    m.MousePress(c.x, c.y);
    EXPECT_EQ(m.CurrentRow(), c.row) << c.x << "," << c.y;
    EXPECT_EQ(Value(m, c.row), c.value) << c.x << "," << c.y;
    EXPECT_FLOAT_EQ(m.tables.HorizPolar(c.row - 1, 1), std::stof(c.value));
  }
}

TEST(Interpol, ChartPutsTheTopOnTheOuterRing) {
  InterpolModel m;
  m.CommitEntry(10, "30");  // 90°: the top
  m.CommitEntry(1, "10");   // 0°: 20 dB down, half way out
  m.SetCurrentRow(36);
  m.SetCurrentRow(1);  // the cursor back on the first row
  m.SetCurrentRow(0);  // the header row is no plot row
  m.SetCurrentRow(37);
  EXPECT_EQ(m.CurrentRow(), 1);
  const InterpolChart& c = m.Chart();
  const struct {
    ChartPoint at, expected;
  } points[] = {{c.curve[9], {0, -200}}, {c.curve[0], {100, 0}}, {c.curve[18], {-50, 0}}, {c.marker, {100, 0}}};
  for (const auto& p : points) {
    EXPECT_NEAR(p.at.x, p.expected.x, 1e-6);
    EXPECT_NEAR(p.at.y, p.expected.y, 1e-6);
  }
  EXPECT_EQ(c.diameters.size(), 6u);
  // The level labels start at x = 180, 130, 80 and 30, below the axis.
  std::vector<std::string> labels;
  for (const ChartLabel& l : c.labels) {
    labels.push_back(l.text + (l.centred ? "" : "@" + std::to_string(static_cast<int>(l.at.x))));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"0", "90", "180", "270", "30.0@180", "20.0@130",
                                              "10.0@80", "0.0@30"}));
}

// The 0° and 180° points belong to both plots; the table shows one decimal
// and the plot keeps what the table shows.
TEST(Interpol, AxisAndRearAreShared) {
  InterpolModel m;
  m.tables.VertPolar(3, 4) = 83.27f;
  m.tables.VertPolar(35, 4) = -5.0f;
  m.ShowPlot(4, true);
  m.CommitEntry(1, "12.5");
  m.CommitEntry(19, "3");
  m.CommitEntry(2, "7");
  EXPECT_FLOAT_EQ(m.tables.VertPolar(0, 4), 12.5f);
  EXPECT_FLOAT_EQ(m.tables.VertPolar(18, 4), 3.0f);
  EXPECT_FLOAT_EQ(m.tables.VertPolar(1, 4), 0.0f);
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(0, 3), 0.0f) << "other bands keep theirs";
  m.ShowPlot(4, false);
  EXPECT_EQ(Value(m, 1), "12.5");
  EXPECT_EQ(Value(m, 4), "83.3");
  EXPECT_EQ(Value(m, 36), "-5.0");
  EXPECT_FLOAT_EQ(m.tables.VertPolar(3, 4), 83.3f);
  m.CommitEntry(1, "1");
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(0, 4), 1.0f);
}

TEST(Interpol, ClipboardKeys) {
  InterpolModel m;
  m.Paste({2, 1, 4, 1}, "1.5\r\n-2\rabc\r9\r");
  EXPECT_EQ(Value(m, 5), "0.0") << "outside the selection";
  const float stored[] = {1.5f, -2.0f, 0.0f};  // text counts as 0
  for (int r = 2; r <= 4; ++r) EXPECT_FLOAT_EQ(m.tables.HorizPolar(r - 1, 1), stored[r - 2]);
  EXPECT_EQ(m.Copy({1, 0, 3, 1}), "0\t0.0\r10\t1.5\r20\t-2\r");
  m.Paste({1, 1, 1, 1}, "1e300");
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(0, 1), 0.0f) << "beyond the float range counts as 0";
}

// A file that cannot be read is reported; the tables, the table and the
// file name stay as they were.
TEST(Interpol, UnreadableFilesChangeNothing) {
  TempDir dir;
  Spit(dir / "SHORT.PRN", "title\r\n0 1 2 3\r\n");
  Spit(dir / "WORD.TXT", "title\r\n0 1 2 x\r\n");
  Spit(dir / "SHORT.CSV", "a\r\nb\r\n");
  const struct {
    std::string path;
    const char* error;
  } cases[] = {
      {dir / "SHORT.PRN", "SHORT.PRN, line 3: expected a number, found the end of the file"},
      {dir / "WORD.TXT", "WORD.TXT, line 2: expected a number, found \"x\""},
      {dir / "SHORT.CSV", "SHORT.CSV, line 3: expected a line, found the end of the file"},
      {dir / "MISSING.PRN", "MISSING.PRN"},
  };
  for (const auto& c : cases) {
    AppState state;
    state.src.SourceFile = "/before.SPK";
    RecordingPlatform platform;
    InterpolModel m;
    m.CommitEntry(3, "44");
    const PolarTables before = m.tables;
    EXPECT_FALSE(m.LoadPath(state, platform, c.path));
    EXPECT_EQ(m.tables, before);
    EXPECT_EQ(Value(m, 3), "44.0");
    EXPECT_EQ(state.src.SourceFile, "/before.SPK");
    EXPECT_FALSE(state.src.HasData() || m.InterpolationDone);
    const std::string shown = platform.calls.back();
    EXPECT_EQ(shown.rfind("ShowMessage Read Error|", 0), 0u) << shown;
    EXPECT_NE(shown.find(c.error), std::string::npos) << shown;
    EXPECT_EQ(state.log.Lines().back(), "Error: " + shown.substr(shown.find('|') + 1));
  }
}

// OK with levels that give no balloon warns and keeps the window; a
// cancelled unsaved-data question keeps the data.
TEST(Interpol, RefusedBalloonAndCancelledCommand) {
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  m.Paste({1, 1, 1, 1}, "900");
  EXPECT_FALSE(m.Compute(state, platform));
  EXPECT_FALSE(m.InterpolationDone || state.src.HasData());
  EXPECT_EQ(platform.calls.back(),
            "ShowMessage Warning|The levels of 31.5 Hz give no finite balloon; please check them.");

  state.src.FirstBand = state.src.LastBand = 3;
  state.src.DataSaved = kFalse;
  platform.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(BeginInterpolatePolar(state, platform));
  EXPECT_EQ(state.src.FirstBand, 3);
}

}  // namespace
}  // namespace fonderel::test
