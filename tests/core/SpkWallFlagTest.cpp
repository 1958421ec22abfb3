// WALL_NO_OPENINGS.SPK: a bare wall, a plain triangle, another bare wall.
// Faces inside " Wall" ... " End" keep the wall flag, so the file is written
// back byte for byte.
#include <gtest/gtest.h>

#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

TEST(SpkWallFlag, WallWithoutOpeningsRoundTrips) {
  AppState state;
  test::RecordingPlatform platform;
  const std::string golden = test::DataPath("WALL_NO_OPENINGS.SPK");
  ASSERT_TRUE(ReadSpkFile(state, platform, golden));
  ASSERT_EQ(state.src.NFaces, 3);
  const std::int16_t wall[] = {kTrue, kFalse, kTrue};
  for (int f = 1; f <= 3; ++f) EXPECT_EQ(state.src.FaceIsWall(f), wall[f - 1]) << f;
  test::TempDir dir;
  std::string path = dir / "WALL.SPK";
  ASSERT_TRUE(WriteSpkFile(state, platform, path));
  EXPECT_EQ(test::Slurp(path), test::Slurp(golden));
}

}  // namespace
}  // namespace fonderel
