// fonderel-cli on the shipped example sources: what it prints, what it
// writes, and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
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
const std::string kCompressor = std::string(FONDEREL_SOURCES) + "/COMPRESSOR.SPK";

// The noise-source example: bands 2..9, efficiency 0, a box with one wall
// carrying a hole and a door. Lin and A were worked out by hand from its Lw.
TEST(CliInfo, JsonCarriesTheDataModelNames) {
  const CliRun r = Cli({"info", kCompressor, "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["SourceFile"], kCompressor);
  EXPECT_EQ(j["SourceName"], "Screw compressor 37 kW");
  EXPECT_EQ(j["Manufacturer"], "Example Machines");
  EXPECT_EQ(j["SourceDate"], "11-02-2025");
  EXPECT_EQ(j["SourceTime"], "15:20:44");
  EXPECT_EQ(j["FirstBand"], 2);
  EXPECT_EQ(j["LastBand"], 9);
  EXPECT_EQ(j["BandCount"], 8);
  EXPECT_EQ(j["SourceKind"], 0);
  EXPECT_NEAR(j["Lin"].template get<double>(), 98.7953, 5e-5);
  EXPECT_NEAR(j["A"].template get<double>(), 96.6209, 5e-5);
  EXPECT_EQ(j["NFaces"], 4);
  EXPECT_EQ(j["NHoles"], 1);
  EXPECT_EQ(j["NDoors"], 1);
  ASSERT_EQ(j["bands"].size(), 8u);
  const auto& first = j["bands"][0];
  EXPECT_EQ(first["band"], 2);
  EXPECT_EQ(first["BandFreq"], 63);
  EXPECT_EQ(first["BandPresent"], -1);
  EXPECT_EQ(first["Efficiency"], 0);
  // Floats are written as their shortest text: 84.5, never 84.5000000001.
  EXPECT_NE(r.out.find("\"Lw\": 84.5,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"Lw\": 79.8,"), std::string::npos) << r.out;
}

TEST(CliInfo, JsonDirectivityIndexIsTenLogQ) {
  const CliRun r = Cli({"info", kHorn, "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  // Band 6 of the horn: Q 6.288, index 7.98512540408523 dB as its file holds it.
  const auto& band6 = j["bands"][3];
  ASSERT_EQ(band6["band"], 6);
  EXPECT_EQ(band6["DirQ"], 6.288);
  EXPECT_NEAR(band6["DirectivityIndex"].template get<double>(), 7.98512540408523, 1e-13);
  EXPECT_EQ(band6["Sensitivity"], 106);
  EXPECT_EQ(band6["Impedance"], 7.4);
  EXPECT_EQ(band6["Efficiency"], 3.1);
  EXPECT_EQ(j["SourceKind"], 1);
}

TEST(CliInfo, TextShowsBandsAndTotals) {
  const CliRun r = Cli({"info", kHorn});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Lin 107.61 dB, A 106.50 dB(A)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("3..8 (125 Hz to 4000 Hz), 6 bands"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   6      1000   101.80   6.288     7.99    106.00     7.40     3.10"),
            std::string::npos)
      << r.out;
}

TEST(CliBalloon, JsonHoldsEighteenRowsOfThirtySix) {
  const CliRun r = Cli({"balloon", kHorn, "--band", "6", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["band"], 6);
  ASSERT_EQ(j["BalloonData"].size(), 18u);
  for (const auto& row : j["BalloonData"]) ASSERT_EQ(row.size(), 36u);
  // Plot 0 and plot 9 as the file gives them.
  EXPECT_EQ(j["BalloonData"][0][0], 6.288);
  EXPECT_EQ(j["BalloonData"][0][1], 6.1029);
  EXPECT_EQ(j["BalloonData"][0][5], 2.9308);
  EXPECT_EQ(j["BalloonData"][0][9], 0.5109);
  EXPECT_EQ(j["BalloonData"][9][1], 5.8793);
  EXPECT_EQ(j["BalloonData"][9][5], 1.1746);
}

TEST(CliBalloon, TextRowsAreTabSeparated) {
  const CliRun r = Cli({"balloon", kHorn, "--band", "6"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[1].substr(0, 26), "6.288\t6.1029\t5.5777\t4.7955");
}

TEST(CliConvert, LogAndBytesOfARoundTrip) {
  TempDir dir;
  const std::string out = dir / "copy.spk";
  const CliRun r = Cli({"convert", kCompressor, out, "--log"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Slurp(out), Slurp(kCompressor));
  ExpectGoldenLines(Lines(r.out), "cli-convert-compressor.log",
                    {{"{in}", kCompressor}, {"{out}", out}});
}

TEST(CliConvert, FileNameWithoutExtensionGetsSpk) {
  TempDir dir;
  const CliRun r = Cli({"convert", kHorn, dir / "speaker"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Slurp(dir / "speaker.SPK"), Slurp(kHorn));
  EXPECT_NE(r.err.find("saved as " + (dir / "speaker.SPK")), std::string::npos) << r.err;
}

TEST(CliConvert, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string out = dir / "taken.SPK";
  Spit(out, "old contents");
  // A folder in the way of the rename cannot be replaced by a file (OUT
  // "folder" becomes "folder.SPK").
  const std::string blocked = dir / "folder.SPK";
  std::filesystem::create_directory(blocked);
  const CliRun r = Cli({"convert", kHorn, dir / "folder"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("fonderel-cli: " + blocked + ": cannot replace the file"), std::string::npos)
      << r.err;
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
  EXPECT_EQ(Slurp(out), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

struct ErrorCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* errText;  // a part of what standard error must say
};

TEST(CliErrors, ExitStatusAndMessage) {
  TempDir dir;
  std::string bad = Slurp(kHorn);
  // Line 12 holds plot 0 of band 3; its first value becomes "x".
  const std::size_t at = bad.find(" 1.6226");
  bad.replace(at, 7, "      x");
  Spit(dir / "BAD.SPK", bad);
  const ErrorCase cases[] = {
      {"missing file", {"info", dir / "NONE.SPK"}, 1, "NONE.SPK: cannot open the file"},
      {"bad number",
       {"info", dir / "BAD.SPK"},
       1,
       "BAD.SPK, line 12: expected a number, found \"x\""},
      {"bad number in convert", {"convert", dir / "BAD.SPK", dir / "OUT.SPK"}, 1, "line 12"},
      {"band without data", {"balloon", kHorn, "--band", "2"}, 1, "band 2 (63 Hz) holds no data"},
      {"band out of range", {"balloon", kHorn, "--band", "11"}, 2, "--band"},
      {"band missing", {"balloon", kHorn}, 2, "--band"},
      {"no command", {}, 2, "subcommand"},
      {"unknown command", {"frobnicate"}, 2, ""},
      {"unknown option", {"info", kHorn, "--yaml"}, 2, "--yaml"},
      {"missing import", {"info", dir / "HORN.EAS"}, 1, "HORN.EAS: cannot open the file"},
  };
  for (const ErrorCase& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_NE(r.err.find(c.errText), std::string::npos) << c.name << ": " << r.err;
    if (c.status == 1) {
      EXPECT_EQ(r.err.rfind("fonderel-cli: ", 0), 0u) << c.name;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "OUT.SPK"));
}

// Help is a success, with each command's own options described.
TEST(CliHelp, EveryCommandHasHelp) {
  const std::pair<const char*, const char*> commands[] = {
      {"info", "--table"}, {"balloon", "--band"}, {"polar", "--band"}, {"convert", "--log"}};
  for (const auto& [command, option] : commands) {
    const CliRun r = Cli({command, "--help"});
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_NE(r.out.find("Usage"), std::string::npos) << command << ": " << r.out;
    EXPECT_NE(r.out.find(option), std::string::npos) << command << ": " << r.out;
  }
  EXPECT_EQ(Cli({"--help"}).status, 0);
}

// The installed program itself, so main's exit status is what scripts see.
TEST(CliProgram, ExitStatusOfTheExecutable) {
  const std::string cli = FONDEREL_CLI_PATH;
  const auto status = [](const std::string& command) {
    const int raw = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(status(cli + " info " + kHorn), 0);
  EXPECT_EQ(status(cli + " info /nonexistent/HORN.SPK"), 1);
  EXPECT_EQ(status(cli), 2);
}

}  // namespace
}  // namespace fonderel::test
