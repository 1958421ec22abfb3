// Parametric (BZ) sources: the numbers a user finds in the created source.
// Expected values were worked out independently from the pattern table
// (1025-sample integral, pi = 3.141592654) and rounded to single precision.
#include "bz/ParametricSource.h"

#include <gtest/gtest.h>

#include "app/CaseData.h"
#include "bz/BzCatalogue.h"
#include "core/SourceText.h"

namespace fonderel {
namespace {

TEST(ParametricSource, BalloonQAndSensitivityPerPattern) {
  // Cases in tests/data/cases5/bz.json.
  for (const auto& c : test::Cases("../cases5/bz", "patterns")) {
    const float pattern = c[0], onAxis = c[1], at90 = c[2], at180 = c[3], sensitivity = c[4];
    Source src;
    BzFunctions bz;
    bz(1) = pattern;
    CreateParametricSource(src, bz, true, 120);
    EXPECT_FLOAT_EQ(src.DirQ(1), onAxis) << pattern;
    EXPECT_FLOAT_EQ(src.Sensitivity(1), sensitivity) << pattern;
    for (int p = 0; p < kPlots; ++p) {
      EXPECT_FLOAT_EQ(src.BalloonData(p, 0, 1), onAxis) << pattern << " plot " << p;
      // Off the axis to a millionth: near-zero values differ with the rounded pi.
      EXPECT_NEAR(src.BalloonData(p, 9, 1), at90, 1e-6) << pattern << " plot " << p;
      EXPECT_NEAR(src.BalloonData(p, 18, 1), at180, 1e-6) << pattern << " plot " << p;
      EXPECT_NEAR(src.BalloonData(p, 27, 1), at90, 1e-6) << pattern << " plot " << p;
    }
  }
}

TEST(ParametricSource, UnusableBandsAreNamed) {
  for (const auto& c : test::Cases("../cases5/bz", "unusable")) {
    BzFunctions bz;
    for (std::size_t k = 0; k < c[0].size(); ++k) bz(int(k) + 1) = c[0][k];
    EXPECT_EQ(UnusableBzBand(bz), c[1].is_null() ? std::nullopt : std::optional<int>(c[1].get<int>())) << c;
  }
  EXPECT_EQ(UnusableBzBandText(3, 0),
            "The band 125 Hz has the BZ function number 0. Every band between the first and the last one used "
            "needs a number from 1 to 10.");
}

// The catalogue: ten cells, each named BZ1..BZ10 at its corner, in a user
// scale 640 units wide.
TEST(BzCatalogue, TenNamedCellsInA640UnitScale) {
  const CatalogueDrawing d = DrawBzCatalogue(800, 400);
  EXPECT_DOUBLE_EQ(d.scaleHeight, 320);
  ASSERT_EQ(d.texts.size(), 12u);
  EXPECT_EQ(d.texts[2].text, "BZ1");
  EXPECT_EQ(d.texts[2].x, 3);
  EXPECT_EQ(d.texts[2].y, 110);
  EXPECT_EQ(d.texts[11].text, "BZ10");
  EXPECT_EQ(d.texts[11].x, 515);
  EXPECT_EQ(d.texts[11].y, 238);
  // The grid's left edge and the cell walls at 127, 255, 383 and 511.
  EXPECT_EQ(d.lines[3].x1 + d.lines[3].x2 + d.lines[3].y2, 0);
  EXPECT_EQ(d.lines[3].y1, 257);
  for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(d.lines[4 + i].x1, 128.0 * i - 1) << i;
  // BZ8 is a circle of radius 62 around (320, 192), drawn from its right end.
  int starts = 0;
  for (const Segment& s : d.lines) starts += s.x1 == 382 && s.y1 == 192;
  EXPECT_EQ(starts, 1);
  // Every curve stays inside its cell: 62 units around its centre at most.
  for (const Segment& s : d.lines) {
    EXPECT_TRUE(s.x1 >= 0 && s.x1 <= 639 && s.y1 >= 0 && s.y1 <= 257) << s.x1 << " " << s.y1;
  }
  // The whole drawing as the Create window shows it, kept as text: a line that
  // moves shows in the diff.
  std::vector<std::string> drawn = {test::SourceRow("scale", d.scaleWidth, d.scaleHeight)};
  for (const Segment& s : d.lines)
    drawn.push_back(test::SourceRow("line", s.x1, s.y1, s.x2, s.y2, s.red, s.green, s.blue));
  for (const CatalogueText& t : d.texts) drawn.push_back(test::SourceRow(t.text, t.x, t.y));
  test::ExpectGoldenLines(drawn, "bz-catalogue.txt");
}

}  // namespace
}  // namespace fonderel
