// Which bands the datasheet shows.
#include <gtest/gtest.h>

#include <vector>

#include "app/DatasheetExport.h"

namespace fonderel {
namespace {

TEST(DatasheetBands, NearestOneKilohertzAndTheOverlaidBands) {
  struct Case {
    int first, last, chosen;
    int band;                   // DatasheetBand
    std::vector<int> overlaid;  // DatasheetPolarBands(chosen)
  } const cases[] = {
      {3, 8, 6, 6, {3, 6, 8}},    // 1 kHz held
      {1, 4, 4, 4, {1, 3, 4}},    // a low source: 250 Hz; the chosen band is the highest
      {7, 10, 7, 7, {7, 9, 10}},  // a high source: 2 kHz
      {5, 7, 5, 6, {5, 6, 7}},    // three bands: all of them
      {0, 0, 0, 0, {}},           // no data
  };
  for (const Case& c : cases) {
    Source src;
    src.FirstBand = static_cast<std::int16_t>(c.first);
    src.LastBand = static_cast<std::int16_t>(c.last);
    for (int b = c.first; b >= 1 && b <= c.last; ++b) src.BandPresent(b) = kTrue;
    EXPECT_EQ(DatasheetBand(src), c.band) << c.first;
    EXPECT_EQ(DatasheetPolarBands(src, c.chosen), c.overlaid) << c.first;
  }
}

}  // namespace
}  // namespace fonderel
