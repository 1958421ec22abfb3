// The Interpolate Polar window's table, chart, mouse and clipboard, its
// Load from File button, its OK button and the File menu command around it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/AppState.h"
#include "polar/Interpol.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

std::string Value(const InterpolModel& m, int row) { return m.Table()[static_cast<std::size_t>(row)][1]; }

TEST(Interpol, OpensWithZeroTables) {
  const InterpolModel m;
  ASSERT_EQ(m.Table().size(), 37u);
  EXPECT_EQ(m.Table()[0], (std::vector<std::string>{"Angle (\xB0)", "Value (dB)"}));
  EXPECT_EQ(m.Table()[1], (std::vector<std::string>{"0", "0.0"}));
  EXPECT_EQ(m.Table()[36], (std::vector<std::string>{"350", "0.0"}));
  EXPECT_TRUE(m.Horizontal());
  EXPECT_EQ(m.Band(), 1);
  EXPECT_EQ(m.tables, PolarTables{});
  EXPECT_FALSE(m.InterpolationDone);
}

// With 6 dB in row 5 the top level T is 6: the outer ring.
TEST(Interpol, MouseSetsTheNearestRow) {
  const struct {
    double x, y;
    int row;
    const char* value;
  } cases[] = {
      {0, -200, 10, "6.0"},                                       // straight up: 90°, T
      {100, 0, 1, "-14.0"},                                       // right, half way: T - 20
      {150 * std::cos(355 * M_PI / 180), 150 * std::sin(355 * M_PI / 180), 1, "-4.0"},  // 355° wraps
      {-200, 0, 19, "6.0"},                                       // 180°
      {0, 50, 28, "-24.0"},                                       // 270°
      {0, 0, 28, "-34.0"},                                        // the centre
      {141.42, 141.42, 33, "6.0"},                                // 315° rounds up to 320°
  };
  for (const auto& c : cases) {
    InterpolModel m;
    m.CommitEntry(5, "6");
    ASSERT_DOUBLE_EQ(m.Chart().top, 6.0);
    m.MousePress(c.x, c.y);
    EXPECT_EQ(m.CurrentRow(), c.row) << c.x << "," << c.y;
    EXPECT_EQ(Value(m, c.row), c.value) << c.x << "," << c.y;
    EXPECT_FLOAT_EQ(m.tables.HorizPolar(c.row - 1, 1), std::stof(c.value));
  }
}

TEST(Interpol, ChartPutsTheTopOnTheOuterRing) {
  InterpolModel m;
  m.CommitEntry(10, "30");  // 90°: the top
  m.CommitEntry(1, "10");   // 0°: 20 dB below, half way out
  m.SetCurrentRow(1);
  const InterpolChart& c = m.Chart();
  EXPECT_DOUBLE_EQ(c.top, 30.0);
  EXPECT_NEAR(c.curve[9].x, 0.0, 1e-6);
  EXPECT_NEAR(c.curve[9].y, -200.0, 1e-6);
  EXPECT_NEAR(c.curve[0].x, 100.0, 1e-6);
  EXPECT_NEAR(c.curve[0].y, 0.0, 1e-6);
  // 0 dB is 30 dB down: radius 50, at 180°.
  EXPECT_NEAR(c.curve[18].x, -50.0, 1e-6);
  EXPECT_NEAR(c.marker.x, 100.0, 1e-6);
  std::vector<std::string> levels;
  for (const ChartLabel& l : c.labels) levels.push_back(l.text);
  EXPECT_EQ(levels, (std::vector<std::string>{"0", "90", "180", "270", "30.0", "20.0", "10.0", "0.0"}));
  EXPECT_EQ(c.diameters.size(), 6u);
}

// The 0° and 180° points belong to both plots.
TEST(Interpol, AxisAndRearAreShared) {
  InterpolModel m;
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
  EXPECT_EQ(Value(m, 2), "0.0");
  m.CommitEntry(1, "1");
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(0, 4), 1.0f);
}

TEST(Interpol, PlotShownInOneDecimal) {
  InterpolModel m;
  m.tables.VertPolar(3, 2) = 83.27f;
  m.tables.VertPolar(4, 2) = -0.04f;
  m.tables.VertPolar(5, 2) = 105.25f;
  m.ShowPlot(2, false);
  EXPECT_EQ(Value(m, 4), "83.3");
  EXPECT_EQ(Value(m, 5), "0.0");
  EXPECT_EQ(Value(m, 6), "105.3");
  EXPECT_FLOAT_EQ(m.tables.VertPolar(3, 2), 83.3f) << "the table is stored back as shown";
}

TEST(Interpol, ClipboardKeys) {
  InterpolModel m;
  m.Paste({2, 1, 4, 1}, "1.5\r\n-2\rabc\r9\r");
  EXPECT_EQ(Value(m, 2), "1.5");
  EXPECT_EQ(Value(m, 3), "-2");
  EXPECT_EQ(Value(m, 4), "abc");
  EXPECT_EQ(Value(m, 5), "0.0") << "outside the selection";
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(1, 1), 1.5f);
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(2, 1), -2.0f);
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(3, 1), 0.0f) << "text counts as 0";
  EXPECT_EQ(m.Copy({2, 1, 3, 1}), "1.5\r-2\r");
  EXPECT_EQ(m.Copy({1, 0, 2, 1}), "0\t0.0\r10\t1.5\r");
  m.Paste({1, 1, 1, 1}, "1e300");
  EXPECT_FLOAT_EQ(m.tables.HorizPolar(0, 1), 0.0f) << "beyond the float range counts as 0";
}

