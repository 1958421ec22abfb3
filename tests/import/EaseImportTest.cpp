// The EASE text importer, 3.0 and 2.0: golden files written by hand from the
// layout, the loudspeaker choice, the balloon mapping and the log texts.
#include <gtest/gtest.h>

#include <deque>
#include <expected>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/AppState.h"
#include "core/EmptySource.h"
#include "core/TableFile.h"
#include "import/EaseImport.h"
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
  std::string path;

  const Source& src() const { return state->src; }
  const std::vector<std::string>& log() const { return state->log.Lines(); }
};

// Imports `path` into a fresh state, answering the loudspeaker choice from
// `speakers`.
std::unique_ptr<Import> ImportFile(const std::string& path,
                            std::deque<std::optional<std::string>> speakers = {}) {
  auto run = std::make_unique<Import>();
  run->state->src.SourceFile = "KEPT.EAS";
  run->platform.speakers = std::move(speakers);
  run->result = ImportEaseFile(*run->state, run->platform, path);
  run->path = path;
  return run;
}

// The whole log against tests/data/import/<name>, where {path} is the file read.
void ExpectLog(const Import& run, const std::string& name) {
  test::ExpectGoldenLines(run.log(), "../import/" + name, {{"{path}", run.path}});
}

void ExpectAllCells(const Source& src, int band, float value, float tolerance) {
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      ASSERT_NEAR(src.BalloonData(p, k, band), value, tolerance) << "plot " << p << " point " << k;
    }
  }
}

// Every cell of `band` against a table of plot, point and value; the row
// "all" gives the value of the cells not listed.
void ExpectCells(const Source& src, int band, const std::string& table) {
  std::map<std::pair<int, int>, float> cells;
  float rest = 0;
  for (const test::Row& c : test::TableRows(table)) {
    if (c[0] == "all") rest = std::stof(c[2]);
    else cells[{std::stoi(c[0]), std::stoi(c[1])}] = std::stof(c[2]);
  }
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const auto it = cells.find({p, k});
      const float want = it == cells.end() ? rest : it->second;
      EXPECT_NEAR(src.BalloonData(p, k, band), want, want * 2e-6f) << "plot " << p << " point " << k;
    }
  }
}

// EASE3_ONE.EAS: one omnidirectional loudspeaker, 500 Hz and 1000 Hz, the
// second with efficiency 0; checks the whole log, the scalars, the 1.0 balloon.
TEST(EaseImport, OneOmnidirectionalLoudspeakerIsImportedWithoutAQuestion) {
  const std::string path = DataPath("import/EASE3_ONE.EAS");
  const auto run = ImportFile(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();

  EXPECT_EQ(run->platform.calls,
            (std::vector<std::string>{"ShowTextLog", "SetBusy on", "Beep", "SetBusy off"}));
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceFile, s.SourceDate, s.SourceTime),
            std::make_tuple("Omni 8", "Fonderel Test Lab", "KEPT.EAS", "12-06-2026", "17:45:09"));
  EXPECT_EQ(std::make_tuple(s.DataSaved, s.SourceKind, s.FirstBand, s.LastBand, s.BandCount),
            std::make_tuple(kTrue, 1.0f, 5, 6, 2));
  EXPECT_EQ(std::make_tuple(s.BandPresent(4), s.BandPresent(5), s.BandPresent(6)), std::make_tuple(0, 1, 1));
  EXPECT_FLOAT_EQ(s.Sensitivity(5), 90.5f);
  EXPECT_FLOAT_EQ(s.Impedance(6), 8.0f);
  EXPECT_FLOAT_EQ(s.DirQ(6), 1.1f);
  EXPECT_FLOAT_EQ(s.Efficiency(5), 1.0f);
  EXPECT_FLOAT_EQ(s.Efficiency(6), 0.5f);  // 0 in the file
  // 100 W at 1 % is 1 W = 120 dB, at 0.5 % 117.0 dB; both less 10·log10(2).
  EXPECT_NEAR(s.Lw(5), 116.9897f, 1e-4);
  EXPECT_NEAR(s.Lw(6), 113.9794f, 1e-4);
  ExpectAllCells(s, 5, 1.0f, 1e-6f);
  ExpectAllCells(s, 6, 1.0f, 1e-6f);
  ExpectAllCells(s, 4, 0.0f, 0.0f);

  test::ExpectGoldenLines(run->log(), "ease3-one.log", {{"{path}", path}});
}

