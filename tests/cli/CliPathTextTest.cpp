// A path with é, ü, °, – and a CJK character is printed as spelled (UTF-8) in
// every output of fonderel-cli; the SPK file's own texts stay Windows-1252.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

TEST(CliPathText, EveryOutputShowsThePathAsSpelled) {
  TempDir dir;
  const std::string stem = dir / "Mein Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 Test \u97F3";
  const std::string in = stem + ".SPK", out = stem + " out.SPK", missing = stem + " none.SPK",
                    bad = stem + " bad.SPK";
  Spit(in, Slurp(std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK"));
  Spit(bad,
       "\"Source Name\",\"Lautspr\xE9"
       "cher\"\r\n\"Manufacturer\",\"x\"\r\n");
  const struct {
    std::vector<std::string> args;
    bool toErr;
    std::string expected;
  } cases[] = {
      {{"info", in}, false, "File:           " + in + "\n"},
      {{"info", in, "--json"}, false, "\"SourceFile\": " + nlohmann::json(in).dump()},
      {{"convert", in, out, "--log"}, false, "Reading Source Description from: " + in + "\n"},
      {{"convert", in, out, "--log"}, false, "Saving Source Description to: " + out + "\n"},
      {{"info", missing}, true, "fonderel-cli: " + missing},
      {{"info", bad}, true, "fonderel-cli: " + bad + ", line "},
      {{"convert", bad, out, "--log"}, false, "Source NameLautspr\u00E9cher\n"}};
  for (const auto& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_NE((c.toErr ? r.err : r.out).find(c.expected), std::string::npos) << c.expected;
  }
}

}  // namespace
}  // namespace fonderel::test
