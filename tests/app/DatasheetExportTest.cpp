// Which bands the datasheet shows.
#include "app/CaseData.h"
#include "app/DatasheetExport.h"

namespace fonderel {
namespace {

TEST(DatasheetBands, NearestOneKilohertzAndTheOverlaidBands) {
  for (const auto& c : test::Cases("DatasheetExport", "Bands")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    Source src;
    src.FirstBand = c["first"].get<std::int16_t>();
    src.LastBand = c["last"].get<std::int16_t>();
    for (int b = src.FirstBand; b >= 1 && b <= src.LastBand; ++b) src.BandPresent(b) = kTrue;
    EXPECT_EQ(DatasheetBand(src), c["band"]);
    EXPECT_EQ(DatasheetPolarBands(src, c["chosen"]), c["overlaid"].get<std::vector<int>>());
  }
}

}  // namespace
}  // namespace fonderel
