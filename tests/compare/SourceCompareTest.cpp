// The per-band differences of two sources: each kind of change shows in its
// own column, at the right cell, and only there.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "compare/SourceCompare.h"

namespace fonderel {
namespace {

// Two bands of an omnidirectional source, Lw 90 dB, Q 1.
std::unique_ptr<Source> Omni() {
  auto s = std::make_unique<Source>();
  s->FirstBand = 3;
  s->LastBand = 4;
  for (int b = 3; b <= 4; ++b) {
    s->BandPresent(b) = -1;
    s->Lw(b) = 90;
    s->DirQ(b) = 1;
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) s->BalloonData(p, k, b) = 1;
  }
  return s;
}

TEST(SourceCompare, EachChangeShowsWhereItWasMade) {
  const auto a = Omni();
  a->BalloonData(2, 30, 4) = 1e-6f;  // 60 dB down: counts as 50 dB down
  constexpr int band = 4;
  struct Case {
    const char* what;
    std::function<void(Source&)> change;
    double lw, q, balloon;  // expected in band 4
    int plot, point;
    bool inB;
  } cases[] = {
      {"nothing", [](Source&) {}, 0, 0, 0, 0, 0, true},
      {"Lw up 0.2 dB", [](Source& s) { s.Lw(band) += 0.2f; }, 0.2, 0, 0, 0, 0, true},
      {"Q doubled", [](Source& s) { s.DirQ(band) *= 2; }, 0, 10 * std::log10(2.0), 0, 0, 0, true},
      {"one cell 1 dB down", [](Source& s) { s.BalloonData(3, 7, band) = std::pow(10.f, -0.1f); },
       0, 0, 1.0, 3, 7, true},
      {"balloon scaled",
       [](Source& s) {
         for (int p = 0; p < kPlots; ++p)
           for (int k = 0; k < kPoints; ++k) s.BalloonData(p, k, band) *= 7.5f;
       },
       0, 0, 0, 0, 0, true},
      {"the null deeper still", [](Source& s) { s.BalloonData(2, 30, band) = 0; }, 0, 0, 0, 0, 0,
       true},
      {"the null filled to 40 dB down", [](Source& s) { s.BalloonData(2, 30, band) = 1e-4f; }, 0, 0,
       10, 2, 30, true},
      {"band gone", [](Source& s) { s.BandPresent(band) = 0; }, 0, 0, 0, 0, 0, false},
  };
  for (Case& c : cases) {
    auto b = std::make_unique<Source>(*a);
    c.change(*b);
    const auto rows = CompareSources(*a, *b);
    ASSERT_EQ(rows.size(), 2u) << c.what;
    EXPECT_TRUE(rows[0].Within(1e-9)) << c.what;  // band 3 untouched
    const BandDifference& d = rows[1];
    EXPECT_EQ(d.band, band);
    EXPECT_TRUE(d.inA) << c.what;
    EXPECT_EQ(d.inB, c.inB) << c.what;
    if (!c.inB) {
      EXPECT_FALSE(d.Within(100)) << c.what;
      continue;
    }
    EXPECT_NEAR(d.lw, c.lw, 1e-5) << c.what;
    EXPECT_NEAR(d.q, c.q, 1e-5) << c.what;
    EXPECT_NEAR(d.balloon, c.balloon, 1e-4) << c.what;
    EXPECT_EQ(d.plot * 100 + d.point, c.plot * 100 + c.point) << c.what;
    EXPECT_EQ(d.Within(0.1), c.lw <= 0.1 && c.q <= 0.1 && c.balloon <= 0.1) << c.what;
  }
}

}  // namespace
}  // namespace fonderel
