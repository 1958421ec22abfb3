// fonderel-cli's view commands: `info --table` prints the Info grid as its
// cells show it, `polar` the values the polar windows plot.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "support/CliRun.h"
#include "support/GoldenText.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";

// A source with band 6 (1000 Hz) only. Plane 0 holds a maximum of 10 and
// samples at -10, -30 dB, zero, 0.00002 and 0.00001; plane 1 is flat at 3;
// planes 2..17 are all zero.
std::string SmallSpk() {
  std::string s =
      "\"Source Name\",\"Small\"\r\n\"Manufacturer\",\"Test\"\r\n\"Date\",\"01-02-2025\"\r\n"
      "\"Time\",\"12:00:00\"\r\n\"Number of frequency bands\",1\r\n\"Freq. band no.\",6\r\n"
      "\"Z\",\"Efficiency (%)\",\"Lw\",\"Q\",\"DI\",\"Sensitivity\"\r\n"
      "8,2,90,1,0,95\r\n\"No. of polar plots\",18\r\n\"No. of points per plot\",36\r\n"
      "\"Polar Angle on the plot\",\"---->\"";
  for (int k = 0; k < 36; ++k) s += "," + std::to_string(10 * k);
  s += "\r\n";
  const std::vector<std::string> plane0 = {"10", "1", ".01", "0", ".00002", ".00001"};
  for (int p = 0; p < 18; ++p) {
    s += "\"Angle of the polar plot\"," + std::to_string(10 * p);
    for (std::size_t k = 0; k < 36; ++k) {
      s += ",";
      s += p == 0 ? (k < plane0.size() ? plane0[k] : "0") : p == 1 ? "3" : "0";
    }
    s += "\r\n";
  }
  return s + "\"END\"\r\n";
}

// The horn's Info grid worked out from its band blocks (bands 3..8; the others
// hold 0). Lin = 10·log10(2 + Σ 10^(Lw/10)) = 107.607; A adds the A-weighting
// corrections per band: 106.497. Directivity is cut, not rounded: 1.6226 →
// 1.62, 3.6585 → 3.65, 6.288 → 6.28, 10.893 → 10.89.
TEST(CliInfoTable, HornGridRowByRow) {
  const CliRun r = Cli({"info", kHorn, "--table"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ExpectGoldenLines(lines, "cli-info-table-horn.txt");
  for (const std::string& line : lines) EXPECT_EQ(Cells(line).size(), 13u) << line;
}

// The plotted values of plane 0: 50 + 10·log10(v / 10), or 1 for v <= 0.00001.
TEST(CliPolar, JsonValuesOfASmallSource) {
  TempDir dir;
  Spit(dir / "SMALL.SPK", SmallSpk());
  const CliRun r = Cli({"polar", dir / "SMALL.SPK", "--band", "6", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["band"], 6);
  ASSERT_EQ(j["polar"].size(), 18u);
  for (const auto& row : j["polar"]) ASSERT_EQ(row.size(), 36u);
  const struct {
    int plane, point;
    double value;
  } cases[] = {
      {0, 0, 50.0},            // the plane's maximum
      {0, 1, 40.0},            // a tenth of it
      {0, 2, 20.0},            // a thousandth
      {0, 3, 1.0},             // zero
      {0, 4, -6.98970004336},  // 0.00002: below the scale's zero
      {0, 5, 1.0},             // 0.00001 is not above the threshold
      {0, 35, 1.0},            // zero
      {1, 0, 50.0},
      {1, 35, 50.0},  // a flat plane is its own maximum everywhere
      {2, 0, 1.0},
      {17, 35, 1.0},  // an all-zero plane has no maximum
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(j["polar"][c.plane][c.point].get<double>(), c.value, 1e-6)
        << "plane " << c.plane << ", point " << c.point;
  }
  // Full precision, not the two decimals of the text form.
  EXPECT_NE(j["polar"][0][4].get<double>(), -6.99);
}

TEST(CliPolar, TextRowsWithTwoDecimals) {
  TempDir dir;
  Spit(dir / "SMALL.SPK", SmallSpk());
  const CliRun r = Cli({"polar", dir / "SMALL.SPK", "--band", "6"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 19u) << r.out;
  EXPECT_EQ(lines[0],
            "# band 6, 1000 Hz: one row per plane (0 to 170 degrees), 36 values per row (0 to 350 "
            "degrees), 50 = the plane's maximum, 10 per 10 dB");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(Cells(lines[i]).size(), 36u) << "row " << i;
  }
  const auto plane0 = Cells(lines[1]);
  EXPECT_EQ(std::vector(plane0.begin(), plane0.begin() + 7),
            (std::vector<std::string>{"50.00", "40.00", "20.00", "1.00", "-6.99", "1.00", "1.00"}));
  EXPECT_EQ(Cells(lines[2]), std::vector<std::string>(36, "50.00"));
  EXPECT_EQ(Cells(lines[18]), std::vector<std::string>(36, "1.00"));
}

// The horn's band 6, plane 0: 6.288 on axis is the maximum; 2.9308 at 50
// degrees is 10·log10(2.9308 / 6.288) = -3.315 dB below it.
TEST(CliPolar, HornPlaneZero) {
  const CliRun r = Cli({"polar", kHorn, "--band", "6"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 19u);
  const auto cells = Cells(lines[1]);
  ASSERT_EQ(cells.size(), 36u);
  EXPECT_EQ(cells[0], "50.00");
  EXPECT_EQ(cells[5], "46.68");
}

struct ErrorCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* errText;  // a part of what standard error must say
};

TEST(CliViewsErrors, ExitStatusAndMessage) {
  TempDir dir;
  Spit(dir / "SMALL.SPK", SmallSpk());
  const ErrorCase cases[] = {
      {"table with json", {"info", kHorn, "--table", "--json"}, 2, "--json"},
      {"json with table", {"info", kHorn, "--json", "--table"}, 2, "--table"},
      {"band 0", {"polar", kHorn, "--band", "0"}, 2, "--band"},
      {"band 11", {"polar", kHorn, "--band", "11"}, 2, "--band"},
      {"band not a number", {"polar", kHorn, "--band", "x"}, 2, "--band"},
      {"band missing", {"polar", kHorn}, 2, "--band"},
      {"file missing", {"polar", "--band", "3"}, 2, "FILE"},
      {"band without data",
       {"polar", dir / "SMALL.SPK", "--band", "5"},
       1,
       "SMALL.SPK: band 5 (500 Hz) holds no data; the source covers bands 6 to 6"},
      {"unreadable file",
       {"polar", dir / "NONE.SPK", "--band", "6"},
       1,
       "NONE.SPK: cannot open the file"},
      {"table of an unreadable file",
       {"info", dir / "NONE.SPK", "--table"},
       1,
       "NONE.SPK: cannot open the file"},
  };
  for (const ErrorCase& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_NE(r.err.find(c.errText), std::string::npos) << c.name << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.name << ": " << r.out;
    if (c.status == 1) {
      EXPECT_EQ(r.err.rfind("fonderel-cli: ", 0), 0u) << c.name;
    }
  }
}

}  // namespace
}  // namespace fonderel::test
