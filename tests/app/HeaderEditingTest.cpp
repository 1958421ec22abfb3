// The Header window's edits: name and manufacturer, and the band check of
// the first and last band fields with its input box.
#include "app/HeaderEditing.h"

#include "app/CaseData.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

using Loaded = test::LoadedSource<>;

TEST(HeaderEditing, LeadingNumber) {
  for (const auto& c : test::Cases("HeaderEditing", "LeadingNumber"))
    EXPECT_EQ(LeadingNumber(c[0].get<std::string>()), c[1].get<double>()) << c[0];
}

// Each case: the field, what was typed, the answers of the input box (null:
// Cancel); then the range, the field text and how often the box asked. A
// cancelled box keeps the range and shows the band the field had; it is not
// asked again. Only a changed range counts as an edit.
TEST(HeaderEditing, BandCheck) {
  const std::string ask = std::string("InputBox ") + kBandAskTitle + "|" + kBandAskPrompt;
  for (const auto& c : test::Cases("HeaderEditing", "BandCheck")) {
    SCOPED_TRACE(c.dump());
    Loaded s;
    s.state.src.Lw(8) = 97.5f;
    for (const auto& input : c["inputs"])
      s.platform.inputs.push_back(input.is_null() ? std::nullopt
                                                  : std::optional(input.get<std::string>()));
    const BandField field = c["field"] == "Lo" ? BandField::LoBand : BandField::HiBand;
    EXPECT_EQ(CheckBandField(s.state, s.platform, field, c["typed"]), c["shown"]);
    EXPECT_EQ(std::count(s.platform.calls.begin(), s.platform.calls.end(), ask), c["asked"]);
    const int first = c["first"], last = c["last"];
    EXPECT_EQ(s.state.src.FirstBand, first);
    EXPECT_EQ(s.state.src.LastBand, last);
    for (int b = 1; b <= kBandCount; ++b)
      EXPECT_EQ(s.state.src.BandPresent(b) != 0, b >= first && b <= last) << "band " << b;
    EXPECT_EQ(s.state.src.DataSaved, first == 3 && last == 8 ? kTrue : kFalse);
    EXPECT_EQ(s.state.src.Lw(8), 97.5f);  // the data outside the range stay
  }
  // Without data nothing is asked and nothing changes.
  for (const BandField field : {BandField::LoBand, BandField::HiBand}) {
    AppState state;
    test::RecordingPlatform platform;
    EXPECT_EQ(CheckBandField(state, platform, field, "1100"),
              field == BandField::LoBand ? "31.5 Hz" : "16000 Hz");
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(state.src.LastBand, 0);
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_EQ(state.src.BandPresent(5), 0);
  }
}

// Narrowing and widening the range again brings the earlier band data back.
TEST(HeaderEditing, BandDataSurviveNarrowing) {
  Loaded s;
  const Source before = s.state.src;
  EXPECT_EQ(CheckBandField(s.state, s.platform, BandField::HiBand, "1000"), " 1000 Hz");
  EXPECT_EQ(CheckBandField(s.state, s.platform, BandField::HiBand, "4000 Hz"), " 4000 Hz");
  EXPECT_EQ(s.state.src.LastBand, 8);
  for (int b = 3; b <= 8; ++b) EXPECT_EQ(s.state.src.Lw(b), before.Lw(b));
  EXPECT_TRUE(s.state.src.BalloonData == before.BalloonData);
}

TEST(HeaderEditing, NameAndManufacturer) {
  Loaded s;
  HeaderNameEdited(s.state, "Horn 90x40");
  EXPECT_EQ(s.state.src.SourceName, "Horn 90x40");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  s.state.src.DataSaved = kTrue;
  HeaderManufacturerEdited(s.state, "");
  EXPECT_EQ(s.state.src.Manufacturer, "");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  EXPECT_EQ(s.state.src.SourceName, "Horn 90x40");
}

}  // namespace
}  // namespace fonderel
