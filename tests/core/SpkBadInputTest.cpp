// The SPK reader on malformed input: every case ends in an error naming the
// file and line, the description stays as the reset left it, nothing crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

void ExpectUntouched(const Source& s) {
  const Source fresh;
  const std::string none;
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime),
            std::tie(none, none, none, none));
  EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount, s.CurBand, s.NFaces, s.NHoles,
                            s.NDoors, s.SourceKind, s.GeoMaxX),
            std::make_tuple(0, 0, 0, 0, 0, 0, 0, 0.0f, 0.0));
  EXPECT_TRUE(s.BandPresent == fresh.BandPresent && s.Lw == fresh.Lw &&
              s.Impedance == fresh.Impedance && s.BalloonData == fresh.BalloonData);
  EXPECT_TRUE(s.FaceX == fresh.FaceX && s.FaceNVert == fresh.FaceNVert &&
              s.FaceIsWall == fresh.FaceIsWall && s.HoleFace == fresh.HoleFace &&
              s.DoorNVert == fresh.DoorNVert);
}

struct Failure {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  FileError error;
};

// Reads `bytes`, which must fail; checks the state and the platform calls.
Failure ReadBad(const std::string& bytes) {
  Failure f;
  const auto result = ReadSpkBytes(*f.state, f.platform, bytes, "BAD.SPK");
  EXPECT_FALSE(result);
  if (!result) f.error = result.error();
  EXPECT_EQ(f.error.file, "BAD.SPK");
  ExpectUntouched(f.state->src);
  EXPECT_EQ(std::count(f.platform.calls.begin(), f.platform.calls.end(), "ViewGeometry on"), 0);
  EXPECT_EQ(f.platform.calls.back(), "SetBusy off");
  return f;
}

const std::string kFace = " Face 1  1  4    0 0 0 1 0 0 1 1 0 0 1 0\r\n";
const std::string kWall = "EntityList\r\n Wall\r\n  Face 1  1  4    0 0 0 1 0 0 1 1 0 0 1 0\r\n";
const std::string kHole = "  Hole 1  1  3  0 0 0 1 1 1 2 2 2\r\n";
const std::string kDoor = "  Door 1  1  1  0 0 0\r\n";

struct Case {
  const char* name;
  std::string bytes;
  int line;  // of the offending item
  const char* message;
  bool namesNextLine = false;  // the engine names the line after it (a bug)
};

