// The CATT SD1 importer: the balloon mapping and its normalisation, the band
// range and levels, the log, and every malformed file ending in an error that
// leaves the description empty.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/AppState.h"
#include "core/BandTables.h"
#include "core/EmptySource.h"
#include "core/TableFile.h"
#include "import/CattImport.h"
#include "support/RecordingPlatform.h"
#include "support/GoldenText.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;

struct Import {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Import> ImportFile(const std::string& path) {
  auto run = std::make_unique<Import>();
  run->result = ImportCattFile(*run->state, run->platform, path);
  return run;
}

double Db(double x) {
  return 10.0 * std::log10(x);
}

// CATT_OMNI.TXT: six bands 125 Hz to 4 kHz, every attenuation 0, levels 80 to
// 87.5 in steps of 1.5; checks the band range, the flat balloon, Q, Lw, the
// header the reader stamps and the log line by line.
TEST(CattImport, OmnidirectionalFileGivesOneInEveryCell) {
  const std::string path = DataPath("import/CATT_OMNI.TXT");
  auto run = ImportFile(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount, s.SourceKind),
            std::make_tuple(3, 8, 6, 1.0f));
  // The blank after "=" of the name stays.
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime),
            std::make_tuple(" OMNI TEST", "", "12-06-2026", "17:45:09"));
  for (int k = 1; k <= kBandCount; ++k) {
    SCOPED_TRACE(k);
    const bool read = k >= 3 && k <= 8;
    EXPECT_EQ(s.BandPresent(k), read ? 1 : 0);
    EXPECT_EQ(s.Sensitivity(k), 0.0f);
    EXPECT_EQ(s.Efficiency(k), 0.0f);
    EXPECT_EQ(s.Impedance(k), 0.0f);
    if (!read) {
      EXPECT_EQ(s.Lw(k), 0.0f);
      EXPECT_EQ(s.BalloonData(0, 0, k), 0.0f);
      continue;
    }
    EXPECT_FLOAT_EQ(s.DirQ(k), 1.0f);
    EXPECT_FLOAT_EQ(s.Lw(k), 80.0f + 1.5f * static_cast<float>(k - 3) + 11.0f);
    for (int p = 0; p < kPlots; ++p)
      for (int q = 0; q < kPoints; ++q)
        ASSERT_NEAR(s.BalloonData(p, q, k), 1.0f, 1e-6f) << p << "," << q;
  }
  EXPECT_EQ(run->platform.calls,
            (std::vector<std::string>{"ShowTextLog", "SetBusy on", "SetBusy off"}));
  test::ExpectGoldenLines(run->state->log.Lines(), "catt-omni.log", {{"{path}", path}});
}

// CATT_MAP.TXT: one band of 1 kHz, attenuations 0 except for markers of
// distinct values; checks where each group of half-planes lands, that the rear
// cells are overwritten by the third and fourth groups, that the on-axis values
// of half-planes 10 to 27 are not used, and the normalisation to the weighted mean.
TEST(CattImport, DirectionalFileMapsTheFourGroupsInOrder) {
  auto run = ImportFile(DataPath("import/CATT_MAP.TXT"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->state->src;
  ASSERT_EQ(s.FirstBand, 6);
  ASSERT_EQ(s.LastBand, 6);
  EXPECT_EQ(s.SourceName, "MAP");

  // The weights of the 666 values placed: 18 half-planes with all 19 angles,
  // 18 without the axis; the weights of one half-plane sum to 1.
  const auto w = ZoneWeight();
  const double weights = 36.0 - 18.0 * w(0);
  double sum = weights;
  std::map<std::pair<int, int>, double> landed;
  for (const test::Row& c : test::TableRows("catt-map.tsv")) {
    const double intensity = std::pow(10.0, -std::stod(c[3]) / 10);
    if (c[0] == "counted") sum += w(std::stoi(c[2])) * (intensity - 1.0);
    else landed[{std::stoi(c[1]), std::stoi(c[2])}] = intensity;
  }
  const double mean = sum / weights;
  const double flat = 1.0 / mean;
  int marked = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int q = 0; q < kPoints; ++q) {
      const auto it = landed.find({p, q});
      const double expected = it == landed.end() ? flat : it->second / mean;
      marked += it != landed.end();
      EXPECT_NEAR(s.BalloonData(p, q, 6), expected, 1e-6 * expected) << p << "," << q;
    }
  }
  EXPECT_EQ(marked, 9);
  EXPECT_NEAR(s.DirQ(6), std::pow(10.0, 0.3) / mean, 1e-6);
  EXPECT_NEAR(s.Lw(6), 90.0 + 11.0 - Db(flat), 1e-4);
}

// CATT_UNKNOWN.TXT (in the table below) logs its first band as band 1.
TEST(CattImport, UnknownFirstFrequencyStartsAtBandOne) {
  auto run = ImportFile(DataPath("import/CATT_UNKNOWN.TXT"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  EXPECT_EQ(run->state->log.Lines().at(4), "Frequency  = 31.5 Hz");
}

// Texts that vary line 6 (levels) or lines 3 and 5 (name, band list), and
// flat files of two bands, as tests/data/tables/catt-lines.tsv gives them.
TEST(CattImport, LevelsNameAndBandList) {
  for (const test::Row& c : test::TableRows("catt-lines.tsv")) {
    SCOPED_TRACE(c[0]);
    auto run = ImportFile(DataPath("import/catt-lines/" + c[1]));
    ASSERT_TRUE(run->result) << run->result.error().Text();
    const Source& s = run->state->src;
    EXPECT_EQ(s.SourceName, c[2]);
    const int first = std::stoi(c[3]), last = std::stoi(c[4]);
    EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount), std::make_tuple(first, last, last - first + 1));
    for (std::size_t i = 5; i < c.size(); ++i) EXPECT_FLOAT_EQ(s.Lw(first + static_cast<int>(i) - 5), std::stof(c[i]));
    for (int k = 1; k <= kBandCount; ++k) {
      EXPECT_EQ(s.BandPresent(k), k >= first && k <= last ? 1 : 0) << k;
      if (k < first || k > last) continue;
      EXPECT_NEAR(s.DirQ(k), 1.0f, 1e-5f);
      for (int p = 0; p < kPlots; ++p)
        for (int q = 0; q < kPoints; ++q) ASSERT_NEAR(s.BalloonData(p, q, k), 1.0f, 1e-5f) << k;
    }
  }
}

// Every malformed text ends in an error that names the file and the line and
// leaves the description empty.
TEST(CattImport, MalformedFilesGiveAnErrorAndLeaveTheDescriptionEmpty) {
  for (const test::Row& c : test::TableRows("catt-bad.tsv")) {
    SCOPED_TRACE(c[0]);
    const std::string path = DataPath("import/catt-bad/" + c[1]);
    auto run = ImportFile(path);
    ASSERT_FALSE(run->result);
    const FileError& e = run->result.error();
    EXPECT_EQ(e.file, path);
    EXPECT_EQ(e.line, std::stoi(c[2])) << e.Text();
    if (!c[3].empty()) {
      EXPECT_EQ(e.message, c[3]);
    }
    EXPECT_EQ(e.ownMessage, c[4] == "own");
    EXPECT_FALSE(e.cancelled);
    EXPECT_NE(run->platform.calls.back(), "SetBusy on");
    if (e.ownMessage) {  // the caller shows it; the reader itself only opened the log
      EXPECT_EQ(run->platform.calls, std::vector<std::string>{"ShowTextLog"});
    }
    test::ExpectEmptySource(run->state->src);
  }
}

}  // namespace
}  // namespace fonderel
