// fonderel-cli iso3744: the JSON of the sound power, the noise source written
// as SPK, the layout of a non-standard count, and refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

std::string Iso(const std::string& name) { return DataPath("iso3744/" + name); }

TEST(CliIso3744, JsonOfTheSoundPower) {
  const CliRun r = Cli({"iso3744", Iso("PUMP5.DAT"), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_DOUBLE_EQ(j["S"].get<double>(), 10.0);
  ASSERT_EQ(j["bands"].size(), 10u);
  // Band 1: RevTime 1.25 s in 200 m3 -> K2 = 10·log10(1 + 40·1.25/32).
  EXPECT_NEAR(j["bands"][0]["K2"].get<double>(), 10 * std::log10(1 + 40 * 1.25 / 32), 1e-9);
  // Five microphones at 80..84 dB in band 1.
  double e = 0;
  for (int m = 1; m <= 5; ++m) e += std::pow(10, (79 + m + 1) / 10.0);
  EXPECT_NEAR(j["bands"][0]["Lw"].get<double>(),
              10 * std::log10(10 * e / 5) - 10 * std::log10(1 + 40 * 1.25 / 32), 1e-4);
  EXPECT_TRUE(j["Lw11"].is_number());
  EXPECT_TRUE(j["Lw12"].is_number());
  // K2 = 4.09 dB in band 1 is beyond the 4 dB that ISO 3744 allows.
  ASSERT_EQ(j["warnings"].size(), 1u);
  EXPECT_EQ(j["warnings"][0], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 31.5 Hz "
                              "band: K2 = 4.1 dB.");
}

TEST(CliIso3744, WritesTheNoiseSource) {
  TempDir dir;
  const CliRun r = Cli({"iso3744", Iso("PUMP2.PRN"), dir / "pump.spk", "--name", "Pump",
                        "--manufacturer", "Acme"});
  ASSERT_EQ(r.status, 1) << "two microphones need a layout";
  EXPECT_NE(r.err.find("2 microphones is no standard arrangement"), std::string::npos) << r.err;

  const CliRun ok = Cli({"iso3744", Iso("BK2260.TXT"), dir / "bk.spk", "--layout", Iso("BOX4.MEA"),
                         "--name", "Pump"});
  EXPECT_EQ(ok.status, 1) << "four positions for two microphones";
  EXPECT_NE(ok.err.find("the layout gives 4 microphone positions for the 2 microphones"),
            std::string::npos)
      << ok.err;

  const CliRun user = Cli({"iso3744", Iso("FOUR.PRN"), dir / "four.spk", "--layout", Iso("BOX4.MEA")});
  EXPECT_EQ(user.status, 0) << user.err;
  const CliRun ray = Cli({"iso3744", Iso("FOUR.PRN"), "--json", "--layout", Iso("ROOM6.RAY")});
  EXPECT_EQ(ray.status, 1);
  EXPECT_NE(ray.err.find("the layout gives 6 microphone positions for the 4 microphones"),
            std::string::npos)
      << ray.err;

  const CliRun made = Cli({"iso3744", Iso("PUMP5.DAT"), dir / "pump.spk", "--name", "Pump"});
  ASSERT_EQ(made.status, 0) << made.err;
  const CliRun info = Cli({"info", dir / "pump.spk", "--json"});
  ASSERT_EQ(info.status, 0) << info.err;
  const auto j = nlohmann::json::parse(info.out);
  EXPECT_EQ(j["SourceName"], "Pump");
  EXPECT_EQ(j["Manufacturer"], "ACME");
  EXPECT_EQ(j["FirstBand"], 1);
  EXPECT_EQ(j["LastBand"], 10);
  EXPECT_EQ(j["SourceKind"], 0);
  EXPECT_EQ(j["bands"][5]["Efficiency"], 100);
}

TEST(CliIso3744, RefusedInput) {
  TempDir dir;
  Spit(dir / "bad.dat", "\"Source Name:\",\"X\"\r\n\"Manufacturer:\",\"\"\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"iso3744", Iso("PUMP5.DAT")}, 2, "give OUT.spk, --json or both"},
      {{"iso3744", Iso("BOX4.MEA"), "--json"}, 2, "not a measurement file"},
      {{"iso3744", dir / "bad.dat", "--json"}, 1, dir / "bad.dat" + ", line 2: expected a text"},
      {{"iso3744", Iso("TWELVE_SHORT.DAT"), "--json"}, 1, "12 microphones is no standard arrangement"},
  };
  for (const auto& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace fonderel::test
