// The EASE importer on malformed and unusual input: every bad file ends in an
// error naming the file and the line with the description left empty; odd but
// readable files give the documented result. Files are built here from the
// record layout.
#include <gtest/gtest.h>

#include <deque>
#include <expected>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "import/EaseImport.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

// One record of a built file; every field as its text.
struct Rec {
  std::string name = "Horn";
  std::string freq = "1000";
  std::string power = "100";
  std::string efficiency = "2";
  std::string flag = "1";
  std::string cell = "0";                      // every attenuation of the grid
  std::map<int, std::string> cells = {};       // but these (by position in the grid)
};

std::string Grid(const Rec& r, int planes) {
  std::string out;
  for (int i = 0; i < planes * 19; ++i) {
    const auto it = r.cells.find(i);
    out += it == r.cells.end() ? r.cell : it->second;
    out += (i % 19 == 18) ? "\r\n" : ",";
  }
  return out;
}

std::string Scalars(const Rec& r) {
  return "Sensitivity,96\r\nImpedance,8\r\nQ,5\r\nEfficiency," + r.efficiency + "\r\nPower," + r.power +
         "\r\nData," + r.flag + "\r\n";
}

// 3.0: "Format" on line 1; a record is SpeakerName (+0), Manufacturer (+1),
// Frequency (+2), Sensitivity .. Power (+3 .. +7), Data (+8), grid (+9 .. +27).
std::string Ease3(const std::vector<Rec>& recs) {
  std::string out = "Format,EASE 3.0 Text Speaker Export\r\n";
  for (const Rec& r : recs) {
    out += "SpeakerName," + r.name + "\r\nManufacturer,Maker\r\nFrequency," + r.freq + "\r\n" +
           Scalars(r);
    if (r.flag != "0") out += Grid(r, 19);
  }
  return out;
}

// 2.0: a record is Name (+0), Frequency (+1), Sensitivity .. Power (+2 .. +6),
// Data (+7), grid (+8 .. +17).
std::string Ease2(const std::vector<Rec>& recs) {
  std::string out;
  for (const Rec& r : recs) {
    out += "Name," + r.name + "\r\nFrequency," + r.freq + "\r\n" + Scalars(r);
    if (r.flag != "0") out += Grid(r, 10);
  }
  return out;
}

