// fonderel-cli interpolate: each polar-plot layout becomes an SPK file; a
// broken file writes nothing and fails.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

TEST(CliInterpolate, EachLayoutBecomesAnSpkFile) {
  const struct {
    const char* file;
    int first, last;
  } cases[] = {
      {"polar/PRN_ANGLES.PRN", 1, 10},
      // TXT: 4.77 dB horizontally, 84.77 dB vertically: finite levels.
      {"polar/TXT_0_80.TXT", 1, 10},
      {"polar/CSV_THREE.CSV", 4, 9},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const CliRun r = Cli({"interpolate", DataPath(c.file), dir / "OUT.SPK", "--log"});
    ASSERT_EQ(r.status, 0) << c.file << r.err;
    EXPECT_NE(r.out.find("Freq. (Hz)= 1000 - Lw="), std::string::npos) << r.out;
    const std::string spk = Slurp(dir / "OUT.SPK");
    EXPECT_EQ(spk.find("inf"), std::string::npos);
    EXPECT_EQ(spk.find("nan"), std::string::npos);
    const CliRun info = Cli({"info", dir / "OUT.SPK", "--json"});
    ASSERT_EQ(info.status, 0) << info.err;
    const auto j = nlohmann::json::parse(info.out);
    EXPECT_EQ(j["FirstBand"], c.first) << c.file;
    EXPECT_EQ(j["LastBand"], c.last) << c.file;
    EXPECT_NE(j["SourceKind"].get<double>(), 0.0);
    for (const auto& band : j["bands"]) {
      EXPECT_GT(band["DirQ"].get<double>(), 0.99) << c.file;
      EXPECT_TRUE(std::isfinite(band["Lw"].get<double>())) << c.file;
    }
  }
}

TEST(CliInterpolate, FailuresWriteNothing) {
  TempDir dir;
  Spit(dir / "SHORT.PRN", "title\r\n0 60 60\r\n");
  std::string huge = "title\r\n";
  for (int k = 0; k < 72; ++k) huge += "0 900 0 0 0 0 0 0 0 0 0\r\n";
  Spit(dir / "HUGE.PRN", huge);
  const struct {
    std::string in;
    int status;
    const char* err;
  } cases[] = {
      {dir / "SHORT.PRN", 1, "SHORT.PRN, line 3: expected a number, found the end of the file"},
      {dir / "HUGE.PRN", 1, "The levels of 31.5 Hz give no finite balloon"},
      {dir / "NONE.CSV", 1, "NONE.CSV"},
      {DataPath("LOUD_3_8.SPK"), 2, "not a polar-plot file"},
  };
  for (const auto& c : cases) {
    const CliRun r = Cli({"interpolate", c.in, dir / "OUT.SPK"});
    EXPECT_EQ(r.status, c.status) << c.in;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "OUT.SPK"));
  }
}

}  // namespace
}  // namespace fonderel::test
