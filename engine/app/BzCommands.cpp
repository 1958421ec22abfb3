#include "app/BzCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/FileCommands.h"
#include "app/Startup.h"
#include "bz/ParametricSource.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

// The whole answer as a number; blanks around it are allowed.
std::optional<double> NumberOf(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  std::size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  std::string_view digits(text.data() + first, last - first + 1);
  if (digits.size() > 1 && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

void FileCreate(AppState& state, Platform& platform) {
  if (!CheckRegionalSettings(platform)) return;
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, true);
  // The catalogue is drawn by the window itself; the views make room for it.
  platform.HideViews();
  platform.ShowWindow({ViewWindow::Creation});
  state.src.DataSaved = kFalse;
}

std::string StepBzBox(const std::string& text, int step) {
  const double value = std::clamp(LeadingNumber(text) + step, 0.0, 10.0);
  return SingleText(static_cast<float>(value), Lead::None);
}

std::optional<double> TotalPowerLevel(const std::string& answer, bool loudspeaker) {
  const auto number = NumberOf(answer);
  if (!number) return std::nullopt;
  if (loudspeaker && !(*number > 0)) return std::nullopt;
  const double level = loudspeaker ? LoudspeakerPowerLevel(*number) : *number;
  // The level is kept in single precision.
  if (!std::isfinite(static_cast<float>(level))) return std::nullopt;
  return level;
}

bool CreateWindowOk(AppState& state, Platform& platform, const BzBoxes& boxes, bool loudspeaker) {
  BzFunctions bz;
  for (int k = 1; k <= kBandCount; ++k) {
    bz(k) = static_cast<float>(LeadingNumber(boxes[static_cast<std::size_t>(k - 1)]));
  }
  if (const auto band = UnusableBzBand(bz)) {
    platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning", UnusableBzBandText(*band, bz(*band)));
    return false;
  }
  platform.HideWindow({ViewWindow::Creation});
  if (BzBandRange(bz).first == 0) return false;
  std::optional<double> level;
  while (!level) {
    const auto answer =
        platform.InputBox(kPowerTitle, loudspeaker ? kLoudspeakerPowerPrompt : kNoisePowerPrompt, "");
    if (!answer) return false;
    level = TotalPowerLevel(*answer, loudspeaker);
    if (!level) {
      platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, kPowerTitle,
                           loudspeaker ? kLoudspeakerPowerRetry : kNoisePowerRetry);
    }
  }
  platform.SetBusy(true);
  CreateParametricSource(state.src, bz, loudspeaker, *level);
  state.src.DataSaved = kFalse;
  platform.SetBusy(false);
  return true;
}

}  // namespace fonderel
