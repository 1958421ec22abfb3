// The CLF text reader: hand-written files for every symmetry, both arc orders,
// half-sphere radiation, <nodata> and a CLF2 file (tests/data/import/clf/,
// expected levels in tests/data/tables/clf-patterns.tsv); malformed files
// (tests/data/import/clf-bad/, tests/data/tables/clf-bad.tsv) refused naming
// the file and the line; and which files the dispatch hands to the reader.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/EmptySource.h"
#include "core/TableFile.h"
#include "import/ClfImport.h"
#include "import/SourceFormat.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

double RelativeDb(const Source& s, int plot, int point, int band) {
  return Decibels(static_cast<double>(s.BalloonData(plot, point, band)) /
                  s.BalloonData(0, 0, band));
}

double SphericalMean(const Source& src, int band) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p)
    for (int a = 0; a <= 18; ++a)
      sum += w(a) * (src.BalloonData(p, a, band) + src.BalloonData(p, (36 - a) % 36, band));
  return sum / 36;
}

TEST(ClfImport, HandWrittenFilesGiveTheirPatterns) {
  for (const test::Row& c : test::TableRows("clf-patterns.tsv")) {
    SCOPED_TRACE(c[0]);
    auto state = std::make_unique<AppState>();
    test::RecordingPlatform platform;
    const auto result = ImportClfFile(*state, platform, test::DataPath("import/clf/" + c[1]));
    ASSERT_TRUE(result) << result.error().Text();
    const Source& s = state->src;
    const int band = BandOfFrequency(std::stod(c[2]));
    ASSERT_EQ(s.FirstBand, band);
    ASSERT_EQ(s.LastBand, band);
    EXPECT_EQ(s.BandPresent(band), kTrue);
    EXPECT_EQ(s.Manufacturer, "Test Bench");
    EXPECT_EQ(s.SourceKind, 1.0f);
    // 40 degrees off the axis: up, left, down, right.
    EXPECT_NEAR(RelativeDb(s, 9, 4, band), std::stod(c[3]), 0.005);
    EXPECT_NEAR(RelativeDb(s, 0, 4, band), std::stod(c[4]), 0.005);
    EXPECT_NEAR(RelativeDb(s, 9, 32, band), std::stod(c[5]), 0.005);
    EXPECT_NEAR(RelativeDb(s, 0, 32, band), std::stod(c[6]), 0.005);
    if (c[7] == "silent") {
      for (int p = 0; p < kPlots; ++p)
        for (int k = 10; k <= 26; ++k) EXPECT_EQ(s.BalloonData(p, k, band), 0.0f) << p << " " << k;
      EXPECT_GT(s.BalloonData(3, 9, band), 0.0f);
    } else {
      EXPECT_NEAR(RelativeDb(s, 0, 18, band), std::stod(c[7]), 0.005);
    }
    EXPECT_NEAR(SphericalMean(s, band), 1.0, 1e-5);
    EXPECT_EQ(s.DirQ(band), s.BalloonData(0, 0, band));
    EXPECT_NEAR(s.Sensitivity(band), std::stod(c[8]), 0.005);
    EXPECT_NEAR(s.Impedance(band), std::stod(c[9]), 0.005);
    // At 1 W and 1 m: Lw = sensitivity + 11 dB − directivity index.
    const double lw =
        s.Sensitivity(band) == 0 ? 0 : s.Sensitivity(band) + 11 - 10 * std::log10(s.DirQ(band));
    EXPECT_NEAR(s.Lw(band), lw, 0.005);
  }
}

TEST(ClfImport, MalformedFilesAreRefusedWithFileAndLine) {
  for (const test::Row& c : test::TableRows("clf-bad.tsv")) {
    SCOPED_TRACE(c[0]);
    auto state = std::make_unique<AppState>();
    test::RecordingPlatform platform;
    const std::string path = test::DataPath("import/clf-bad/" + c[1]);
    const auto result = ImportClfFile(*state, platform, path);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().file, path);
    EXPECT_EQ(result.error().line, std::stoi(c[2]));
    EXPECT_NE(result.error().message.find(c[3]), std::string::npos) << result.error().message;
    test::ExpectEmptySource(state->src);
  }
}

TEST(ClfImport, TabFilesAndTextFilesStartingWithTheTagAreClf) {
  const struct {
    std::string path;
    SourceFormat format;
  } cases[] = {
      {"/nowhere/horn.tab", SourceFormat::Clf},
      {"/nowhere/HORN.TAB", SourceFormat::Clf},
      {test::DataPath("import/clf/CLF2_THIRDS.txt"), SourceFormat::Clf},
      {test::DataPath("import/CATT_OMNI.TXT"), SourceFormat::Catt},
      {"/nowhere/missing.txt", SourceFormat::Catt},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatOfPath(c.path), c.format) << c.path;
  EXPECT_EQ(SpkNameForImport("/data/horn.tab"), "/data/horn.SPK");

  auto state = std::make_unique<AppState>();
  test::RecordingPlatform platform;
  ASSERT_TRUE(LoadSourceFile(*state, platform, test::DataPath("import/clf/CLF2_THIRDS.txt")));
  EXPECT_EQ(state->src.SourceName, "Thirds");
}

}  // namespace
}  // namespace fonderel
