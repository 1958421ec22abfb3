// The CAD geometry reader: what a user finds in the description after
// attaching a ".ray" file, and the files it refuses.
#include "geometry/RayFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "app/CaseData.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

// The shortest text of a number ("-0.5", "8", "-0.19999999").
template <typename T>
std::string N(T value) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

std::string Point(float x, float y, float z) { return " (" + N(x) + " " + N(y) + " " + N(z) + ")"; }

// The geometry as lines of text: one line per face, hole and door with its
// two integers, vertex count, flags or carrying face, and vertices.
template <typename Ints, typename Coords>
void Polygons(std::string& out, const char* kind, int count, const Ints& num, const Ints& mat, const Ints& nvert,
              const Coords& x, const Coords& y, const Coords& z, auto&& flags) {
  for (int i = 1; i <= count; ++i) {
    out += std::string(kind) + " " + N(num(i)) + " " + N(mat(i)) + " " + N(nvert(i)) + flags(i) + ":";
    for (int v = 1; v <= nvert(i); ++v) out += Point(x(i, v), y(i, v), z(i, v));
    out += "\n";
  }
}

std::string GeometryText(const Source& s) {
  std::string out;
  Polygons(out, "face", s.NFaces, s.FaceNum, s.FaceMat, s.FaceNVert, s.FaceX, s.FaceY, s.FaceZ, [&](int f) {
    return std::string(s.FaceIsWall(f) ? " wall" : "") + (s.FaceHasOpenings(f) ? " openings" : "");
  });
  Polygons(out, "hole", s.NHoles, s.HoleNum, s.HoleMat, s.HoleNVert, s.HoleX, s.HoleY, s.HoleZ,
           [&](int h) { return " on " + N(s.HoleFace(h)); });
  Polygons(out, "door", s.NDoors, s.DoorNum, s.DoorMat, s.DoorNVert, s.DoorX, s.DoorY, s.DoorZ,
           [&](int d) { return " on " + N(s.DoorFace(d)); });
  return out;
}

std::string BoxText(const Source& s) {
  return N(s.GeoMinX) + " " + N(s.GeoMinY) + " " + N(s.GeoMinZ) + " .. " + N(s.GeoMaxX) + " " + N(s.GeoMaxY) + " " +
         N(s.GeoMaxZ);
}

// A cabinet with a wall carrying a hole and a door, a triangle roof and a
// six-point floor; two sources (the first at 1 2 3) and a receiver.
TEST(RayFile, CabinetIsMovedToTheFirstSourceAndSplit) {
  Source src;
  test::RecordingPlatform platform;
  auto points = ReadRayFile(src, platform, test::DataPath("geometry/CABINET.RAY"));
  ASSERT_TRUE(points) << points.error().Text();
  EXPECT_EQ(GeometryText(src), test::Slurp(test::DataPath("cases5/cabinet_geometry.txt")));
  // Faces, sources and receivers widen the box in file coordinates; holes do not.
  EXPECT_EQ(BoxText(src), "-1 -1 -1 .. 5 2 4");
  EXPECT_EQ(points->NSources, 2);
  EXPECT_EQ(Point(points->CadSrcX(2), points->CadSrcY(2), points->CadSrcZ(2)), " (-1 -1 -1)");
  EXPECT_EQ(points->NReceivers, 1);
  EXPECT_EQ(Point(points->RecX(1), points->RecY(1), points->RecZ(1)), " (5 0.5 0.5)");
  EXPECT_TRUE(platform.Called(
      "ShowMessage Warning !|Not supported number of vertexes ( 6 ) for face N. 3\rThis face will be splitted in "
      "4-vertexes subfaces!"));
}

// Cases in tests/data/cases5/ray.json: known records as [file, geometry,
// sources, receivers]; refused files as [head, line, times, tail, error].
TEST(RayFile, RecordsAreKnownByTheirFirstThreeLetters) {
  for (const auto& c : test::Cases("../cases5/ray", "known")) {
    Source src;
    test::RecordingPlatform platform;
    const std::string file = c[0];
    auto points = ReadRayBytes(src, platform, file, "T.RAY");
    ASSERT_TRUE(points) << file << ": " << points.error().Text();
    EXPECT_EQ(GeometryText(src), c[1].get<std::string>()) << file;
    EXPECT_EQ(points->NSources, c[2].get<int>()) << file;
    EXPECT_EQ(points->NReceivers, c[3].get<int>()) << file;
  }
}

TEST(RayFile, RefusedFilesLeaveTheGeometryAsItWas) {
  std::vector<std::pair<std::string, std::string>> cases = {
      {std::string("FACE 1 1 3 0 0 0 1 0 0 0 1 \xff") + '\0', "T.RAY, line 1: expected a number, found \"\\xFF\\x00\""}};
  for (const auto& c : test::Cases("../cases5/ray", "refused")) {
    std::string file = c[0];
    for (int i = 0; i < c[2].get<int>(); ++i) file += c[1].get<std::string>();
    cases.emplace_back(file + c[3].get<std::string>(), c[4]);
  }
  for (const auto& [file, error] : cases) {
    Source src;
    test::RecordingPlatform platform;
    ASSERT_TRUE(ReadRayBytes(src, platform, "SOURCE 0 0 -1\nWALL\nFACE 4 4 3 1 1 1 2 2 2 3 3 3\nHOLE 1 1 1 5 5 5\n", "OLD.RAY"));
    const Source before = src;
    auto points = ReadRayBytes(src, platform, file, "T.RAY");
    ASSERT_FALSE(points) << error;
    EXPECT_EQ(points.error().Text(), error);
    EXPECT_FALSE(points.error().cancelled);
    EXPECT_EQ(GeometryText(src), GeometryText(before)) << error;
    EXPECT_EQ(BoxText(src), BoxText(before)) << error;
  }
}

// A dialog's pattern or a missing file reads nothing; a file without
// geometry records empties the geometry and leaves the box as nothing seen.
TEST(RayFile, PatternsMissingFilesAndEmptyFiles) {
  const std::string empty = ::testing::TempDir() + "/EMPTY.RAY";
  test::Spit(empty, "; nothing but a comment\r\n");
  for (const std::string& path : {std::string("*.ray"), std::string("*.*"), std::string("/nonexistent/NO.RAY"), empty}) {
    Source src;
    src.NFaces = 3;
    test::RecordingPlatform platform;
    auto points = ReadRayFile(src, platform, path);
    EXPECT_EQ(points.has_value(), path == empty) << path;
    EXPECT_EQ(!points && points.error().cancelled, path.starts_with("*")) << path;
    EXPECT_EQ(src.NFaces, path == empty ? 0 : 3) << path;
    EXPECT_EQ(BoxText(src), path == empty ? "10000 10000 10000 .. -10000 -10000 -10000" : "0 0 0 .. 0 0 0") << path;
  }
}

}  // namespace
}  // namespace fonderel
