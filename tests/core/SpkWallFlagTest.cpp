// Wall faces without openings: a face inside a " Wall" ... " End" block keeps
// its wall flag on reading, so a read-write round trip keeps the block.
#include <gtest/gtest.h>

#include <string>

#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::TempDir;

// WALL_NO_OPENINGS.SPK: a wall without openings, a plain triangle, another
// bare wall. The wall flags read, then the file written back unchanged.
TEST(SpkWallFlag, WallWithoutOpeningsRoundTrips) {
  const struct {
    int face;
    std::int16_t num, wall;
  } cases[] = {{1, 1, kTrue}, {2, 2, kFalse}, {3, 3, kTrue}};
  AppState state;
  RecordingPlatform platform;
  const std::string golden = DataPath("WALL_NO_OPENINGS.SPK");
  const auto read = ReadSpkFile(state, platform, golden);
  ASSERT_TRUE(read) << read.error().Text();
  ASSERT_EQ(state.src.NFaces, 3);
  EXPECT_EQ(state.src.NHoles + state.src.NDoors, 0);
  for (const auto& c : cases) {
    SCOPED_TRACE("face " + std::to_string(c.face));
    EXPECT_EQ(state.src.FaceNum(c.face), c.num);
    EXPECT_EQ(state.src.FaceIsWall(c.face), c.wall);
    EXPECT_EQ(state.src.FaceHasOpenings(c.face), kFalse);
  }
  TempDir dir;
  std::string path = dir / "WALL.SPK";
  ASSERT_TRUE(WriteSpkFile(state, platform, path));
  EXPECT_EQ(Slurp(path), Slurp(golden));
}

}  // namespace
}  // namespace fonderel
