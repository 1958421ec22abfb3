// fonderel-cli create-bz and attach: what they write and when they refuse.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";

TEST(CliCreateBz, WritesTheSourceOrRefuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;  // part of the message, when refused
    int first, last;
    double lw;
  };
  const Case cases[] = {
      {{"--patterns", "0,0,3,3,3,3,3,3,0,0", "--loudspeaker", "--power", "100", "--name", "BZ horn"}, 0, "", 3, 8,
       116.9897},
      {{"--patterns", "0,0,0,0,0,8,0,0,0,0", "--noise", "--level", "94"}, 0, "", 6, 6, 94},
      {{"--patterns", "0,3,0,3,0,0,0,0,0,0", "--loudspeaker", "--power", "100"}, 1, "The band 125 Hz", 0, 0, 0},
      {{"--patterns", "0,3,x,3,0,0,0,0,0,0", "--noise", "--level", "90"}, 1, "band 3: \"x\" is no number", 0, 0, 0},
      {{"--patterns", "8,0,0,0,0,0,0,0,0,0", "--loudspeaker", "--power", "0"}, 1, "--power must be", 0, 0, 0},
      {{"--patterns", "8,0,0", "--noise", "--level", "90"}, 2, "", 0, 0, 0},
      {{"--patterns", "8,0,0,0,0,0,0,0,0,0"}, 2, "", 0, 0, 0},
      {{"--patterns", "8,0,0,0,0,0,0,0,0,0", "--noise", "--power", "9"}, 2, "", 0, 0, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string out = dir / "BZ.SPK";
    std::vector<std::string> args = {"create-bz", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, c.status) << c.args[1] << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(std::filesystem::exists(out), c.status == 0) << c.args[1];
    if (c.status != 0) continue;
    const auto j = nlohmann::json::parse(Cli({"info", out, "--json"}).out);
    EXPECT_EQ(j["FirstBand"], c.first);
    EXPECT_EQ(j["LastBand"], c.last);
    EXPECT_NEAR(j["bands"][0]["Lw"].get<double>(), c.lw, 1e-4);
  }
}

TEST(CliAttach, GeometryTravelsInTheSpkFile) {
  TempDir dir;
  const std::string out = dir / "BOXED.SPK";
  const CliRun r = Cli({"attach", kHorn, DataPath("geometry/CABINET.RAY"), out});
  ASSERT_EQ(r.status, 0) << r.err;
  // The six-point floor was split, with its warning on standard error.
  EXPECT_NE(r.err.find("Not supported number of vertexes ( 6 ) for face N. 3"), std::string::npos) << r.err;
  const auto j = nlohmann::json::parse(Cli({"info", out, "--json"}).out);
  EXPECT_EQ(j["NFaces"], 4);
  EXPECT_EQ(j["NHoles"], 1);
  EXPECT_EQ(j["NDoors"], 1);
  EXPECT_EQ(j["SourceName"], "Horn 90x40 two-way");
  const std::string spk = Slurp(out);
  for (const char* line : {"EntityList\r\n Wall\r\n  Face 1  7  4   ", "\r\n  Hole 1  8  3 ", "\r\n  Door 2  9  4 ",
                           "\r\n End\r\n Face 2  7  3   "}) {
    EXPECT_NE(spk.find(line), std::string::npos) << line;
  }

  Spit(dir / "BAD.RAY", "FACE 1 1 3 0 0\n");
  const CliRun bad = Cli({"attach", kHorn, dir / "BAD.RAY", dir / "NOT.SPK"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("BAD.RAY, line 1: expected a number, found the end of the line"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "NOT.SPK"));
}

}  // namespace
}  // namespace fonderel::test
