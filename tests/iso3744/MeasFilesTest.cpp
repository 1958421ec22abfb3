// The measurement result file written byte for byte, read back, and every
// instrument file read from hand-written golden files; malformed files
// (tests/data/iso3744-cases/bad-files.tsv) are refused with the file and line
// named.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "iso3744/InstrumentExports.h"
#include "iso3744/IsoCases.h"
#include "iso3744/MeaFile.h"
#include "iso3744/MeasFile.h"
#include "iso3744/SpectrumFiles.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::Slurp;

std::string Iso(const std::string& name) { return DataPath("iso3744/" + name); }

// PUMP5.DAT: five microphones, mic m band b at 79 + m + b dB, RevTime 1.25
// then .5 and 0, the default box and room, Lw 91.5 .. 100.5, Lin 108.25, A 105.1.
std::unique_ptr<AppState> Pump5() {
  auto s = std::make_unique<AppState>();
  s->src.SourceName = "PUMP";
  s->src.Manufacturer = "ACME";
  s->src.SourceDate = "12-06-2026";
  s->src.SourceTime = "17:45:09";
  test::Set(*s, {{"MicCount", 5}, {"RevTime 1-10", 0.5}});
  test::Set(*s, {{"RevTime 1", 1.25}, {"RevTime 10", 0}});  // after the bands 1-10
  for (int m = 1; m <= 5; ++m)
    for (int b = 1; b <= kBandCount; ++b) s->MicLp(m, b) = static_cast<float>(79 + m + b);
  for (int b = 1; b <= kBandCount; ++b) s->src.Lw(b) = 90.5f + b;
  s->src.Lw(11) = 108.25f;
  s->src.Lw(12) = 105.1f;
  return s;
}

TEST(MeasFile, WrittenByteForByte) { EXPECT_EQ(MeasFileText(*Pump5()), Slurp(Iso("PUMP5.DAT"))); }

TEST(MeasFile, RoundTripRestoresTheInputToTheWrittenPrecision) {
  auto original = Pump5();
  original->MicLp(2, 3) = 85.27f;  // written 85.27
  original->Iso.DimA = 1.25f;
  original->Iso.RoomVolume = 312.5f;
  const auto read = ParseMeasFile(MeasFileText(*original), "X.DAT");
  ASSERT_TRUE(read.has_value()) << read.error().Text();
  auto loaded = std::make_unique<AppState>();
  ApplyMeasContent(*loaded, *read);
  // Every written field comes back (the file written again is the same), the
  // levels and times exactly.
  EXPECT_EQ(MeasFileText(*loaded), MeasFileText(*original));
  EXPECT_TRUE(loaded->MicLp == original->MicLp);
  EXPECT_TRUE(loaded->Iso.RevTime == original->Iso.RevTime);
  EXPECT_TRUE(loaded->src.Lw == original->src.Lw);
}

TEST(MeasFile, FileEndingAfterTheReverberationTimesKeepsTheRest) {
  const auto read = ReadMeasFile(Iso("TWELVE_SHORT.DAT"));
  ASSERT_TRUE(read.has_value()) << read.error().Text();
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"DimA", 3}, {"RoomVolume", 77}});
  s->src.Lw(4) = 66.0f;
  ApplyMeasContent(*s, *read);
  EXPECT_EQ(s->Iso.MicCount, 12);
  EXPECT_EQ(s->MicLp(12, 10), 70.5f);
  EXPECT_EQ(s->Iso.RevTime(1), 0.8f);
  EXPECT_EQ(s->src.Manufacturer, "");
  EXPECT_EQ(s->Iso.DimA, 3.0f);
  EXPECT_EQ(s->Iso.RoomVolume, 77.0f);
  EXPECT_EQ(s->src.Lw(4), 66.0f);
}

TEST(InstrumentFiles, GoldenFilesGiveTheirOctaveLevels) {
  for (const auto& c : test::IsoJson("spectra", "spectra")) {
    const std::string file = c["file"];
    const auto read = ReadSpectrumFile(Iso(file));
    ASSERT_TRUE(read.has_value()) << file << ": " << read.error().Text();
    for (int b = 1; b <= kBandCount; ++b) EXPECT_NEAR(read->Lp(b), c["Lp"][b - 1], 1e-4) << file << " band " << b;
    ASSERT_TRUE(read->SourceName.has_value()) << file;
    EXPECT_EQ(*read->SourceName, c["name"]) << file;
  }
  EXPECT_NEAR(*ThirdOctaveSum(80, 80, 80), 84.77, 0.005);
}

TEST(InstrumentFiles, ExportsGiveEveryMicrophone) {
  const auto prn = ParsePrnExport(Slurp(Iso("PUMP2.PRN")), "PUMP2.PRN");
  ASSERT_TRUE(prn.has_value()) << prn.error().Text();
  ASSERT_EQ(prn->MicLp.size(), 2u);
  EXPECT_EQ(prn->MicLp[0](1), 80.0f);
  EXPECT_EQ(prn->MicLp[0](9), 88.0f);
  double s9 = 0;
  for (int b = 1; b <= 9; ++b) s9 += std::pow(10, (79 + b) / 10.0);
  EXPECT_NEAR(prn->MicLp[0](10), 10 * std::log10(std::pow(10, 9.8) - s9), 1e-4);
  EXPECT_EQ(prn->MicLp[1](10), 60.0f) << "a total not above bands 1..9: band 9 less 10 dB";

  const auto bk = ParseBkExport(Slurp(Iso("BK2260.TXT")), "BK2260.TXT");
  ASSERT_TRUE(bk.has_value()) << bk.error().Text();
  ASSERT_EQ(bk->MicLp.size(), 2u);
  EXPECT_NEAR(bk->MicLp[0](1), 84.77, 0.005);
  EXPECT_NEAR(bk->MicLp[1](5), 10 * std::log10(1e6 + 1e7 + 1e8), 1e-4);
  EXPECT_EQ(bk->MicLp[1](10), 55.5f) << "band 10 is the 12.5 kHz third octave alone";

  const auto mea = ReadMeaFile(Iso("BOX4.MEA"));
  ASSERT_TRUE(mea.has_value()) << mea.error().Text();
  EXPECT_EQ(mea->SrcZ, 0.5f);
  EXPECT_EQ(mea->RoomVolume, 150.0f);
  EXPECT_EQ(mea->Rec.NReceivers, 4);
  EXPECT_EQ(mea->Rec.RecZ(4), 1.25f);
}

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
  EXPECT_EQ(rows.size(), 24u);
  for (const auto& c : rows)
    EXPECT_EQ(parsers.at(c.at(1))(test::Slurp(test::IsoCase(c.at(2)))), c.at(3)) << c.at(0);
}

}  // namespace
}  // namespace fonderel
