// fonderel-cli export-sofa, and .sofa files read by info and convert.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";

TEST(CliSofa, ExportedFileReadsBackWithTheSourcesHeaderAndQ) {
  TempDir dir;
  const CliRun exported = Cli({"export-sofa", kHorn, dir / "horn.sofa"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, "");
  const CliRun info = Cli({"info", dir / "horn.sofa", "--json"});
  ASSERT_EQ(info.status, 0) << info.err;
  const auto j = nlohmann::json::parse(info.out);
  EXPECT_EQ(j["SourceName"], "Horn 90x40 two-way");
  EXPECT_EQ(j["Manufacturer"], "Example Acoustics");
  EXPECT_EQ(j["FirstBand"], 3);
  EXPECT_EQ(j["LastBand"], 8);
  // The example's balloons have a spherical mean of 1, so Q comes back.
  EXPECT_NEAR(j["bands"][3]["DirQ"].get<double>(), 6.288, 1e-3);
  EXPECT_EQ(j["bands"][3]["Lw"], 0);
}

TEST(CliSofa, BadTargetsAndInputsExitWithAMessageAndWriteNothing) {
  TempDir dir;
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  Spit(dir / "notes.sofa", "not a netCDF file\n");
  const std::vector<Case> cases = {
      {{"export-sofa", kHorn, ""}, 2, "the output file name is empty"},
      {{"export-sofa", kHorn, dir.Path()}, 2, "is a folder"},
      {{"export-sofa", dir / "missing.SPK", dir / "out.sofa"}, 1, "missing.SPK"},
      {{"info", dir / "notes.sofa"}, 1, "notes.sofa: not a readable netCDF file"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.sofa"));
}

}  // namespace
}  // namespace fonderel::test
