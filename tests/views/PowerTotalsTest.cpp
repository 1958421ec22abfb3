// The overall Lin and A levels of the Info table, and the band tables they
// and the importers share.
#include "views/PowerTotals.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/BandTables.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

TEST(PowerTotals, OverallLevelsOverAllTenBands) {
  struct Case {
    float lw[10];
    double lin, a;  // worked out from 10^(L/10) sums
    const char *linText, *aText;
  };
  const Case cases[] = {
      // Lin: 10·log10(10). A: 10·log10(Σ 10^(AWeighting/10)) = 10·log10(5.2159347).
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 10.0, 7.173321444832186, "10.00", "7.17"},
      // Lin: 90 + 10·log10(1 + 9e-9); A: 90 + 10·log10(1 + 4.2159e-9).
      {{0, 0, 0, 0, 0, 90, 0, 0, 0, 0}, 90.00000003908652, 90.00000001830956, "90.00", "90.00"},
      // Two 90 dB bands: +3.01 dB; A: 90 + 10·log10(1 + 10^0.12) plus the rest.
      {{0, 0, 0, 0, 0, 90, 90, 0, 0, 0}, 93.01029997401159, 93.65161531378354, "93.01", "93.65"},
  };
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = 6;  // bands outside the range count as well
  for (const Case& c : cases) {
    for (int b = 1; b <= 10; ++b) src->Lw(b) = c.lw[b - 1];
    src->Lw(11) = src->Lw(12) = 200.0f;  // the stored totals take no part
    const PowerTotals t = ComputePowerTotals(*src);
    EXPECT_NEAR(t.Lin, c.lin, 1e-9) << c.linText;
    EXPECT_NEAR(t.A, c.a, 1e-5) << c.aText;  // the corrections are singles
    EXPECT_EQ(FormatNumber(t.Lin, "###0.00"), c.linText);
    EXPECT_EQ(FormatNumber(t.A, "###0.00"), c.aText);
  }
  src->Lw.Fill(0.0f);
  src->Lw(6) = 90.0f;
  const PowerTotals t = ComputePowerTotals(*src);
  EXPECT_LT(t.A, t.Lin);
  EXPECT_GT(t.A, 90.0);
}

TEST(BandTables, ZoneWeightsCoverTheSphere) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int a = 0; a <= 18; ++a) {
    sum += w(a);
    EXPECT_NEAR(w(a), w(18 - a), 1e-8) << a;
  }
  EXPECT_NEAR(sum, 1.0, 1e-6);
  // 0.5·(1 - cos 5°), 0.5·(cos 5° - cos 15°), cos 85°.
  EXPECT_NEAR(w(0), 0.0019026510, 1e-9);
  EXPECT_NEAR(w(1), 0.0151344359, 2e-9);
  EXPECT_NEAR(w(9), 0.0871557427, 1e-8);
}

TEST(BandTables, BandOfFrequencyNeedsTheExactCentre) {
  struct Case { double hz; int band; };
  const Case cases[] = {{31.5, 1}, {63, 2}, {1000, 6}, {16000, 10}, {1001, 0},
                        {31.4999, 0}, {0, 0}, {-1000, 0}, {32000, 0}};
  for (const Case& c : cases) EXPECT_EQ(BandOfFrequency(c.hz), c.band) << c.hz;
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandOfFrequency(BandFreq(b)), b);
}

}  // namespace
}  // namespace fonderel
