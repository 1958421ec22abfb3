// fonderel-cli iso3744 on the runs of tests/data/iso3744-cases/cli-runs.tsv:
// layouts that do not fit the microphones, and refused input; the measurement
// report written by the real tool, read back with pdftotext. The sound power
// and the written noise source are cases of tests/data/cli-cases.txt.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "iso3744/IsoCases.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

std::string Iso(const std::string& name) {
  return DataPath("iso3744/" + name);
}

TEST(CliIso3744, RunsOfCliRunsTsv) {
  const auto rows = IsoRows("cli-runs.tsv");
  EXPECT_EQ(rows.size(), 12u);
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
    if (r.status != 0) {
      EXPECT_EQ(r.out, "") << c[0] << ": a failed run prints no result";
      EXPECT_FALSE(std::filesystem::exists(dir / "at.spk")) << c[0];
    }
  }
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;)
      out.append(buf.data(), n);
    pclose(pipe);
  }
  return out;
}

TEST(CliIso3744, ReportHoldsTheTableTotalsAndCriteria) {
  TempDir dir;
  const std::string pdf = dir / "report.pdf";
  const std::string run = Output(std::string(FONDEREL_CLI_PATH) + " iso3744 " + Iso("PUMP5.DAT") +
                                 " --background 76,-,-,-,-,-,-,-,-,90 --report " + pdf + " 2>&1");
  if (run.find("writes no reports") != std::string::npos) GTEST_SKIP() << "built without Qt";
  const std::string text = Output("pdftotext -layout " + pdf + " - 2>/dev/null");
  if (text.empty()) GTEST_SKIP() << "no pdftotext";
  // Band 1: Lp' 83.2, Lb 76.0, ΔLp 7.2, K1 0.9, K2 4.1, Lw 88.2 (see cli-cases.txt).
  for (const char* part : {"PUMP", "Manufacturer: ACME", "S = 10.00 m2", "Positions: 5",
                           "Band (Hz)", "Lp' (dB)", "Lb (dB)", "K1 (dB)", "K2 (dB)", "Lw (dB)",
                           "Lw Lin =", "Lw A =", "Grade: neither engineering nor survey grade",
                           "FAILED - Positions: 5, fewer than the 9 that a box needs."}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  }
  std::istringstream lines(text);
  std::vector<std::string> band1, band16k;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream cells(line);
    std::vector<std::string> row;
    for (std::string c; cells >> c;) row.push_back(c);
    if (!row.empty() && row[0] == "31.5") band1 = row;
    if (!row.empty() && row[0] == "16000") band16k = row;
  }
  EXPECT_EQ(band1,
            (std::vector<std::string>{"31.5", "83.2", "76.0", "7.2", "0.9", "4.1", "88.2", "-"}));
  ASSERT_EQ(band16k.size(), 9u) << "the upper bound is marked";
  EXPECT_EQ(band16k[6], "<=");
}

}  // namespace
}  // namespace fonderel::test
