// ResetSource: it empties the whole description and the measurement data,
// hides the views, disables View Geometry and clears the caption.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "core/AppState.h"
#include "core/EmptySource.h"
#include "support/RecordingPlatform.h"

namespace fonderel {
namespace {

void Fill(AppState& st) {
  Source& s = st.src;
  s.SourceName = "Horn";
  s.Manufacturer = "Acme";
  s.SourceDate = "01-02-2024";
  s.SourceTime = "10:00:00";
  s.SourceFile = "/A/HORN.SPK";
  s.FirstBand = 1;
  s.LastBand = s.CurBand = s.BandCount = 10;
  for (int b = 1; b <= kBandCount; ++b) {
    s.BandPresent(b) = kTrue;
    s.Impedance(b) = s.Efficiency(b) = s.Lw(b) = s.DirQ(b) = s.Sensitivity(b) =
        static_cast<float>(b);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) s.BalloonData(p, k, b) = 1.5f;
  }
  s.SourceKind = 1;
  s.NFaces = 100;
  s.NHoles = 50;
  s.NDoors = 50;
  s.DataSaved = kFalse;
  st.MicLp.Fill(73.5f);
  st.SelectedBand = 7;
  st.LastRefreshTime = 3600;
}

TEST(ResetSource, EmptiesTheDescription) {
  for (const bool clearPicture : {false, true}) {
    SCOPED_TRACE(clearPicture ? "clearing the picture" : "keeping the picture");
    auto st = std::make_unique<AppState>();
    Fill(*st);
    test::RecordingPlatform platform;
    ResetSource(*st, platform, clearPicture);

    test::ExpectEmptySource(st->src);
    EXPECT_EQ(std::make_tuple(st->src.SourceFile, st->src.DataSaved), std::make_tuple("", kTrue));
    EXPECT_TRUE(st->MicLp == (Indexed2<float, 0, 100, 0, kBandCount>{}));
    EXPECT_EQ(std::make_tuple(st->SelectedBand, st->LastRefreshTime), std::make_tuple(1.0f, 0.0f));

    for (const char* call : {"ViewGeometry off", "HideViews", "Caption Fonderel "})
      EXPECT_TRUE(platform.Called(call)) << call;
    EXPECT_EQ(platform.Called("ClearPicture"), clearPicture);
  }
}

}  // namespace
}  // namespace fonderel
