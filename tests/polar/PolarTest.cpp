// Polar plots: the measurement files (the golden file of each layout, the
// result name, files short, broken or out of range); the Interpolate Polar
// window as the engine keeps it (the mouse rule, the chart, the shared 0° and
// 180° values also after a load, the clipboard, unreadable files, OK with levels that give no
// balloon, cancelling the command); and the balloon built from the plots
// (levels between the planes, the mean, Lw, Q, the log line, refusals).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/CaseData.h"
#include "core/AppState.h"
#include "core/TableFile.h"
#include "polar/Interpol.h"
#include "polar/PolarFiles.h"
#include "polar/PolarInterpolation.h"

namespace fonderel::test {
namespace {

// Reads a file of any layout; a CSV file into `state`.
std::expected<PolarTables, FileError> Read(const std::string& name, const std::string& bytes,
                                           AppState& state) {
  RecordingPlatform platform;
  switch (PolarFormatOfPath(name)) {
    case PolarFormat::Txt:
      return ReadTxtPolar(bytes, name);
    case PolarFormat::Csv:
      if (auto built = ReadCsvPolar(state, platform, bytes, name); !built) return std::unexpected(built.error());
      return PolarTables{};
    default:
      return ReadPrnPolar(bytes, name);
  }
}

PolarTables Golden(const std::string& name) {
  AppState state;
  auto read = Read(DataPath("polar/" + name), Slurp(DataPath("polar/" + name)), state);
  EXPECT_TRUE(read.has_value()) << (read ? "" : read.error().Text());
  return read.value_or(PolarTables{});
}

// Both PRN files hold 60 + b dB on the axis, falling 0.5 dB (horizontal) and
// 1 dB (vertical) per 10 degrees towards the rear; one numbers its angles
// 0..350 with commas and CR LF, the other writes every angle as 0, with
// blanks, LF and each record over two lines. The angles are not used.
TEST(PolarFiles, PrnGoldenFilesGiveTheSameTables) {
  const PolarTables t = Golden("PRN_ANGLES.PRN");
  EXPECT_EQ(t, Golden("PRN_ZEROANGLES.prn"));
  for (const auto& c : Cases("../polar/expected", "prnCells")) {
    EXPECT_FLOAT_EQ(t.HorizPolar(c[0].get<int>(), c[1].get<int>()), c[2].get<float>()) << c;
    EXPECT_FLOAT_EQ(t.VertPolar(c[0].get<int>(), c[1].get<int>()), c[3].get<float>()) << c;
  }
}

// Records of 29 values at 0 dB (horizontal) and 80 dB (vertical): each octave
// holds the decibel level of its energy sum, of two values for band 1 and of
// three for the others.
TEST(PolarFiles, TxtSumsThirdOctavesIntoOctaveDecibels) {
  const PolarTables t = Golden("TXT_0_80.TXT");
  for (int k : {0, 35}) {
    for (int b = 1; b <= 10; ++b) {
      const double sum = 10.0 * std::log10(b == 1 ? 2.0 : 3.0);
      EXPECT_NEAR(t.HorizPolar(k, b), sum, 1e-5) << b;
      EXPECT_NEAR(t.VertPolar(k, b), 80.0 + sum, 1e-4) << b;
    }
  }
}

TEST(PolarFiles, ResultNameAndFormat) {
  for (const auto& c : Cases("../cases5/polar", "results")) {
    EXPECT_EQ(PolarFormatOfPath(c[0]), static_cast<PolarFormat>(c[1].get<int>())) << c[0];
    EXPECT_EQ(PolarResultName(c[0]), c[2].get<std::string>()) << c[0];
  }
}

// Every broken file is refused with its name and line, and a CSV file leaves
// the description as it was. Files and errors: tests/data/polar/broken.json.
TEST(PolarFiles, BrokenFilesAreRefused) {
  for (const auto& c : Cases("../polar/broken", "broken")) {
    const std::string name = c[0], error = c[2];
    AppState state;
    const auto read = Read(name, Slurp(DataPath("polar/broken/" + name)), state);
    ASSERT_FALSE(read.has_value()) << name;
    EXPECT_EQ(read.error().Text().rfind(error, 0), 0u) << read.error().Text();
    EXPECT_FALSE(state.src.HasData());
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_EQ(state.src.BalloonData, Source().BalloonData);
  }
}

// The golden CSV file: plot 3 (-32.4°) at 80 dB but 77 dB at 90° azimuth,
// plot 2 (21.45°) at 85 dB but 88 dB at 90°, plot 1 (0°) from 90 dB on the
// axis down to 78 dB at the rear; each band 1 dB above the one before. The
// pole takes the mean of the three plots at 90° azimuth: (84 + 88 + 77) / 3
// = 83 dB.
TEST(PolarFiles, CsvBuildsBandsFourToNine) {
  AppState state;
  RecordingPlatform platform;
  const std::string path = DataPath("polar/CSV_THREE.CSV");
  ASSERT_TRUE(ReadCsvPolar(state, platform, Slurp(path), path).has_value());
  const Source& s = state.src;
  EXPECT_EQ(s.FirstBand, 4);
  EXPECT_EQ(s.LastBand, 9);
  EXPECT_EQ(s.SourceKind, 1.0f);
  EXPECT_EQ(s.DataSaved, kFalse);
  EXPECT_EQ(s.SourceDate, "12-06-2026");
  for (int b : {1, 3, 10}) EXPECT_EQ(s.BandPresent(b), 0) << b;
  const Json points = Cases("../polar/expected", "csvPoints");
  for (int b = 4; b <= 9; ++b) {
    EXPECT_FLOAT_EQ(s.DirQ(b), s.BalloonData(0, 0, b)) << "the axis is the loudest direction";
    for (const auto& pt : points) {
      const float at = s.BalloonData(pt[0].get<int>(), pt[1].get<int>(), b);
      EXPECT_NEAR(10.0 * std::log10(at / s.BalloonData(0, 0, b)), pt[2].get<double>(), 1e-3)
          << b << pt;
    }
    EXPECT_NEAR(s.Lw(b) - s.Lw(4), b - 4, 1e-4);
    // The zone weights of the 18 planes go round a sphere of radius 3 m
    // twice each: 18 · 9 · 8π; efficiency · Q = axis intensity · weights / 100.
    EXPECT_NEAR(s.Efficiency(b) * s.DirQ(b) / (std::pow(10.0, (86.0 + b) / 10.0) * 1296.0 * 3.141592654 / 100.0),
                1.0, 1e-5);
  }
  // 90 dB on the axis: the mean intensity through a sphere of radius 3 m.
  EXPECT_NEAR(s.Lw(4), 90.0 + 10.0 * std::log10(36.0 * 3.141592654 / s.DirQ(4)), 1e-3);
  const auto& log = state.log.Lines();
  ASSERT_EQ(log.size(), 30u);
  for (const auto& l : Cases("../cases5/polar", "csvLog")) {
    std::string line = l[1];
    if (const auto at = line.find("PATH"); at != std::string::npos) line.replace(at, 4, path);
    EXPECT_EQ(log[l[0].get<std::size_t>()], line);
  }
  EXPECT_EQ(log[24].rfind("Freq. (Hz)=  250 - Lw=", 0), 0u) << log[24];
}

std::string Value(const InterpolModel& m, int row) { return m.Table()[static_cast<std::size_t>(row)][1]; }

// With 6 dB in row 5 the top level T is 6, on the outer ring of radius 200.
TEST(Interpol, MouseSetsTheNearestRow) {
  for (const auto& c : Cases("../cases5/polar", "mouse")) {
    const int row = c[2];
    const std::string value = c[3];
    InterpolModel m;
    m.CommitEntry(5, "6");
    m.MousePress(c[0], c[1]);
    EXPECT_EQ(m.CurrentRow(), row) << c;
    EXPECT_EQ(Value(m, row), value) << c;
    EXPECT_FLOAT_EQ(m.tables.HorizPolar(row - 1, 1), std::stof(value));
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

// After a load the horizontal plot lends its 0° and 180° values to the
// vertical one in every band, not only in the band on show, so the balloon
// holds one value on the axis and one at the rear. PRN_ANGLES.PRN has 54 dB
// horizontally and 45 dB vertically at 180° in band 3.
TEST(Interpol, LoadedPlotsShareAxisAndRearInEveryBand) {
  AppState state;
  RecordingPlatform platform;
  InterpolModel m;
  ASSERT_TRUE(m.LoadPath(state, platform, DataPath("polar/PRN_ANGLES.PRN")));
  ASSERT_TRUE(m.Compute(state, platform));
  for (int b = 1; b <= 10; ++b) {
    for (int k : {0, 18}) {
      for (int p = 1; p < 18; ++p) {
        EXPECT_FLOAT_EQ(state.src.BalloonData(p, k, b), state.src.BalloonData(0, k, b))
            << "band " << b << ", point " << k << ", plot " << p;
      }
    }
  }
  m.ShowPlot(3, false);
  EXPECT_EQ(Value(m, 19), "54.0");
  EXPECT_EQ(Value(m, 20), "46.0") << "the other angles stay the vertical plot's";
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
// file name stay as they were. Files and errors: tests/data/polar/unreadable.tsv.
TEST(Interpol, UnreadableFilesChangeNothing) {
  for (const auto& c : TableRows("../polar/unreadable.tsv")) {
    AppState state;
    state.src.SourceFile = "/before.SPK";
    RecordingPlatform platform;
    InterpolModel m;
    m.CommitEntry(3, "44");
    const PolarTables before = m.tables;
    EXPECT_FALSE(m.LoadPath(state, platform, DataPath("polar/" + c.at(0))));
    EXPECT_EQ(m.tables, before);
    EXPECT_EQ(Value(m, 3), "44.0");
    EXPECT_EQ(state.src.SourceFile, "/before.SPK");
    EXPECT_FALSE(state.src.HasData() || m.InterpolationDone);
    const std::string shown = platform.calls.back();
    EXPECT_EQ(shown.rfind("ShowMessage Read Error|", 0), 0u) << shown;
    EXPECT_NE(shown.find(c.at(1)), std::string::npos) << shown;
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

PolarTables Flat(float horiz, float vert) {
  PolarTables t;
  t.HorizPolar.Fill(horiz);
  t.VertPolar.Fill(vert);
  return t;
}

// Both plots at 0 dB: balloon 1 everywhere, mean 1, Lw 100, Q 1, and the
// efficiency is the sum of the weights (each plane goes round the sphere
// twice: 2 · 4π) over 100.
TEST(PolarInterpolation, BothPlotsZeroGiveAnOmniSource) {
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(Flat(0, 0), state, platform).has_value());
  const Source& s = state.src;
  EXPECT_EQ(s.FirstBand, 1);
  EXPECT_EQ(s.LastBand, 10);
  EXPECT_EQ(s.SourceKind, 1.0f);
  EXPECT_EQ(s.DataSaved, kFalse);
  for (int b = 1; b <= 10; ++b) {
    EXPECT_FLOAT_EQ(s.Lw(b), 100.0f);
    EXPECT_FLOAT_EQ(s.DirQ(b), 1.0f);
    EXPECT_NEAR(s.Efficiency(b), 18.0 * 2.0 * 4.0 * 3.141592654 / 100.0, 1e-4);
    EXPECT_EQ(s.BandPresent(b), 1);
    for (int p : {0, 7, 17}) EXPECT_FLOAT_EQ(s.BalloonData(p, 13, b), 1.0f);
  }
  ASSERT_EQ(state.log.Lines().size(), 10u);
  EXPECT_EQ(state.log.Lines()[5], "Freq. (Hz)= 1000 - Lw=  100. Q=      1.");
}

// Horizontal 0 dB, vertical -10 dB: plane p takes -10·p/9 dB up to the
// vertical plane and comes back to 0 dB beyond plane 17, the horizontal plane
// seen from the other side. Before normalising plane 4 holds 10^(-4/9).
TEST(PolarInterpolation, PlanesBetweenThePlots) {
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(Flat(0, -10), state, platform).has_value());
  const Source& s = state.src;
  double mean = 0.0;
  for (int p = 0; p < 18; ++p) mean += std::pow(10.0, -(p <= 9 ? p : 18 - p) / 9.0) / 18.0;
  const struct {
    int p;
    double beforeNormalising;
  } planes[] = {{0, 1.0}, {4, std::pow(10.0, -4.0 / 9.0)}, {9, 0.1}, {13, std::pow(10.0, -5.0 / 9.0)}};
  for (int b : {1, 10}) {
    for (const auto& plane : planes) {
      for (int k : {0, 9, 35}) {
        EXPECT_NEAR(s.BalloonData(plane.p, k, b), plane.beforeNormalising / mean, 1e-5) << plane.p;
      }
    }
    EXPECT_NEAR(s.Lw(b), 10.0 * std::log10(mean) + 100.0, 1e-4);
    EXPECT_NEAR(s.DirQ(b), 1.0 / mean, 1e-5);
  }

  // Beyond the vertical plane the horizontal plot runs backwards: point 3 of
  // plane 17 lies next to the horizontal plane at -30°, that is 330°.
  PolarTables t = Flat(0, 0);
  t.HorizPolar(33, 2) = 9.0f;
  ASSERT_TRUE(InterpolatePolarTables(t, state, platform).has_value());
  const double axis = state.src.BalloonData(0, 0, 2);
  EXPECT_NEAR(10.0 * std::log10(state.src.BalloonData(17, 3, 2) / axis), 8.0, 1e-4);
  EXPECT_NEAR(10.0 * std::log10(state.src.BalloonData(0, 33, 2) / axis), 9.0, 1e-4);
  EXPECT_NEAR(state.src.BalloonData(17, 33, 2) / axis, 1.0, 1e-6);
}

// Both plots 10 dB above the rest on the axis only: the axis zone (0° to
// 10°) holds (1 - cos 10°) / 4 of each plane's weight.
TEST(PolarInterpolation, AxisZoneWeighsByItsArea) {
  PolarTables t = Flat(0, 0);
  t.HorizPolar(0, 7) = t.VertPolar(0, 7) = 10.0f;
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(InterpolatePolarTables(t, state, platform).has_value());
  const double mean = 1.0 + 9.0 * (1.0 - std::cos(10.0 * 3.141592654 / 180.0)) / 4.0;
  EXPECT_NEAR(state.src.DirQ(7), 10.0 / mean, 1e-5);
  EXPECT_NEAR(state.src.Lw(7), 100.0 + 10.0 * std::log10(mean), 1e-4);
  EXPECT_NEAR(state.src.Efficiency(7), 18.0 * 8.0 * 3.141592654 * mean / 100.0, 1e-4);
}

// Cases in tests/data/cases5/polar.json.
TEST(PolarInterpolation, LogLine) {
  for (const auto& c : Cases("../cases5/polar", "logLine"))
    EXPECT_EQ(PolarBandLogLine(c[0], c[1].get<float>(), c[2].get<float>()), c[3].get<std::string>());
}

// Levels whose balloon overflows or vanishes are refused, and nothing of the
// description changes.
TEST(PolarInterpolation, NonFiniteBalloonIsRefused) {
  for (const auto& c : Cases("../cases5/polar", "nonFinite")) {
    const int band = c[0];
    PolarTables t = Flat(0, 0);
    for (int k = 0; k < 36; ++k) {
      t.HorizPolar(k, band) = c[1];
      t.VertPolar(k, band) = c[2];
    }
    AppState state;
    RecordingPlatform platform;
    const auto built = InterpolatePolarTables(t, state, platform);
    ASSERT_FALSE(built.has_value()) << c;
    EXPECT_EQ(built.error(), "The levels of " + c[3].get<std::string>() +
                                 " Hz give no finite balloon; please check them.");
    EXPECT_FALSE(state.src.HasData());
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_TRUE(state.log.Lines().empty());
  }
}

}  // namespace
}  // namespace fonderel::test