struct Import {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Import> ImportBytes(const TempDir& dir, const std::string& bytes,
                                    std::deque<std::optional<std::string>> speakers = {}) {
  auto run = std::make_unique<Import>();
  const std::string path = dir / "TEST.EAS";
  Spit(path, bytes);
  run->platform.speakers = std::move(speakers);
  run->result = ImportEaseFile(*run->state, run->platform, path);
  return run;
}

void ExpectEmpty(const Source& s) {
  const Source fresh;
  EXPECT_EQ(s.FirstBand, 0);
  EXPECT_EQ(s.LastBand, 0);
  EXPECT_EQ(s.BandCount, 0);
  EXPECT_EQ(s.SourceKind, 0.0f);
  EXPECT_TRUE(s.SourceName.empty() && s.Manufacturer.empty() && s.SourceDate.empty());
  EXPECT_TRUE(s.BandPresent == fresh.BandPresent && s.Lw == fresh.Lw &&
              s.Sensitivity == fresh.Sensitivity && s.BalloonData == fresh.BalloonData);
}

struct Bad {
  const char* name;
  std::string bytes;
  int line;             // -1: not checked
  const char* message;  // part of the message
};

TEST(EaseBadInput, MalformedFilesAreRefusedWithFileAndLine) {
  std::vector<Rec> names65;
  for (int i = 1; i <= 65; ++i) names65.push_back({.name = "S" + std::to_string(i), .flag = "0"});
  const Bad cases[] = {
      {"empty file", "", 0, "the file is empty"},
      {"only blank lines", "  \r\n\r\n\t\r\n", 0, "the file is empty"},
      {"frequency not a number", Ease3({{.freq = "abc"}}), 4, "expected a number, found \"abc\""},
      {"power not a number", Ease3({{.power = "1OO"}}), 9, "expected a number, found \"1OO\""},
      {"efficiency nan", Ease3({{.efficiency = "nan"}}), 8, "expected a number"},
      {"power 0", Ease3({{.power = "0"}}), 9, "electrical power must be above 0 W"},
      {"power below 0", Ease3({{.power = "-5"}}), 9, "found -5"},
      {"flag not whole", Ease3({{.flag = "1.5"}}), 10, "expected a whole number"},
      {"flag beyond 16 bits", Ease3({{.flag = "40000"}}), 10, "number out of range"},
      {"grid cell not a number", Ease3({{.cells = {{200, "x"}}}}), 21, "expected a number, found \"x\""},
      {"grid cell beyond float", Ease3({{.cells = {{3, "1E+39"}}}}), 11, "number out of range"},
      {"attenuation far below 0 dB", Ease3({{.cells = {{40, "-400"}}}}), 13, "the attenuation -400 dB is out of range"},
      {"every attenuation huge", Ease3({{.cell = "1E+30"}}), 11, "hold no level"},
      {"more than 64 names", Ease3(names65), 2 + 64 * 9, "more than 64 loudspeakers"},
      {"no loudspeaker", "Format,EASE 3.0\r\nComment,none\r\n", 0, "the file holds no loudspeaker"},
      {"only empty names", "Format,EASE 3.0\r\nSpeakerName,\r\n", 0, "the file holds no loudspeaker"},
      {"name missing at the end", "Format,EASE 3.0\r\nSpeakerName", 2, "found the end of the file"},
      {"every band empty", Ease3({{.freq = "500", .flag = "0"}, {.flag = "0"}}), 0,
       "no band holds directivity data"},
      {"every record off-centre", Ease3({{.freq = "1250"}, {.freq = "800"}}), 0,
       "no band holds directivity data"},
      {"only 31.5 Hz and 16 kHz", Ease3({{.freq = "31.5"}, {.freq = "16000"}}), 0,
       "no band from 125 Hz to 8 kHz"},
      {"record cut after the flag", Ease3({{}}).substr(0, Ease3({{}}).find("Data,1") + 8), 11,
       "found the end of the file"},
      {"skipped record cut in its grid", Ease3({{.freq = "1250"}}).substr(0, 300), -1,
       "found the end of the file"},
      {"2.0 frequency not a number", Ease2({{.freq = "1k"}}), 2, "expected a number, found \"1k\""},
      {"2.0 power 0", Ease2({{.power = "0"}}), 7, "electrical power"},
      {"2.0 grid cut short", Ease2({{}}).substr(0, Ease2({{}}).size() - 21), 18, "found the end of the file"},
      {"2.0 every attenuation huge", Ease2({{.cell = "3E+38"}}), 9, "hold no level"},
      {"2.0 only flags 0", Ease2({{.flag = "0"}}), 0, "no band holds directivity data"},
  };
  TempDir dir;
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = ImportBytes(dir, c.bytes, {std::optional<std::string>("S1")});
    ASSERT_FALSE(run->result);
    const FileError& e = run->result.error();
    EXPECT_EQ(e.file, dir / "TEST.EAS");
    EXPECT_FALSE(e.cancelled);
    if (c.line >= 0) {
      EXPECT_EQ(e.line, c.line);
    }
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.message;
    ExpectEmpty(run->state->src);
    if (run->platform.Called("SetBusy on")) {
      EXPECT_EQ(run->platform.calls.back(), "SetBusy off");
    }
  }
}

