// The CATT SD1 importer: the balloon mapping and its normalisation, the band
// range and levels, the log, and every malformed file ending in an error that
// leaves the description empty.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/BandTables.h"
#include "import/CattImport.h"
#include "support/RecordingPlatform.h"
#include "support/GoldenText.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

constexpr const char* kNotSd1 =
    "The TXT file does not appear to be a valid export file from CATT in SD1 format";
constexpr const char* kNotVersion1 = "The TXT file does not contains Version 1 SD1 format";

struct Import {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Import> ImportFile(const std::string& path) {
  auto run = std::make_unique<Import>();
  run->result = ImportCattFile(*run->state, run->platform, path);
  return run;
}

// A CATT SD1 text built line by line, for the cases that vary one part of the
// layout. Grids are given as attenuation texts per (half-plane, angle).
struct CattText {
  std::string first = "CATT-SD1";
  std::string version = "VERSION = 1";
  std::string name = "NAME = TEST";
  std::string bands = "Frequencies <1000";
  std::string levels = "LEVELS dB re 1pW: 90.0";
  int grids = 1;
  std::function<std::string(int band, int h, int a)> x = [](int, int, int) { return "0"; };

  std::string Bytes() const {
    std::string out = first + "\r\n" + version + "\r\n" + name + "\r\n" + "comment\r\n" + bands +
                      "\r\n" + levels + "\r\n" + "seven\r\neight\r\nnine\r\n";
    for (int b = 0; b < grids; ++b) {
      out += "band header\r\n  h\\a 0 10 20 ... 180\r\n";
      for (int h = 0; h < 36; ++h) {
        for (int a = 0; a < 19; ++a) out += (a ? " " : "") + x(b, h, a);
        out += "\r\n";
      }
    }
    return out;
  }
};

void ExpectEmpty(const Source& s) {
  const Source fresh;
  EXPECT_EQ(s.FirstBand, 0);
  EXPECT_EQ(s.LastBand, 0);
  EXPECT_EQ(s.BandCount, 0);
  EXPECT_EQ(s.SourceName, "");
  EXPECT_EQ(s.SourceDate, "");
  EXPECT_EQ(s.SourceKind, 0.0f);
  EXPECT_TRUE(s.BandPresent == fresh.BandPresent && s.Lw == fresh.Lw && s.DirQ == fresh.DirQ &&
              s.BalloonData == fresh.BalloonData);
}

double Db(double x) {
  return 10.0 * std::log10(x);
}

// CATT_OMNI.TXT: six bands 125 Hz to 4 kHz, every attenuation 0, levels 80 to
// 87.5 in steps of 1.5; checks the band range, the flat balloon, Q, Lw and the
// header the reader stamps.
TEST(CattImport, OmnidirectionalFileGivesOneInEveryCell) {
  auto run = ImportFile(DataPath("import/CATT_OMNI.TXT"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  EXPECT_EQ(s.FirstBand, 3);
  EXPECT_EQ(s.LastBand, 8);
  EXPECT_EQ(s.BandCount, 6);
  EXPECT_EQ(s.SourceName, " OMNI TEST");  // the blank after "=" stays
  EXPECT_EQ(s.Manufacturer, "");
  EXPECT_EQ(s.SourceDate, "12-06-2026");
  EXPECT_EQ(s.SourceTime, "17:45:09");
  EXPECT_EQ(s.SourceKind, 1.0f);
  for (int k = 1; k <= kBandCount; ++k) {
    SCOPED_TRACE(k);
    const bool read = k >= 3 && k <= 8;
    EXPECT_EQ(s.BandPresent(k), read ? 1 : 0);
    EXPECT_EQ(s.Sensitivity(k), 0.0f);
    EXPECT_EQ(s.Efficiency(k), 0.0f);
    EXPECT_EQ(s.Impedance(k), 0.0f);
    if (!read) {
      EXPECT_EQ(s.Lw(k), 0.0f);
      EXPECT_EQ(s.BalloonData(0, 0, k), 0.0f);
      continue;
    }
    EXPECT_FLOAT_EQ(s.DirQ(k), 1.0f);
    EXPECT_FLOAT_EQ(s.Lw(k), 80.0f + 1.5f * static_cast<float>(k - 3) + 11.0f);
    for (int p = 0; p < kPlots; ++p)
      for (int q = 0; q < kPoints; ++q)
        ASSERT_NEAR(s.BalloonData(p, q, k), 1.0f, 1e-6f) << p << "," << q;
  }
  EXPECT_EQ(run->platform.calls,
            (std::vector<std::string>{"ShowTextLog", "SetBusy on", "SetBusy off"}));
}

// CATT_OMNI.TXT again: the log of one import, line by line.
TEST(CattImport, LogLinesOfOneImport) {
  const std::string path = DataPath("import/CATT_OMNI.TXT");
  auto run = ImportFile(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  test::ExpectGoldenLines(run->state->log.Lines(), "catt-omni.log", {{"{path}", path}});
}

// CATT_MAP.TXT: one band of 1 kHz, attenuations 0 except for markers of
// distinct values; checks where each group of half-planes lands, that the rear
// cells are overwritten by the third and fourth groups, that the on-axis values
// of half-planes 10 to 27 are not used, and the normalisation to the weighted mean.
TEST(CattImport, DirectionalFileMapsTheFourGroupsInOrder) {
  auto run = ImportFile(DataPath("import/CATT_MAP.TXT"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  ASSERT_EQ(s.FirstBand, 6);
  ASSERT_EQ(s.LastBand, 6);
  EXPECT_EQ(s.SourceName, "MAP");

  // Markers placed on the balloon, with the attenuations overwritten or unused
  // left out: (half-plane, angle, dB) of the file.
  struct Marker {
    int h, a;
    double x;
  };
  const Marker counted[] = {{0, 5, 1},   {30, 7, 2},   {20, 3, -3}, {12, 11, 4},
                            {9, 18, 5},  {27, 18, 6},  {0, 18, 8},  {18, 18, 7},
                            {28, 18, 9}, {10, 18, 10}, {19, 1, 11}, {35, 0, 12}};
  // The weights of the 666 values placed: 18 half-planes with all 19 angles,
  // 18 without the axis; the weights of one half-plane sum to 1.
  const auto w = ZoneWeight();
  const double weights = 36.0 - 18.0 * w(0);
  double sum = weights;
  for (const Marker& m : counted) sum += w(m.a) * (std::pow(10.0, -m.x / 10) - 1.0);
  const double mean = sum / weights;
  const double flat = 1.0 / mean;

  struct Cell {
    int plot, point;
    double x;
  };
  const Cell landed[] = {
      {9, 5, 1},     // h 0 -> plot 9
      {15, 7, 2},    // h 30 -> plot 15
      {7, 33, -3},   // h 20, a 3 -> plot 7, point 33
      {15, 25, 4},   // h 12, a 11 -> plot 15, point 25
      {0, 18, 6},    // rear of plot 0: h 27 overwrites h 9
      {9, 18, 7},    // rear of plot 9: h 18 overwrites h 0
      {17, 18, 10},  // rear of plot 17: h 10 overwrites h 28
      {8, 35, 11},   // h 19, a 1 -> plot 8, point 35
      {10, 0, 12},   // h 35 -> plot 10, point 0
  };
  int marked = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int q = 0; q < kPoints; ++q) {
      double expected = flat;
      for (const Cell& c : landed) {
        if (c.plot == p && c.point == q) expected = std::pow(10.0, -c.x / 10) / mean;
      }
      if (expected != flat) ++marked;
      EXPECT_NEAR(s.BalloonData(p, q, 6), expected, 1e-6 * expected) << p << "," << q;
    }
  }
  EXPECT_EQ(marked, 9);
  EXPECT_NEAR(s.DirQ(6), std::pow(10.0, 0.3) / mean, 1e-6);
  EXPECT_NEAR(s.Lw(6), 90.0 + 11.0 - Db(flat), 1e-4);
}

// CATT_TWOLEVELS.TXT: 500 Hz with every attenuation -20 dB, then 1 kHz with
// every attenuation 0; each band is normalised on its own, so both are flat.
TEST(CattImport, NormalisationOfABandIgnoresEarlierBands) {
  auto run = ImportFile(DataPath("import/CATT_TWOLEVELS.TXT"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  ASSERT_EQ(s.FirstBand, 5);
  ASSERT_EQ(s.LastBand, 6);
  for (int k = 5; k <= 6; ++k) {
    for (int p = 0; p < kPlots; ++p)
      for (int q = 0; q < kPoints; ++q) ASSERT_NEAR(s.BalloonData(p, q, k), 1.0f, 1e-5f) << k;
    EXPECT_NEAR(s.DirQ(k), 1.0f, 1e-5f);
  }
  EXPECT_NEAR(s.Lw(5), 85.0f + 11.0f, 1e-4f);
  EXPECT_NEAR(s.Lw(6), 88.0f + 11.0f, 1e-4f);
}

// CATT_UNKNOWN.TXT: the band list "100 200" starts with no band centre, so the
// two bands are read into bands 1 and 2.
TEST(CattImport, UnknownFirstFrequencyStartsAtBandOne) {
  const std::string path = DataPath("import/CATT_UNKNOWN.TXT");
  auto run = ImportFile(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  EXPECT_EQ(s.FirstBand, 1);
  EXPECT_EQ(s.LastBand, 2);
  EXPECT_EQ(s.BandCount, 2);
  EXPECT_EQ(s.BandPresent(1), 1);
  EXPECT_EQ(s.BandPresent(3), 0);
  EXPECT_FLOAT_EQ(s.Lw(1), 81.0f);
  EXPECT_FLOAT_EQ(s.Lw(2), 82.0f);
  EXPECT_EQ(run->state->log.Lines().at(4), "Frequency  = 31.5 Hz");
}

// CATT_LOWER.TXT: a valid file except that its first line is "catt-sd1".
TEST(CattImport, LowerCaseFirstLineIsRejectedWithItsMessage) {
  auto run = ImportFile(DataPath("import/CATT_LOWER.TXT"));
  ASSERT_FALSE(run->result);
  EXPECT_TRUE(run->result.error().ownMessage);
  EXPECT_EQ(run->result.error().line, 1);
  EXPECT_EQ(run->result.error().message, kNotSd1);
  // The caller shows it; the reader itself only opened the log.
  EXPECT_EQ(run->platform.calls, std::vector<std::string>{"ShowTextLog"});
  ExpectEmpty(run->state->src);
}

// CATT_PAST16K.TXT: the band list 4000 8000 16000 32000 would need an eleventh band.
TEST(CattImport, BandListPast16kHzIsAnError) {
  const std::string path = DataPath("import/CATT_PAST16K.TXT");
  auto run = ImportFile(path);
  ASSERT_FALSE(run->result);
  EXPECT_FALSE(run->result.error().ownMessage);
  EXPECT_EQ(run->result.error().file, path);
  EXPECT_EQ(run->result.error().line, 5);
  EXPECT_EQ(run->result.error().message, "4 bands from 4000 Hz run past the last band, 16000 Hz");
  EXPECT_EQ(run->platform.calls.back(), "SetBusy off");
  ExpectEmpty(run->state->src);
}

// Line 6: the level of band i is the number at the start of the 5 characters
// from column 18 + 6·i; a field without a number, or past the line's end, is 0.
TEST(CattImport, LevelFieldsOfLineSix) {
  struct Case {
    const char* line;
    float lw[3];  // of 1, 2 and 4 kHz
  };
  const Case cases[] = {
      {"LEVELS dB re 1pW: 90.0  91.5  93.0", {101, 102.5f, 104}},
      {"12345678901234567 90.0  91.5  93.0", {101, 102.5f, 104}},  // the label is not read
      {"LEVELS dB re 1pW:100.5 101.5 102.5", {111.5f, 112.5f, 113.5f}},
      {"LEVELS dB re 1pW:123456789012345678", {12356, 78912, 34578}},  // 6th character is not read
      {"LEVELS dB re 1pW:   90    91    92", {101, 102, 103}},
      {"LEVELS dB re 1pW: 90dB  abc   -3.5", {101, 11, 7.5f}},  // "abc" is 0
      {"LEVELS dB re 1pW: 90.0  91.5", {101, 102.5f, 11}},      // the line ends early
      {"LEVELS", {11, 11, 11}},
      {"", {11, 11, 11}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    CattText text;
    text.bands = "Frequencies <1000 2000 4000";
    text.levels = c.line;
    text.grids = 3;
    const std::string path = dir / "LEVELS.TXT";
    Spit(path, text.Bytes());
    auto run = ImportFile(path);
    ASSERT_TRUE(run->result) << run->result.error().Text();
    EXPECT_FLOAT_EQ(run->state->src.Lw(6), c.lw[0]);
    EXPECT_FLOAT_EQ(run->state->src.Lw(7), c.lw[1]);
    EXPECT_FLOAT_EQ(run->state->src.Lw(8), c.lw[2]);
  }
}

// Line 3 and line 5: the name is what follows the first "=", the band count is
// the number of blanks in the list plus one.
TEST(CattImport, NameAndBandList) {
  struct Case {
    const char* name;
    const char* bands;
    const char* sourceName;
    int first, last;
  };
  const Case cases[] = {
      {"NAME = A=B", "x <125 250 500 1000 2000 4000", " A=B", 3, 8},
      {"NAME=", "<31.5", "", 1, 1},
      {"NO MARKER", "<16000", "NO MARKER", 10, 10},  // the whole line is the name
      {"N=X", "f < 63 125", "X", 1, 3},              // the first item is empty: no band centre
      {"N=X", "a<b <8000 16000", "X", 1, 3},         // the first "<" counts: item "b"
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bands);
    CattText text;
    text.name = c.name;
    text.bands = c.bands;
    text.grids = c.last - c.first + 1;
    const std::string path = dir / "NAMES.TXT";
    Spit(path, text.Bytes());
    auto run = ImportFile(path);
    ASSERT_TRUE(run->result) << run->result.error().Text();
    EXPECT_EQ(run->state->src.SourceName, c.sourceName);
    EXPECT_EQ(run->state->src.FirstBand, c.first);
    EXPECT_EQ(run->state->src.LastBand, c.last);
  }
}

struct Bad {
  const char* name;
  std::string bytes;
  int line;                       // named by the error
  const char* message = nullptr;  // when given, the exact message
  bool ownMessage = false;  // one of the reader's two first-line messages
};

std::vector<Bad> BadFiles() {
  std::vector<Bad> bad;
  auto with = [](std::function<void(CattText&)> change) {
    CattText t;
    change(t);
    return t.Bytes();
  };
  bad.push_back({"empty file", "", 1, "expected a line, found the end of the file"});
  bad.push_back({"only line 1", "CATT-SD1\r\n", 2, "expected a line, found the end of the file"});
  bad.push_back({"wrong version", with([](CattText& t) { t.version = "VERSION = 2"; }), 2,
                 kNotVersion1, true});
  bad.push_back({"blank after first line", with([](CattText& t) { t.first = "CATT-SD1 "; }), 1,
                 kNotSd1, true});
  bad.push_back({"no marker in the band list", with([](CattText& t) { t.bands = "1000 2000"; }), 5,
                 "expected \"<\" followed by the band centre frequencies"});
  bad.push_back({"eleven bands", with([](CattText& t) {
                   t.bands = "<31.5 63 125 250 500 1000 2000 4000 8000 16000 32000";
                 }),
                 5, "11 bands from 31.5 Hz run past the last band, 16000 Hz"});
  bad.push_back({"unknown start, eleven items",
                 with([](CattText& t) { t.bands = "<1 2 3 4 5 6 7 8 9 10 11"; }), 5, nullptr});
  bad.push_back({"trailing blank adds a band past 16 kHz",
                 with([](CattText& t) { t.bands = "<16000 "; }), 5, nullptr});
  bad.push_back({"level beyond the number range",
                 with([](CattText& t) { t.levels = "LEVELS dB re 1pW: 9E99"; }), 6, nullptr});
  bad.push_back({"non-numeric attenuation", with([](CattText& t) {
                   t.x = [](int, int h, int a) {
                     return h == 3 && a == 7 ? std::string("x1") : std::string("0");
                   };
                 }),
                 15, "expected a number, found \"x1\""});
  bad.push_back({"attenuation beyond single precision", with([](CattText& t) {
                   t.x = [](int, int h, int a) {
                     return h == 35 && a == 18 ? std::string("1E39") : std::string("0");
                   };
                 }),
                 47, nullptr});
  bad.push_back({"intensity beyond single precision", with([](CattText& t) {
                   t.x = [](int, int h, int) {
                     return h == 20 ? std::string("-400") : std::string("0");
                   };
                 }),
                 32, nullptr});
  bad.push_back({"every intensity 0",
                 with([](CattText& t) { t.x = [](int, int, int) { return std::string("500"); }; }),
                 47, "the grid of 1000 Hz has no mean intensity (every value is 0)"});
  bad.push_back({"on-axis intensity 0", with([](CattText& t) {
                   t.x = [](int, int h, int a) {
                     return h == 9 && a == 0 ? std::string("470") : std::string("0");
                   };
                 }),
                 21, "the on-axis intensity of 1000 Hz is 0, so its power level has no logarithm"});
  bad.push_back({"second band missing", with([](CattText& t) { t.bands = "<1000 2000"; }), 48,
                 "expected a line, found the end of the file"});
  bad.push_back({"grid short by one value", with([](CattText& t) {
                   t.x = [](int, int h, int a) {
                     return h == 35 && a == 18 ? std::string("") : std::string("0");
                   };
                 }),
                 48, "expected a number, found the end of the file"});
  bad.push_back(
      {"binary after the version",
       std::string("CATT-SD1\r\nVERSION = 1\r\n\x01\xff\x00\x7f=\r\n\x80\r\n<\xfe\r\n", 37), 6,
       "expected a line, found the end of the file"});
  std::mt19937 random(1234);
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>(random() & 0xff);
  bad.push_back({"binary garbage", garbage, 1, kNotSd1, true});
  return bad;
}

TEST(CattImport, MalformedFilesGiveAnErrorAndLeaveTheDescriptionEmpty) {
  TempDir dir;
  const std::string path = dir / "BAD.TXT";
  for (const Bad& b : BadFiles()) {
    SCOPED_TRACE(b.name);
    Spit(path, b.bytes);
    auto run = ImportFile(path);
    ASSERT_FALSE(run->result);
    const FileError& e = run->result.error();
    EXPECT_EQ(e.file, path);
    EXPECT_EQ(e.line, b.line) << e.Text();
    if (b.message) {
      EXPECT_EQ(e.message, b.message);
    }
    EXPECT_EQ(e.ownMessage, b.ownMessage);
    EXPECT_FALSE(e.cancelled);
    EXPECT_NE(run->platform.calls.back(), "SetBusy on");
    ExpectEmpty(run->state->src);
  }
}

}  // namespace
}  // namespace fonderel