// EASE3_MULTI.EAS: "Horn", "horn" and "Sub 18" with interleaved records; the
// choice is offered in file order and only the chosen loudspeaker is read.
TEST(EaseImport, SeveralLoudspeakersOfferAChoiceAndImportTheChosenOne) {
  struct Case {
    std::optional<std::string> answer;
    bool cancelled;
    int first, last;
    float sensitivity1000;
    const char* maker;
  };
  const Case cases[] = {
      {"horn", false, 5, 6, 95.0f, "Small horn Co"},
      {"Horn", false, 6, 7, 100.0f, "Big Horn Co"},
      {std::nullopt, true, 0, 0, 0.0f, ""},
      {std::string(), true, 0, 0, 0.0f, ""},  // a choice without a name is no choice
  };
  const std::string path = DataPath("import/EASE3_MULTI.EAS");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or("<cancel>"));
    const auto run = ImportFile(path, {c.answer});
    ASSERT_EQ(run->platform.speakerLists.size(), 1u);
    EXPECT_EQ(run->platform.speakerLists[0], (std::vector<std::string>{"Horn", "horn", "Sub 18"}));
    const Source& s = run->src();
    if (c.cancelled) {
      ASSERT_FALSE(run->result);
      EXPECT_TRUE(run->result.error().cancelled);
      EXPECT_EQ(run->result.error().file, path);
      EXPECT_EQ(run->log(), (std::vector<std::string>{"", "Import an Ease 3.0 text speaker file from: " + path, ""}));
      EXPECT_EQ(run->platform.calls, (std::vector<std::string>{"ShowTextLog", "ChooseLoudspeaker"}));
      test::ExpectEmptySource(s);
      continue;
    }
    ASSERT_TRUE(run->result) << run->result.error().Text();
    EXPECT_EQ(s.SourceName, *c.answer);
    EXPECT_EQ(s.Manufacturer, c.maker);
    EXPECT_EQ(s.FirstBand, c.first);
    EXPECT_EQ(s.LastBand, c.last);
    EXPECT_EQ(s.Sensitivity(6), c.sensitivity1000);
    EXPECT_EQ(s.BandPresent(3), 0);  // the 125 Hz record belongs to "Sub 18"
    EXPECT_EQ(s.Sensitivity(3), 0.0f);
    EXPECT_EQ(run->log()[3], "Loading speaker :" + *c.answer);
  }
}

// EASE3_SEVEN.EAS: seven bands 125 Hz to 8 kHz, 1 W acoustic at 1 kHz and
// 10 mW elsewhere; each Lw is lowered by 10·log10(7) = 8.4510 dB.
TEST(EaseImport, SevenBandsShareThePower) {
  const auto run = ImportFile(DataPath("import/EASE3_SEVEN.EAS"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount), std::make_tuple(3, 9, 7));
  EXPECT_NEAR(s.Lw(6), 120.0f - 8.450980f, 1e-4);  // 50 W at 2 %
  for (int k : {3, 4, 5, 7, 8, 9}) EXPECT_NEAR(s.Lw(k), 100.0f - 8.450980f, 1e-4) << k;
  ExpectLog(*run, "ease3-seven.log");  // "Power Lev. = 120 dB": before it is shared
}