// Readable files that are unusual in one respect.
TEST(EaseBadInput, UnusualFilesGiveTheDocumentedResult) {
  struct Case {
    const char* name;
    std::string bytes;
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> offered;  // names of the choice, when one is offered
    int first, last;
    int band;          // a band to check
    float lw;          // its Lw
    int present;       // its BandPresent
  };
  std::vector<Rec> names64;
  for (int i = 1; i <= 64; ++i) names64.push_back({.name = "S" + std::to_string(i), .flag = "0"});
  names64.push_back({.name = "S64", .freq = "250"});
  std::vector<std::string> offered64;
  for (int i = 1; i <= 64; ++i) offered64.push_back("S" + std::to_string(i));
  // 100 W at 2 % = 2 W = 123.0103 dB.
  const float lw2W = 123.0103f;
  const std::string lfOnly = [] {
    std::string s = Ease3({{}});
    std::string out;
    for (char c : s) {
      if (c != '\r') out += c;
    }
    return out;
  }();
  const std::string spaced = [] {
    // Lines of blanks between the fields, and blank lines at the end.
    std::string s = Ease3({{}});
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
      out += s[i];
      if (s[i] == '\n' && i < 200) out += "  \r\n";
    }
    return out + "\r\n\r\n   \r\n";
  }();
  const Case cases[] = {
      {"flag -1 counts as data", Ease3({{.flag = "-1"}}), {}, {}, 6, 6, 6, lw2W, -1},
      {"flag 2 counts as data", Ease3({{.freq = "500", .flag = "2"}, {}}), {}, {}, 5, 6, 5,
       lw2W - 3.0103f, 2},
      {"bands 2 and 10 share no power and set no range",
       Ease3({{.freq = "63"}, {.freq = "125"}, {.freq = "16000"}}), {}, {}, 3, 3, 2, lw2W, 1},
      {"band 3 shares with bands 2 and 10", Ease3({{.freq = "63"}, {.freq = "125"}, {.freq = "16000"}}),
       {}, {}, 3, 3, 3, lw2W - 4.7712f, 1},
      {"negative efficiency becomes .5", Ease3({{.efficiency = "-3"}}), {}, {}, 6, 6, 6, 116.9897f, 1},
      {"64 names, the last chosen", Ease3(names64), {"S64"}, offered64, 4, 4, 4, lw2W, 1},
      {"a record without a name is not offered", Ease3({{.name = "", .freq = "500"}, {}}), {}, {}, 6, 6,
       5, 0.0f, 0},
      {"LF line ends", lfOnly, {}, {}, 6, 6, 6, lw2W, 1},
      {"blank lines and blanks", spaced, {}, {}, 6, 6, 6, lw2W, 1},
      {"a record on one line",
       "Format,x\r\nSpeakerName,Horn,Manufacturer,M,Frequency,1000,S,96,I,8,Q,5,E,2,P,100,Data,1," +
           [] {
             std::string g;
             for (int i = 0; i < 361; ++i) g += i ? ",0" : "0";
             return g;
           }() + "\r\n",
       {}, {}, 6, 6, 6, lw2W, 1},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = ImportBytes(dir, c.bytes, c.answers);
    ASSERT_TRUE(run->result) << run->result.error().Text();
    const Source& s = run->state->src;
    if (c.offered.empty()) {
      EXPECT_FALSE(run->platform.Called("ChooseLoudspeaker"));
    } else {
      ASSERT_EQ(run->platform.speakerLists.size(), 1u);
      EXPECT_EQ(run->platform.speakerLists[0], c.offered);
    }
    EXPECT_EQ(s.FirstBand, c.first);
    EXPECT_EQ(s.LastBand, c.last);
    EXPECT_EQ(s.BandCount, c.last - c.first + 1);
    EXPECT_NEAR(s.Lw(c.band), c.lw, 1e-4);
    EXPECT_EQ(s.BandPresent(c.band), c.present);
    for (int b = 1; b <= kBandCount; ++b) {
      for (int p = 0; p < kPlots; ++p) {
        for (int k = 0; k < kPoints; ++k) ASSERT_TRUE(std::isfinite(s.BalloonData(p, k, b)));
      }
    }
  }
}

}  // namespace
}  // namespace fonderel
