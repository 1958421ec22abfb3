#include "core/AppState.h"
#include "views/RefreshViews.h"

namespace fonderel {

std::string Caption(const Source& src) { return "Fonderel " + src.SourceFile; }

void ResetSource(AppState& state, Platform& platform, bool clearPicture) {
  Source& src = state.src;
  platform.SetViewGeometryEnabled(false);
  state.MicLp.Fill(0.0f);
  state.Iso.Background = Measurement::NoBackground();
  for (int b = 1; b <= kBandCount; ++b) {
    src.BalloonData.ClearBand(b);
    src.Sensitivity(b) = src.Impedance(b) = src.Efficiency(b) = src.Lw(b) = src.DirQ(b) = 0.0f;
    src.BandPresent(b) = kFalse;
  }
  src.BandCount = 0;
  src.CurBand = 0;
  src.SourceKind = 0.0f;
  state.LastRefreshTime = 0.0f;
  state.SelectedBand = 1.0f;
  src.SourceFile.clear();
  src.SourceName.clear();
  src.Manufacturer.clear();
  src.SourceDate.clear();
  src.SourceTime.clear();
  src.FirstBand = 0;
  src.LastBand = 0;
  src.NFaces = 0;
  src.NHoles = 0;
  src.NDoors = 0;
  // The centre of a measured noise source belongs to that source only.
  state.Iso.SrcX = state.Iso.SrcY = state.Iso.SrcZ = 0.0f;
  platform.HideViews();
  ShowEmptySource(state, platform);
  if (clearPicture) platform.ClearPicture();
  platform.SetCaption(Caption(src));
  src.DataSaved = kTrue;
  platform.ProcessEvents();
}

}  // namespace fonderel
