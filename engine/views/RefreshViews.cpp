#include "views/RefreshViews.h"

#include <cmath>

#include "core/NumberText.h"

namespace fonderel {

std::string BandLabel(int band) { return SingleText(BandFreq(band)) + " Hz"; }

double SecondsSince(double earlier, double now) {
  constexpr double kDay = 86400.0;
  const double elapsed = now - earlier;
  return elapsed < 0 ? elapsed + kDay : elapsed;
}

void RefreshViews(AppState& state, Platform& platform) {
  const double now = platform.ClockSeconds();
  if (SecondsSince(state.LastRefreshTime, now) <= 0.5) return;
  state.LastRefreshTime = static_cast<float>(now);
  const Source& src = state.src;
  if (!src.HasData()) return;

  platform.SetHeaderFields(
      {src.SourceName, src.Manufacturer, BandLabel(src.FirstBand), BandLabel(src.LastBand)});

  if (state.SelectedBand < src.FirstBand) {
    state.SelectedBand = src.FirstBand;
  } else if (state.SelectedBand > src.LastBand) {
    state.SelectedBand = src.LastBand;
  }
}

}  // namespace fonderel