// EASE3_EMPTYBAND.EAS: 250 Hz and 1 kHz with data, 500 Hz with flag 0 between
// them: the EMPTY line, Lw 0, an untouched balloon, and N = 2.
TEST(EaseImport, AnEmptyBandIsLoggedAndNotCounted) {
  const auto run = ImportFile(DataPath("import/EASE3_EMPTYBAND.EAS"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  EXPECT_EQ(s.BandPresent(5), 0);
  EXPECT_EQ(s.Lw(5), 0.0f);
  EXPECT_FLOAT_EQ(s.Sensitivity(5), 91.0f);
  ExpectAllCells(s, 5, 0.0f, 0.0f);
  EXPECT_NEAR(s.Lw(4), 100.0f - 3.0103f, 1e-4);  // shared by two bands, not three
  EXPECT_EQ(s.FirstBand, 4);
  EXPECT_EQ(s.LastBand, 6);
  ExpectLog(*run, "ease3-emptyband.log");
}

// EASE3_DIRECTIONAL.EAS: one band of 0 dB with distinct attenuations in twelve
// cells of the half-planes r = -9..9; checks where each lands, the mirror
// half, the halved weight of the 90-degree plane and the log table texts.
TEST(EaseImport, HalfPlanesLandOnTheirPlotsAndPoints) {
  const auto run = ImportFile(DataPath("import/EASE3_DIRECTIONAL.EAS"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  ExpectCells(s, 6, "ease3-directional-cells.tsv");
  ExpectLog(*run, "ease3-directional.log");
}

// EASE3_THIRD.EAS: a third-octave export, 800 Hz, 1 kHz and 1.25 kHz, all with
// data blocks: the two off-centre records are skipped whole.
TEST(EaseImport, ThirdOctaveRecordsAreSkippedWhole) {
  const auto run = ImportFile(DataPath("import/EASE3_THIRD.EAS"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  EXPECT_EQ(s.FirstBand, 6);
  EXPECT_EQ(s.LastBand, 6);
  EXPECT_NEAR(s.Lw(6), 100.0f, 1e-4);  // one band: nothing to share
  ExpectAllCells(s, 6, 1.0f, 1e-6f);
  ExpectLog(*run, "ease3-third.log");
}

// EASE2_OMNI.EAS: one 2.0 record with an omnidirectional quarter grid; the
// whole log and every one of the 18 x 36 cells.
TEST(EaseImport, Ease2OmnidirectionalQuarterFillsTheWholeBalloon) {
  const std::string path = DataPath("import/EASE2_OMNI.EAS");
  const auto run = ImportFile(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate), std::make_tuple("OLD OMNI", "Imported from Ease", "12-06-2026"));
  EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount, s.SourceKind), std::make_tuple(6, 6, 1, 1.0f));
  EXPECT_NEAR(s.Lw(6), 120.0f, 1e-4);
  ExpectAllCells(s, 6, 1.0f, 1e-6f);
  EXPECT_EQ(run->platform.calls,
            (std::vector<std::string>{"ShowTextLog", "SetBusy on", "Beep", "SetBusy off"}));

  test::ExpectGoldenLines(run->log(), "ease2-omni.log", {{"{path}", path}});
}

// EASE2_QUARTER.EAS: "BOX A" at 1 kHz with six distinct attenuations in the
// quarter r = 0..9, "BOX B" at 2 kHz omnidirectional; the mirror copies about
// the planes of plot 0 and plot 9, the last name kept.
TEST(EaseImport, Ease2QuarterIsMirroredAboutBothPlanes) {
  const auto run = ImportFile(DataPath("import/EASE2_QUARTER.EAS"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& s = run->src();
  EXPECT_EQ(s.SourceName, "BOX B");
  EXPECT_EQ(s.FirstBand, 6);
  EXPECT_EQ(s.LastBand, 7);
  EXPECT_NEAR(s.Lw(7), 120.0f - 3.0103f, 1e-4);
  ExpectAllCells(s, 7, 1.0f, 1e-6f);

  ExpectCells(s, 6, "ease2-quarter-cells.tsv");
  // Each band table holds 10 lines of 19 cells.
  ExpectLog(*run, "ease2-quarter.log");
}

}  // namespace
}  // namespace fonderel
