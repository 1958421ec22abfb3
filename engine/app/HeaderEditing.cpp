#include "app/HeaderEditing.h"

#include "core/NumberText.h"
#include "views/RefreshViews.h"

namespace fonderel {

void HeaderNameEdited(AppState& state, const std::string& text) {
  state.src.SourceName = text;
  state.src.DataSaved = kFalse;
}

void HeaderManufacturerEdited(AppState& state, const std::string& text) {
  state.src.Manufacturer = text;
  state.src.DataSaved = kFalse;
}

std::string CheckBandField(AppState& state, Platform& platform, BandField field,
                           std::string text) {
  Source& src = state.src;
  const bool lo = field == BandField::LoBand;
  if (!src.HasData()) return lo ? kEmptyLoBand : kEmptyHiBand;
  int band = 0;
  while (true) {
    band = BandOfFrequency(LeadingNumber(text));
    const bool outOfOrder = lo ? band > src.LastBand : band < src.FirstBand;
    if (band != 0 && !outOfOrder) break;
    auto answer = platform.InputBox(kBandAskTitle, kBandAskPrompt, "");
    // A cancelled box would otherwise ask for ever: the range stays as it was.
    if (!answer) return BandLabel(lo ? src.FirstBand : src.LastBand);
    text = *answer;
  }
  std::int16_t& end = lo ? src.FirstBand : src.LastBand;
  // The check also runs whenever the field merely loses the focus: only a
  // range that really changed counts as an edit.
  if (end != band) src.DataSaved = kFalse;
  end = static_cast<std::int16_t>(band);
  for (int b = 1; b <= kBandCount; ++b) {
    src.BandPresent(b) = (b >= src.FirstBand && b <= src.LastBand) ? 1 : kFalse;
  }
  return BandLabel(band);
}

}  // namespace fonderel
