// ResetSource: what it empties, in which order it talks to the desktop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/AppState.h"
#include "support/RecordingPlatform.h"

namespace fonderel {
namespace {

// Records, with each call, whether the data were already gone.
class ProbePlatform : public test::RecordingPlatform {
 public:
  explicit ProbePlatform(const AppState& state) : state_(state) {}
  void SetViewGeometryEnabled(bool on) override {
    Note(on ? "ViewGeometry on" : "ViewGeometry off");
  }
  void HideViews() override { Note("HideViews"); }
  void ClearPicture() override { Note("ClearPicture"); }
  void SetCaption(const std::string& caption) override { Note("Caption " + caption); }
  void ProcessEvents() override { Note("ProcessEvents"); }

 private:
  void Note(const std::string& call) {
    const Source& s = state_.src;
    const bool empty = s.FirstBand == 0 && s.SourceName.empty() && s.NFaces == 0 && s.Lw(10) == 0 &&
                       state_.MicLp(100, 10) == 0;
    calls.push_back(call + (empty ? " [empty]" : " [data]"));
  }
  const AppState& state_;
};

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

TEST(ResetSource, EmptiesTheDescriptionInOrder) {
  for (const bool clearPicture : {false, true}) {
    SCOPED_TRACE(clearPicture ? "clearing the picture" : "keeping the picture");
    auto st = std::make_unique<AppState>();
    Fill(*st);
    ProbePlatform platform(*st);
    ResetSource(*st, platform, clearPicture);

    const Source& s = st->src;
    const Source fresh;
    const std::string none;
    EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime, s.SourceFile),
              std::tie(none, none, none, none, none));
    EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount, s.CurBand, s.NFaces, s.NHoles,
                              s.NDoors, s.SourceKind, s.DataSaved),
              std::make_tuple(0, 0, 0, 0, 0, 0, 0, 0.0f, kTrue));
    EXPECT_TRUE(s.BandPresent == fresh.BandPresent && s.Impedance == fresh.Impedance &&
                s.Efficiency == fresh.Efficiency && s.DirQ == fresh.DirQ &&
                s.Sensitivity == fresh.Sensitivity && s.BalloonData == fresh.BalloonData);
    for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(s.Lw(b), 0.0f) << b;
    EXPECT_TRUE(st->MicLp == (Indexed2<float, 0, 100, 0, kBandCount>{}));
    EXPECT_EQ(std::make_tuple(st->SelectedBand, st->LastRefreshTime), std::make_tuple(1.0f, 0.0f));

    std::vector<std::string> want = {"ViewGeometry off [data]", "HideViews [empty]"};
    if (clearPicture) want.push_back("ClearPicture [empty]");
    want.push_back("Caption Fonderel  [empty]");
    want.push_back("ProcessEvents [empty]");
    EXPECT_EQ(platform.calls, want);
  }
}

}  // namespace
}  // namespace fonderel