TEST(Interpol, LoadFromFile) {
  const std::string prn = DataPath("polar/PRN_ANGLES.PRN");
  AppState state;
  RecordingPlatform platform;
  platform.files.push_back(prn);
  InterpolModel m;
  m.ShowPlot(5, false);
  m.LoadFile(state, platform);
  ASSERT_EQ(platform.fileDialogs.size(), 1u);
  EXPECT_EQ(platform.fileDialogs[0].title, "Interpolate a Polar Plots File (MLSSA)");
  EXPECT_EQ(platform.fileDialogs[0].filter,
            "Octave H/V Polar (*.prn)|*.prn|1/3 Octave H/V Polar (*.txt)|*.txt|Octave 3H Polar (*.csv)|*.csv");
  EXPECT_EQ(platform.fileDialogs[0].fileName, "*.prn");
  EXPECT_TRUE(m.Horizontal());
  EXPECT_EQ(m.Band(), 1);
  EXPECT_EQ(Value(m, 1), "61.0");
  EXPECT_EQ(Value(m, 19), "52.0");
  EXPECT_FLOAT_EQ(m.tables.VertPolar(9, 5), 56.0f);
  const std::string result = prn.substr(0, prn.size() - 3) + "SPK";
  EXPECT_EQ(state.src.SourceFile, result);
  EXPECT_TRUE(platform.Called("Caption Fonderel " + result));
  EXPECT_FALSE(m.InterpolationDone);
  EXPECT_FALSE(state.src.HasData());

  // Cancelling the dialog changes nothing.
  m.LoadFile(state, platform);
  EXPECT_EQ(Value(m, 1), "61.0");
}

// A file that cannot be read is reported; the tables, the shown plot and
// the file name stay as they were.
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
    m.LoadPath(state, platform, c.path);
    EXPECT_EQ(m.tables, before);
    EXPECT_EQ(Value(m, 3), "44.0");
    EXPECT_EQ(state.src.SourceFile, "/before.SPK");
    EXPECT_FALSE(state.src.HasData());
    EXPECT_FALSE(m.InterpolationDone);
    ASSERT_FALSE(platform.calls.empty());
    const std::string shown = platform.calls.back();
    EXPECT_EQ(shown.rfind("ShowMessage Read Error|", 0), 0u) << shown;
    EXPECT_NE(shown.find(c.error), std::string::npos) << shown;
    EXPECT_EQ(state.log.Lines().back(), "Error: " + shown.substr(shown.find('|') + 1));
  }
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  m.LoadPath(state, platform, dir / "SHORT.DAT");
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"Beep"}));
}

TEST(Interpol, CsvFileBuildsTheSourceAndEndsTheWindow) {
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  const std::string csv = DataPath("polar/CSV_THREE.CSV");
  m.LoadPath(state, platform, csv);
  EXPECT_TRUE(m.InterpolationDone);
  EXPECT_EQ(state.src.FirstBand, 4);
  EXPECT_EQ(state.src.SourceFile, csv.substr(0, csv.size() - 3) + "SPK");
}

TEST(Interpol, OkBuildsTheSourceFromTheTables) {
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  m.ShowPlot(6, true);
  m.CommitEntry(10, "6");
  ASSERT_TRUE(m.Compute(state, platform));
  EXPECT_TRUE(m.InterpolationDone);
  EXPECT_EQ(state.src.LastBand, 10);
  EXPECT_GT(state.src.DirQ(6), 1.0f);
  EXPECT_FLOAT_EQ(state.src.DirQ(5), 1.0f);

  // Levels with no finite balloon: a warning, and the window stays.
  AppState other;
  InterpolModel big;
  big.Paste({1, 1, 1, 1}, "900");
  EXPECT_FALSE(big.Compute(other, platform));
  EXPECT_FALSE(big.InterpolationDone);
  EXPECT_FALSE(other.src.HasData());
  EXPECT_EQ(platform.calls.back(),
            "ShowMessage Warning|The levels of 31.5 Hz give no finite balloon; please check them.");
}

TEST(Interpol, MenuCommand) {
  const struct {
    std::optional<MessageAnswer> answer;  // to the unsaved-data question
    bool goesOn;
  } cases[] = {{std::nullopt, true}, {MessageAnswer::No, true}, {MessageAnswer::Cancel, false}};
  for (const auto& c : cases) {
    AppState state;
    RecordingPlatform platform;
    state.src.FirstBand = state.src.LastBand = 3;
    state.src.SourceName = "old";
    if (c.answer) {
      state.src.DataSaved = kFalse;
      platform.answers.push_back(*c.answer);
    }
    EXPECT_EQ(BeginInterpolatePolar(state, platform), c.goesOn);
    EXPECT_EQ(state.src.SourceName.empty(), c.goesOn);
    EXPECT_EQ(platform.Called(
                  "ShowMessage Warning|The current data were not saved! Do You want to save them now ?"),
              c.answer.has_value());
  }
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  ASSERT_TRUE(m.Compute(state, platform));
  EndInterpolatePolar(state, platform, true);
  for (const char* w : {"Balloon", "Polar0", "Polar1", "Info", "Header"}) EXPECT_TRUE(platform.visible[w]) << w;
  ASSERT_FALSE(platform.infoTables.empty());
  EXPECT_EQ(platform.infoTables.back()[1][6], "100.00");

  RecordingPlatform cancelled;
  EndInterpolatePolar(state, cancelled, false);
  EXPECT_EQ(cancelled.calls, (std::vector<std::string>{"Caption Fonderel "}));
}

}  // namespace
}  // namespace fonderel::test
