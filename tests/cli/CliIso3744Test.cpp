// fonderel-cli iso3744 on the runs of tests/data/iso3744-cases/cli-runs.tsv:
// layouts that do not fit the microphones, and refused input. The sound power
// and the written noise source are cases of tests/data/cli-cases.txt.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "iso3744/IsoCases.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

std::string Iso(const std::string& name) { return DataPath("iso3744/" + name); }

TEST(CliIso3744, RunsOfCliRunsTsv) {
  const auto rows = IsoRows("cli-runs.tsv");
  EXPECT_EQ(rows.size(), 8u);
  for (const auto& c : rows) {
    TempDir dir;
    Spit(dir / "bad.dat", "\"Source Name:\",\"X\"\r\n\"Manufacturer:\",\"\"\r\n");
    std::vector<std::string> args;
    std::istringstream in(c.at(0));
    for (std::string a; in >> a;)
      args.push_back(a[0] == '@' ? Iso(a.substr(1)) : a[0] == '~' ? dir / a.substr(1) : a);
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, std::stoi(c.at(1))) << c[0] << ": " << r.err;
    EXPECT_NE(r.err.find(c.at(2)), std::string::npos) << c[0] << ": " << r.err;
  }
}

}  // namespace
}  // namespace fonderel::test
