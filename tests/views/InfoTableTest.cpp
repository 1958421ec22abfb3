// The Info and DATAs table texts: labels, number formats and the truncated
// directivity. The Lin and A totals are checked by PowerTotals and by the
// table edits.
#include "views/InfoTable.h"

#include "app/CaseData.h"

namespace fonderel {
namespace {

using test::Cases;

std::unique_ptr<Source> OneBandSource() {
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = 6;
  src->BandPresent(6) = kTrue;
  return src;
}

TEST(InfoTable, ShapeHeaderAndLabels) {
  const TextTable t = InfoTable(*OneBandSource());
  const auto labels = Cases("InfoTable", "Labels");
  ASSERT_EQ(t.size(), 6u);
  for (std::size_t r = 0; r < 6; ++r) {
    ASSERT_EQ(t[r].size(), 13u) << "row " << r;
    EXPECT_EQ(t[r][0], labels[r]);
    EXPECT_TRUE(r < 2 || t[r][11] + t[r][12] == "") << "row " << r;  // no totals
  }
  EXPECT_EQ(t[0], Cases("InfoTable", "Header").get<std::vector<std::string>>());
}

// DirQ as stored and the Directivity cell: cut down to two decimals.
TEST(InfoTable, DirectivityIsTruncated) {
  auto src = OneBandSource();
  for (const auto& c : Cases("InfoTable", "Directivity")) {
    src->DirQ(4) = c[0].get<float>();
    EXPECT_EQ(InfoTable(*src)[2][4], c[1]) << c[0];
  }
}

// Every band column is filled from its own field, also outside the range.
TEST(InfoTable, EveryBandColumnFilled) {
  auto src = OneBandSource();  // the range is 1 kHz only
  src->Lw(1) = 12.345f;
  src->DirQ(2) = 4.5f;
  src->Sensitivity(10) = 88.5f;
  src->Impedance(9) = 8.0f;
  src->Efficiency(3) = 0.375f;
  src->Lw(6) = -3.0f;
  test::ExpectCells(InfoTable(*src), Cases("InfoTable", "EveryBandColumn"));
}

TEST(InfoTable, DataTableShapeLabelsAndValues) {
  auto src = OneBandSource();
  src->BalloonData(0, 0, 6) = 0.5f;
  src->BalloonData(0, 1, 6) = 1.23456f;
  src->BalloonData(17, 35, 6) = 12.3457f;
  src->BalloonData(4, 7, 6) = 0.0001f;
  src->BalloonData(4, 8, 6) = 250.0f;
  src->BalloonData(0, 0, 5) = 9.0f;  // another band does not show
  const TextTable t = DataTable(*src, 6);
  ASSERT_EQ(t.size(), 19u);
  for (std::size_t r = 0; r < t.size(); ++r) ASSERT_EQ(t[r].size(), 37u) << "row " << r;
  test::ExpectCells(t, Cases("InfoTable", "DataTable"));
}

TEST(InfoTable, RowTextsJoinCellsWithTabs) {
  const TextTable t = {{"a", "b", "c"}, {"", "x", ""}, {"only"}, {}};
  EXPECT_EQ(RowTexts(t), (std::vector<std::string>{"a\tb\tc", "\tx\t", "only", ""}));
  const auto rows = RowTexts(InfoTable(*OneBandSource()));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0],
            "Freq.\t 31.5\t 63\t 125\t 250\t 500\t 1000\t 2000\t 4000\t 8000\t 16000\tLin\tA");
  EXPECT_EQ(rows[5].substr(rows[5].size() - 2), "\t\t");  // the empty Lin and A cells
}

}  // namespace
}  // namespace fonderel
