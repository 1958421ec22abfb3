// The polar-plot measurement files: the golden file of each layout, the
// result name, and files that are short, broken or out of range.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "app/CaseData.h"
#include "core/AppState.h"
#include "polar/PolarFiles.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

using namespace std::string_literals;

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
  const struct {
    int k, b;
    float horiz, vert;
  } cells[] = {{0, 1, 61, 61}, {0, 10, 70, 70}, {9, 5, 60.5f, 56}, {18, 3, 54, 45}, {27, 7, 62.5f, 58}};
  for (const auto& c : cells) {
    EXPECT_FLOAT_EQ(t.HorizPolar(c.k, c.b), c.horiz) << c.k << " " << c.b;
    EXPECT_FLOAT_EQ(t.VertPolar(c.k, c.b), c.vert) << c.k << " " << c.b;
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

std::string Records(int records, int values, const std::string& value) {
  std::string out = "title\r\n";
  for (int r = 0; r < records; ++r) {
    out += std::to_string(10 * (r % 36));
    for (int i = 0; i < values; ++i) out += " " + value;
    out += "\r\n";
  }
  return out;
}

std::string Csv(const std::string& level, int records) {
  std::string out = "head\r\nhead\r\n";
  for (int j = 0; j < 3; ++j) {
    out += "\r\nElevation\r\nFreq,0,30\r\n";
    for (int b = 0; b < 6 && records-- > 0; ++b) {
      out += "250";
      for (int i = 0; i < 12; ++i) out += "," + level;
      out += "\r\n";
    }
  }
  return out;
}

// Every broken file is refused with its name and line, and a CSV file leaves
// the description as it was.
TEST(PolarFiles, BrokenFilesAreRefused) {
  // Cases in tests/data/cases5/polar.json.
  std::vector<std::array<std::string, 3>> cases = {
      {"B.PRN", "\x01\xFF\r\n\x80\x00\x7F"s, "B.PRN, line 2: expected a number, found \"\\x80\\x00\\x7F\""}};
  for (const auto& c : Cases("../cases5/polar", "broken")) {
    const auto& g = c[1];
    const std::string bytes = g.is_string() ? g.get<std::string>()
                              : g[0] == "csv" ? Csv(g[3], g[1])
                                              : Records(g[1], g[2], g[3]) + g[4].get<std::string>();
    cases.push_back({c[0], bytes, c[2]});
  }
  for (const auto& [name, bytes, error] : cases) {
    AppState state;
    const auto read = Read(name, bytes, state);
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
  const struct {
    int p, k;
    double dbOverAxis;
  } points[] = {{9, 9, 83 - 90}, {9, 27, 83 - 90}, {0, 3, 88 - 90}, {0, 18, 78 - 90}, {0, 9, 84 - 90}};
  for (int b = 4; b <= 9; ++b) {
    EXPECT_FLOAT_EQ(s.DirQ(b), s.BalloonData(0, 0, b)) << "the axis is the loudest direction";
    for (const auto& pt : points) {
      EXPECT_NEAR(10.0 * std::log10(s.BalloonData(pt.p, pt.k, b) / s.BalloonData(0, 0, b)),
                  pt.dbOverAxis, 1e-3)
          << b << " " << pt.p << " " << pt.k;
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

}  // namespace
}  // namespace fonderel::test
