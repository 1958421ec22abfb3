// The Header window's edits: name and manufacturer, and the band check of
// the first and last band fields with its input box.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/HeaderEditing.h"
#include "core/NumberText.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;

const std::string kAsk = std::string("InputBox ") + kBandAskTitle + "|" + kBandAskPrompt;

struct Session {
  AppState state;
  RecordingPlatform platform;
};

// LOUD_3_8.SPK: bands 3..8 (125 Hz .. 4000 Hz), saved.
std::unique_ptr<Session> Loaded() {
  auto s = std::make_unique<Session>();
  EXPECT_TRUE(ReadSpkFile(s->state, s->platform, DataPath("LOUD_3_8.SPK")));
  s->state.src.DataSaved = kTrue;
  s->platform.calls.clear();
  return s;
}

int Asked(const RecordingPlatform& platform) {
  int n = 0;
  for (const std::string& c : platform.calls) n += c == kAsk;
  return n;
}

TEST(HeaderEditing, LeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"2000 Hz", 2000}, {"  31.5", 31.5}, {"31,5", 31},  {"abc", 0}, {"", 0},
      {"-3x", -3},       {"inf", 0},       {"nan", 0},    {"0x10", 0}, {".5 Hz", 0.5},
      {"1e999", 0},      {"\t63", 63},     {"+1000 Hz", 1000},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

// Each case: the field, what was typed, the answers of the input box (nullopt:
// Cancel); then the range, the field text, how often the box asked and whether
// the data became unsaved. A cancelled box keeps the range and shows the band
// the field had; it is not asked again.
TEST(HeaderEditing, BandCheck) {
  const std::optional<std::string> cancel;
  const struct {
    BandField field;
    const char* typed;
    std::vector<std::optional<std::string>> inputs;
    int first, last;
    const char* shown;
    int asked;
  } cases[] = {
      {BandField::HiBand, "1000", {}, 3, 6, " 1000 Hz", 0},
      {BandField::HiBand, "2000 Hz", {}, 3, 7, " 2000 Hz", 0},
      {BandField::HiBand, " 16000", {}, 3, 10, " 16000 Hz", 0},
      {BandField::HiBand, "125", {}, 3, 3, " 125 Hz", 0},
      {BandField::HiBand, "1100", {"1000"}, 3, 6, " 1000 Hz", 1},
      {BandField::HiBand, "1100", {"999", "abc", "8000 Hz"}, 3, 9, " 8000 Hz", 3},
      {BandField::HiBand, "63", {"4000"}, 3, 8, " 4000 Hz", 1},  // below the first band
      {BandField::LoBand, "31.5", {}, 1, 8, " 31.5 Hz", 0},
      {BandField::LoBand, "31,5", {"250"}, 4, 8, " 250 Hz", 1},
      {BandField::LoBand, "8000", {"4000"}, 8, 8, " 4000 Hz", 1},  // above the last band
      {BandField::LoBand, "", {"500 Hz"}, 5, 8, " 500 Hz", 1},
      {BandField::LoBand, "1100", {cancel, "1000"}, 3, 8, " 125 Hz", 1},
      {BandField::HiBand, "1100", {cancel, "1000"}, 3, 8, " 4000 Hz", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field == BandField::LoBand ? "LoBand " : "HiBand ") + c.typed);
    auto s = Loaded();
    s->state.src.Lw(8) = 97.5f;
    s->platform.inputs.assign(c.inputs.begin(), c.inputs.end());
    EXPECT_EQ(CheckBandField(s->state, s->platform, c.field, c.typed), c.shown);
    EXPECT_EQ(Asked(s->platform), c.asked);
    EXPECT_EQ(s->state.src.FirstBand, c.first);
    EXPECT_EQ(s->state.src.LastBand, c.last);
    for (int b = 1; b <= kBandCount; ++b) {
      EXPECT_EQ(s->state.src.BandPresent(b) != 0, b >= c.first && b <= c.last) << "band " << b;
    }
    // Only a changed range counts as an edit.
    EXPECT_EQ(s->state.src.DataSaved, c.first == 3 && c.last == 8 ? kTrue : kFalse);
    EXPECT_EQ(s->state.src.Lw(8), 97.5f);  // the data outside the range stay
  }
  // Without data nothing is asked and nothing changes.
  for (const BandField field : {BandField::LoBand, BandField::HiBand}) {
    AppState state;
    RecordingPlatform platform;
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
  auto s = Loaded();
  const Source before = s->state.src;
  EXPECT_EQ(CheckBandField(s->state, s->platform, BandField::HiBand, "1000"), " 1000 Hz");
  EXPECT_EQ(CheckBandField(s->state, s->platform, BandField::HiBand, "4000 Hz"), " 4000 Hz");
  EXPECT_EQ(s->state.src.LastBand, 8);
  for (int b = 3; b <= 8; ++b) EXPECT_EQ(s->state.src.Lw(b), before.Lw(b));
  EXPECT_TRUE(s->state.src.BalloonData == before.BalloonData);
}

TEST(HeaderEditing, NameAndManufacturer) {
  auto s = Loaded();
  HeaderNameEdited(s->state, "Horn 90x40");
  EXPECT_EQ(s->state.src.SourceName, "Horn 90x40");
  EXPECT_EQ(s->state.src.DataSaved, kFalse);
  s->state.src.DataSaved = kTrue;
  HeaderManufacturerEdited(s->state, "");
  EXPECT_EQ(s->state.src.Manufacturer, "");
  EXPECT_EQ(s->state.src.DataSaved, kFalse);
  EXPECT_EQ(s->state.src.SourceName, "Horn 90x40");
}

}  // namespace
}  // namespace fonderel
