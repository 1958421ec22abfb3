// Paths with characters beyond ASCII are printed as the file system spells
// them (UTF-8) in every output of fonderel-cli, while the texts inside the
// SPK file stay Windows-1252.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

const std::string kName = "Mein Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 Test \u97F3";
const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliPathText, EveryOutputShowsThePathAsSpelled) {
  TempDir dir;
  const std::string in = dir / (kName + ".SPK");
  const std::string out = dir / (kName + " out.SPK");
  const std::string missing = dir / (kName + " missing.SPK");
  const std::string bad = dir / (kName + " bad.SPK");
  // A header whose name holds the Windows-1252 byte of é, then no bands.
  Spit(in, Slurp(kHorn));
  Spit(bad, "\"Source Name\",\"Lautspr\xE9" "cher\"\r\n\"Manufacturer\",\"x\"\r\n");
  const struct {
    std::vector<std::string> args;
    std::string CliRun::*stream;
    std::string expected;
  } cases[] = {
      {{"info", in}, &CliRun::out, "File:           " + in + "\n"},
      {{"info", in, "--json"}, &CliRun::out, "\"SourceFile\": " + nlohmann::json(in).dump()},
      {{"convert", in, out, "--log"}, &CliRun::out, "Reading Source Description from: " + in + "\n"},
      {{"convert", in, out, "--log"}, &CliRun::out, "Saving Source Description to: " + out + "\n"},
      {{"info", missing}, &CliRun::err, "fonderel-cli: " + missing},
      {{"info", bad}, &CliRun::err, "fonderel-cli: " + bad + ", line "},
      {{"convert", bad, out, "--log"}, &CliRun::out, "Source NameLautspr\u00E9cher\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    const CliRun r = Cli(c.args);
    EXPECT_TRUE(Holds(r.*c.stream, c.expected)) << r.*c.stream;
  }
}

}  // namespace
}  // namespace fonderel::test
