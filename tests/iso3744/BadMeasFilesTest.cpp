// Malformed measurement, layout, export and spectrum files: each is refused
// with an error naming the file and the line, and nothing is taken over.
// The files and their errors: tests/data/iso3744-cases/bad-files.tsv.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "iso3744/InstrumentExports.h"
#include "iso3744/MeaFile.h"
#include "iso3744/MeasFile.h"
#include "iso3744/SpectrumFiles.h"
#include "iso3744/IsoCases.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using Parser = std::function<std::string(const std::string& bytes)>;  // "" when read

template <typename F>
Parser Wrap(F parse, const char* file) {
  return [parse, file](const std::string& bytes) -> std::string {
    const auto r = parse(bytes, file);
    return r ? std::string() : r.error().Text();
  };
}

TEST(BadMeasFiles, RefusedWithFileAndLine) {
  const std::map<std::string, Parser> parsers = {
      {"dat", Wrap(ParseMeasFile, "M.DAT")},          {"mea", Wrap(ParseMeaFile, "L.MEA")},
      {"prn", Wrap(ParsePrnExport, "E.PRN")},         {"bk", Wrap(ParseBkExport, "B.TXT")},
      {"txt", Wrap(ParseTextSpectrum, "S.TXT")},      {"lab", Wrap(ParseLabelledSpectrum, "S.LD")}};
  const auto rows = test::IsoRows("bad-files.tsv");
  EXPECT_EQ(rows.size(), 23u);
  for (const auto& c : rows)
    EXPECT_EQ(parsers.at(c.at(1))(test::Slurp(test::IsoCase(c.at(2)))), c.at(3)) << c.at(0);
}

}  // namespace
}  // namespace fonderel
