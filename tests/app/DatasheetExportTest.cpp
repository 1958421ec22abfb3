// Which bands the datasheet shows.
#include <gtest/gtest.h>

#include <vector>

#include "app/DatasheetExport.h"

namespace fonderel {
namespace {

Source Bands(int first, int last) {
  Source src;
  src.FirstBand = static_cast<std::int16_t>(first);
  src.LastBand = static_cast<std::int16_t>(last);
  for (int b = first; b >= 1 && b <= last; ++b) src.BandPresent(b) = kTrue;
  return src;
}

TEST(DatasheetBands, NearestOneKilohertzAndTheOverlaidBands) {
  struct Case {
    int first, last, chosen;
    int band;                  // DatasheetBand
    std::vector<int> overlaid;  // DatasheetPolarBands(chosen)
  };
  const Case cases[] = {
      {3, 8, 6, 6, {3, 6, 8}},    // 1 kHz held
      {1, 4, 4, 4, {1, 3, 4}},    // a low source: 250 Hz; the chosen band is the highest
      {7, 10, 7, 7, {7, 9, 10}},  // a high source: 2 kHz
      {5, 7, 5, 6, {5, 6, 7}},    // three bands: all of them
      {9, 9, 9, 9, {9}},
      {0, 0, 0, 0, {}},           // no data
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
    const Source src = Bands(c.first, c.last);
    EXPECT_EQ(DatasheetBand(src), c.band);
    EXPECT_EQ(DatasheetPolarBands(src, c.chosen), c.overlaid);
  }
  // Bands 5 and 7 held but not 6: the lower of the two nearest.
  Source gap = Bands(5, 7);
  gap.BandPresent(6) = kFalse;
  EXPECT_EQ(DatasheetBand(gap), 5);
}

}  // namespace
}  // namespace fonderel
