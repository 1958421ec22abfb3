// The EASE importer on malformed and unusual input: every bad file ends in an
// error naming the file and the line with the description left empty; odd but
// readable files give the documented result. The files, built from the record
// layout, lie under tests/data/import/ease-bad and ease-odd, listed with what
// each must give in tests/data/tables/ease-bad.tsv and ease-unusual.tsv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <expected>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/EmptySource.h"
#include "core/TableFile.h"
#include "import/EaseImport.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

struct Import {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  test::RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Import> ImportPath(const std::string& path,
                                   std::deque<std::optional<std::string>> speakers) {
  auto run = std::make_unique<Import>();
  run->platform.speakers = std::move(speakers);
  run->result = ImportEaseFile(*run->state, run->platform, path);
  return run;
}

TEST(EaseBadInput, MalformedFilesAreRefusedWithFileAndLine) {
  for (const test::Row& c : test::TableRows("ease-bad.tsv")) {
    SCOPED_TRACE(c[0]);
    const std::string path = test::DataPath("import/ease-bad/" + c[1]);
    const auto run = ImportPath(path, {std::optional<std::string>("S1")});
    ASSERT_FALSE(run->result);
    const FileError& e = run->result.error();
    EXPECT_EQ(e.file, path);
    EXPECT_FALSE(e.cancelled);
    if (c[2] != "-1") {
      EXPECT_EQ(e.line, std::stoi(c[2]));
    }
    EXPECT_NE(e.message.find(c[3]), std::string::npos) << e.message;
    test::ExpectEmptySource(run->state->src);
    if (run->platform.Called("SetBusy on")) {
      EXPECT_EQ(run->platform.calls.back(), "SetBusy off");
    }
  }
}

// Readable files that are unusual in one respect: the names offered (if any),
// the band range, and one band's Lw and BandPresent; 100 W at 2 % is
// 123.0103 dB before it is shared.
TEST(EaseBadInput, UnusualFilesGiveTheDocumentedResult) {
  for (const test::Row& c : test::TableRows("ease-unusual.tsv")) {
    SCOPED_TRACE(c[0]);
    std::deque<std::optional<std::string>> answers;
    if (!c[2].empty()) answers.push_back(c[2]);
    const auto run = ImportPath(test::DataPath("import/ease-odd/" + c[1]), answers);
    ASSERT_TRUE(run->result) << run->result.error().Text();
    if (c[3].empty()) {
      EXPECT_FALSE(run->platform.Called("ChooseLoudspeaker"));
    } else {
      std::vector<std::string> offered;
      for (std::size_t from = 0; from <= c[3].size();) {
        const std::size_t comma = std::min(c[3].find(',', from), c[3].size());
        offered.push_back(c[3].substr(from, comma - from));
        from = comma + 1;
      }
      ASSERT_EQ(run->platform.speakerLists.size(), 1u);
      EXPECT_EQ(run->platform.speakerLists[0], offered);
    }
    const Source& s = run->state->src;
    const int first = std::stoi(c[4]), last = std::stoi(c[5]), band = std::stoi(c[6]);
    EXPECT_EQ(s.FirstBand, first);
    EXPECT_EQ(s.LastBand, last);
    EXPECT_EQ(s.BandCount, last - first + 1);
    EXPECT_NEAR(s.Lw(band), std::stof(c[7]), 1e-4);
    EXPECT_EQ(s.BandPresent(band), std::stoi(c[8]));
    for (int b = 1; b <= kBandCount; ++b)
      for (int p = 0; p < kPlots; ++p)
        for (int k = 0; k < kPoints; ++k) ASSERT_TRUE(std::isfinite(s.BalloonData(p, k, b)));
  }
}

}  // namespace
}  // namespace fonderel
