// ResetSource: it empties the whole description and the measurement data,
// hides the views, disables View Geometry and clears the caption.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "core/AppState.h"
#include "core/EmptySource.h"
#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

// A description (header, bands, balloon), geometry counts and measurement data.
// The geometry arrays stay: each reader fills them for the counts it sets.
void Fill(AppState& st) {
  test::RecordingPlatform reading;
  ASSERT_TRUE(ReadSpkFile(st, reading, test::DataPath("LOUD_3_8.SPK")));
  st.src.NFaces = 100;
  st.src.NHoles = st.src.NDoors = 50;
  st.src.SourceFile = "/A/HORN.SPK";
  st.src.DataSaved = kFalse;
  st.MicLp.Fill(73.5f);
  st.SelectedBand = 7;
  st.LastRefreshTime = 3600;
}

TEST(ResetSource, EmptiesTheDescription) {
  for (const bool clearPicture : {false, true}) {
    SCOPED_TRACE(clearPicture ? "clearing the picture" : "keeping the picture");
    auto st = std::make_unique<AppState>();
    ASSERT_NO_FATAL_FAILURE(Fill(*st));
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
