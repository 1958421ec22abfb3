// The overall Lin and A levels of the Info table, and the band tables they
// and the importers share.
#include "views/PowerTotals.h"

#include "app/CaseData.h"
#include "core/BandTables.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

// Levels worked out from 10^(L/10) sums; bands outside the range count as
// well, the stored totals take no part.
TEST(PowerTotals, OverallLevelsOverAllTenBands) {
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = 6;
  for (const auto& c : test::Cases("PowerTotals", "OverallLevels")) {
    for (int b = 1; b <= 10; ++b) src->Lw(b) = c["lw"][b - 1];
    src->Lw(11) = src->Lw(12) = 200.0f;
    const PowerTotals t = ComputePowerTotals(*src);
    EXPECT_NEAR(t.Lin, c["lin"], 1e-9) << c["linText"];
    EXPECT_NEAR(t.A, c["a"], 1e-5) << c["aText"];  // the corrections are singles
    EXPECT_EQ(FormatNumber(t.Lin, "###0.00"), c["linText"]);
    EXPECT_EQ(FormatNumber(t.A, "###0.00"), c["aText"]);
  }
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
  for (const auto& c : test::Cases("PowerTotals", "BandOfFrequency"))
    EXPECT_EQ(BandOfFrequency(c[0].get<double>()), c[1]) << c[0];
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandOfFrequency(BandFreq(b)), b);
}

}  // namespace
}  // namespace fonderel
