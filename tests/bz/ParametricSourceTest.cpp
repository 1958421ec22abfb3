// Parametric (BZ) sources: the numbers a user finds in the created source.
// Expected values were worked out independently from the pattern table
// (1025-sample integral, pi = 3.141592654) and rounded to single precision.
#include "bz/ParametricSource.h"

#include <gtest/gtest.h>

#include "bz/BzCatalogue.h"

namespace fonderel {
namespace {

BzFunctions Patterns(std::initializer_list<float> numbers) {
  BzFunctions bz;
  int k = 1;
  for (float n : numbers) bz(k++) = n;
  return bz;
}

TEST(ParametricSource, BalloonQAndSensitivityPerPattern) {
  struct Case {
    float pattern;
    float onAxis, at90, at180, sensitivity;  // balloon at 0, 90 and 180 degrees; loudspeaker sensitivity
  };
  const Case cases[] = {
      {1, 5.0000195f, 8.848372e-39f, 5.0000195f, 100.76093f},
      {3, 3.0000072f, 1.2620255e-19f, 3.0000072f, 98.542435f},
      {6, 2.4000022f, 0.8000007f, 0.8000007f, 97.57333f},
      {7, 1.5000012f, 1.0000008f, 0.5000004f, 95.53213f},
      {8, 1.0000008f, 1.0000008f, 1.0000008f, 93.77122f},
      {9, 2.0000017f, 1.0000008f, 0.0f, 96.78152f},
      {10, 0.0f, 1.2732395f, 5.222916e-10f, 0.0f},  // no Q on the axis, so no sensitivity
  };
  for (const Case& c : cases) {
    Source src;
    CreateParametricSource(src, Patterns({c.pattern}), true, 120);
    EXPECT_FLOAT_EQ(src.DirQ(1), c.onAxis) << c.pattern;
    EXPECT_FLOAT_EQ(src.Sensitivity(1), c.sensitivity) << c.pattern;
    for (int p = 0; p < kPlots; ++p) {
      EXPECT_FLOAT_EQ(src.BalloonData(p, 0, 1), c.onAxis) << c.pattern << " plot " << p;
      // Off the axis to a millionth: near-zero values differ with the rounded pi.
      EXPECT_NEAR(src.BalloonData(p, 9, 1), c.at90, 1e-6) << c.pattern << " plot " << p;
      EXPECT_NEAR(src.BalloonData(p, 18, 1), c.at180, 1e-6) << c.pattern << " plot " << p;
      EXPECT_NEAR(src.BalloonData(p, 27, 1), c.at90, 1e-6) << c.pattern << " plot " << p;
    }
  }
}

TEST(ParametricSource, UnusableBandsAreNamed) {
  struct Case {
    BzFunctions bz;
    std::optional<int> band;
  };
  const Case cases[] = {
      {Patterns({0, 3, 0, 3}), 3},   {Patterns({0, 3, 11}), 3},        {Patterns({2.5f}), 1},
      {Patterns({1, -2, 1}), 2},     {Patterns({0, 0, 10, 0, 0}), {}}, {Patterns({}), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(UnusableBzBand(c.bz), c.band);
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
}

}  // namespace
}  // namespace fonderel
