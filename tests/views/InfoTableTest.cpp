// The Info and DATAs table texts: labels, number formats, the overall levels
// and the truncated directivity.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "views/InfoTable.h"

namespace fonderel {
namespace {

const std::vector<std::string> kHeaderRow = {"Freq.",  " 31.5",  " 63",   " 125",  " 250",
                                             " 500",   " 1000",  " 2000", " 4000", " 8000",
                                             " 16000", "Lin",    "A"};
const char* const kRowLabels[] = {"Freq.", "Power Level (dB)", "Directivity",
                                  "Sensitivity (dB 1W,1m)", "Electr. Impedance (Ohm)",
                                  "Efficiency (%)"};

std::unique_ptr<Source> OneBandSource() {
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = 6;
  src->BandPresent(6) = kTrue;
  return src;
}

TEST(InfoTable, ShapeHeaderAndLabels) {
  const TextTable t = InfoTable(*OneBandSource());
  ASSERT_EQ(t.size(), 6u);
  for (std::size_t r = 0; r < 6; ++r) {
    ASSERT_EQ(t[r].size(), 13u) << "row " << r;
    EXPECT_EQ(t[r][0], kRowLabels[r]);
  }
  EXPECT_EQ(t[0], kHeaderRow);
  for (std::size_t r = 2; r <= 5; ++r) {
    EXPECT_EQ(t[r][11], "") << "row " << r;
    EXPECT_EQ(t[r][12], "") << "row " << r;
  }
}

// Lw of the ten bands and the Lin and A cells they give.
TEST(InfoTable, OverallLevels) {
  const struct {
    float lw[10];
    const char *lin, *a;
  } cases[] = {
      // Lin 10·log10(10); A 10·log10(Σ 10^(AWeighting/10)) = 10·log10(5.21593) = 7.1733.
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "10.00", "7.17"},
      // 90 dB at 1 kHz dwarfs the nine 0 dB bands in both sums.
      {{0, 0, 0, 0, 0, 90, 0, 0, 0, 0}, "90.00", "90.00"},
  };
  auto src = OneBandSource();
  for (const auto& c : cases) {
    for (int b = 1; b <= kBandCount; ++b) src->Lw(b) = c.lw[b - 1];
    const TextTable t = InfoTable(*src);
    EXPECT_EQ(t[1][11], c.lin);
    EXPECT_EQ(t[1][12], c.a);
  }
}

// DirQ as stored and the Directivity cell: cut down to two decimals.
TEST(InfoTable, DirectivityIsTruncated) {
  const struct {
    float q;
    const char* text;
  } cases[] = {
      {1.999f, "1.99"}, {1.15f, "1.15"},  {2.0f, "2.00"},    {0.0f, "0.00"},   {-0.001f, "-0.01"},
      {-1.5f, "-1.50"}, {-1.234f, "-1.24"}, {12.3456f, "12.34"}, {0.009f, "0.00"}, {3.2f, "3.20"},
  };
  auto src = OneBandSource();
  for (const auto& c : cases) {
    src->DirQ(4) = c.q;
    EXPECT_EQ(InfoTable(*src)[2][4], c.text) << c.q;
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
  const TextTable t = InfoTable(*src);
  EXPECT_EQ(t[1][1], "12.35");
  EXPECT_EQ(t[2][2], "4.50");
  EXPECT_EQ(t[3][10], "88.50");
  EXPECT_EQ(t[4][9], "8.00");
  EXPECT_EQ(t[5][3], "0.38");
  EXPECT_EQ(t[1][6], "-3.00");
  EXPECT_EQ(t[1][7], "0.00");
  EXPECT_EQ(t[5][10], "0.00");
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
  EXPECT_EQ(t[0][0], "Angles");
  EXPECT_EQ(t[0][1], " 0\xB0");
  EXPECT_EQ(t[0][2], " 10\xB0");
  EXPECT_EQ(t[0][36], " 350\xB0");
  EXPECT_EQ(t[1][0], " 0\xB0");
  EXPECT_EQ(t[10][0], " 90\xB0");
  EXPECT_EQ(t[18][0], " 170\xB0");
  EXPECT_EQ(t[1][1], "0.500");
  EXPECT_EQ(t[1][2], "1.235");
  EXPECT_EQ(t[18][36], "12.346");
  EXPECT_EQ(t[5][8], "0.000");
  EXPECT_EQ(t[5][9], "250.000");
  EXPECT_EQ(t[2][1], "0.000");
}

TEST(InfoTable, RowTextsJoinCellsWithTabs) {
  const TextTable t = {{"a", "b", "c"}, {"", "x", ""}, {"only"}, {}};
  const std::vector<std::string> expected = {"a\tb\tc", "\tx\t", "only", ""};
  EXPECT_EQ(RowTexts(t), expected);
  const auto rows = RowTexts(InfoTable(*OneBandSource()));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "Freq.\t 31.5\t 63\t 125\t 250\t 500\t 1000\t 2000\t 4000\t 8000\t 16000\tLin\tA");
  EXPECT_EQ(rows[5].substr(rows[5].size() - 2), "\t\t");  // the empty Lin and A cells
}

}  // namespace
}  // namespace fonderel