std::vector<Case> BadCases() {
  const std::string loud = Slurp(DataPath("LOUD_3_8.SPK"));
  EXPECT_FALSE(loud.empty());
  // LOUD_3_8.SPK: line 5 the band count, band 3 on lines 6..29 (8 scalars, 9
  // plots, 10 points, 12..29 rows), band b on line 6 + 24·(b − 3), "END" on 150.
  const auto edit = [&](const std::string& from, const std::string& to) {
    return ReplaceFirst(loud, from, to);
  };
  return {
      {"empty file", "", 1, "expected a text, found the end of the file"},
      {"header only", loud.substr(0, loud.find("\"Freq.")), 6, "end of the file"},
      {"band count 0", edit("bands\",6", "bands\",0"), 5,
       "expected 1 to 10 frequency bands, found 0"},
      {"band count 11", edit("bands\",6", "bands\",11"), 5,
       "expected 1 to 10 frequency bands, found 11"},
      {"band count -3", edit("bands\",6", "bands\",-3"), 5, "frequency bands"},
      {"band count not whole", edit("bands\",6", "bands\",6.5"), 5,
       "expected a whole number, found"},
      {"band count a word", edit("bands\",6", "bands\",six"), 5,
       "expected a number, found \"six\""},
      {"band count beyond 16 bits", edit("bands\",6", "bands\",70000"), 5, "number out of range"},
      {"more bands stated than present", edit("bands\",6", "bands\",7"), 151, "end of the file"},
      {"band index 0", edit("no.\",3", "no.\",0"), 6,
       "expected a band number from 1 to 10, found 0", true},
      {"band index 11", edit("no.\",8", "no.\",11"), 126,
       "expected a band number from 1 to 10, found 11", true},
      {"bands descending", edit("no.\",5", "no.\",2"), 54,
       "band 2 follows band 4; bands must ascend", true},
      {"band repeated", edit("no.\",5", "no.\",4"), 54, "bands must ascend", true},
      {"19 plots", edit("plots\",18", "plots\",19"), 9, "expected 0 to 18 polar plots, found 19",
       true},
      {"-1 plots", edit("plots\",18", "plots\",-1"), 9, "polar plots", true},
      {"37 points", edit("plot\",36", "plot\",37"), 10,
       "expected 0 to 36 points per plot, found 37", true},
      {"balloon value x", edit(",  .5000,", ",      x,"), 12, "expected a number, found \"x\""},
      {"balloon value nan", edit(",  .5000,", ",nan,"), 12, "expected a number, found \"nan\""},
      {"balloon value -inf", edit(",  .5000,", ",-inf,"), 12, "expected a number, found \"-inf\""},
      {"balloon value beyond float", edit(",  .5000,", ",1e39,"), 12,
       "number out of range: \"1e39\""},
      {"balloon value beyond double", edit(",  .5000,", ",-1e999,"), 12, "number out of range"},
      {"balloon value empty", edit(",  .5000,", ",,"), 12,
       "expected a number, found an empty item"},
      {"scalar not a number", edit(",95.3,", ",95.3x,"), 8, "expected a number, found \"95.3x\""},
      {"directivity index nan", edit(",5.05149984791398,", ",nan,"), 8, "found \"nan\""},
      {"row cut short", edit(",99.9999,", "\r\n"), 14, "expected a number"},
      {"101 faces", loud + "EntityList\r\n" + Repeat(kFace, 101), 252, "more than 100 faces"},
      {"101 faces after a split",
       loud + "EntityList\r\n" + Repeat(kFace, 98) +
           " Face 2  2  7    0 0 0 1 0 0 2 1 0 2 2 0 1 3 0 0 2 0 -1 1 0\r\n",
       250, "more than 100 faces"},
      {"negative face vertex count", loud + "EntityList\r\n Face 1  1 -1  \r\n", 152, "vertices"},
      {"face vertex not a number", loud + "EntityList\r\n Face 1  1  1    0 x 0\r\n", 152,
       "found \"x\""},
      {"face cut short", loud + "EntityList\r\n Face 1  1  4    0 0 0 1", 152, "end of the file"},
      {"face number beyond 16 bits", loud + "EntityList\r\n Face 40000  1  0\r\n", 152,
       "number out of range"},
      {"51 holes", loud + kWall + Repeat(kHole, 51), 204, "more than 50 holes"},
      {"51 doors", loud + kWall + Repeat(kDoor, 51), 204, "more than 50 doors"},
      {"13 hole vertices", loud + kWall + "  Hole 1  1  13 " + Repeat(" 0 0 0", 13) + "\r\n", 154,
       "expected 0 to 12 vertices, found 13"},
      {"6 door vertices", loud + kWall + "  Door 1  1  6 " + Repeat(" 0 0 0", 6) + "\r\n", 154,
       "expected 0 to 5 vertices, found 6"},
      {"negative hole vertex count", loud + kWall + "  Hole 1  1 -2 \r\n", 154, "vertices"},
  };
}

TEST(SpkBadInput, RefusedWithFileLineAndReason) {
  for (const Case& c : BadCases()) {
    SCOPED_TRACE(c.name);
    const Failure f = ReadBad(c.bytes);
    if (!c.namesNextLine) {
      EXPECT_EQ(f.error.line, c.line) << f.error.Text();
    }
    EXPECT_NE(f.error.message.find(c.message), std::string::npos) << f.error.Text();
    EXPECT_EQ(f.error.Text().rfind("BAD.SPK, line " + std::to_string(f.error.line) + ": ", 0), 0u);
  }
}

TEST(SpkBadInput, BoundsErrorsNameTheLineOfTheValue) {
  for (const Case& c : BadCases()) {
    if (!c.namesNextLine) continue;
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadBad(c.bytes).error.line, c.line);
  }
}

}  // namespace
}  // namespace fonderel
