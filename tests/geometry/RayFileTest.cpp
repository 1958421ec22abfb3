// The CAD geometry reader: what a user finds in the description after
// attaching a ".ray" file, and the files it refuses.
#include "geometry/RayFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

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
std::string GeometryText(const Source& s) {
  std::string out;
  for (int f = 1; f <= s.NFaces; ++f) {
    out += "face " + N(s.FaceNum(f)) + " " + N(s.FaceMat(f)) + " " + N(s.FaceNVert(f)) +
           (s.FaceIsWall(f) ? " wall" : "") + (s.FaceHasOpenings(f) ? " openings" : "") + ":";
    for (int v = 1; v <= s.FaceNVert(f); ++v) out += Point(s.FaceX(f, v), s.FaceY(f, v), s.FaceZ(f, v));
    out += "\n";
  }
  for (int h = 1; h <= s.NHoles; ++h) {
    out += "hole " + N(s.HoleNum(h)) + " " + N(s.HoleMat(h)) + " " + N(s.HoleNVert(h)) + " on " + N(s.HoleFace(h)) + ":";
    for (int v = 1; v <= s.HoleNVert(h); ++v) out += Point(s.HoleX(h, v), s.HoleY(h, v), s.HoleZ(h, v));
    out += "\n";
  }
  for (int d = 1; d <= s.NDoors; ++d) {
    out += "door " + N(s.DoorNum(d)) + " " + N(s.DoorMat(d)) + " " + N(s.DoorNVert(d)) + " on " + N(s.DoorFace(d)) + ":";
    for (int v = 1; v <= s.DoorNVert(d); ++v) out += Point(s.DoorX(d, v), s.DoorY(d, v), s.DoorZ(d, v));
    out += "\n";
  }
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
  EXPECT_EQ(GeometryText(src),
            "face 1 7 4 wall openings: (-1 -2 -3) (1 -2 -3) (1 -2 1) (-1 -2 1)\n"
            "face 2 7 3: (-1 -2 1) (1 -2 1) (1 0 1)\n"
            "face 3 7 4: (-1 -2 -3) (0 -2 -3) (1 -2 -3) (2 -1 -3)\n"
            "face 3 7 4: (-1 -2 -3) (2 -1 -3) (1 0 -3) (0 0 -3)\n"
            "hole 1 8 3 on 1: (0 -2 -2) (8 -2 -2) (0 -2 -1)\n"
            "door 2 9 4 on 1: (-0.5 -2 -3) (-0.19999999 -2 -3) (-0.19999999 -2 -2) (-0.5 -2 -2)\n");
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

TEST(RayFile, RecordsAreKnownByTheirFirstThreeLetters) {
  struct Case {
    const char* file;
    const char* geometry;
    int sources, receivers;
  };
  const Case cases[] = {
      {"face 1 2 3 0 0 0 1 0 0 0 1 0\nFACE 2 2 3, 0,0,0, 1,0,0, 0,1,0\n  Facet 3 2 3 0 0 0 1 0 0 0 1 0\n",
       "face 1 2 3: (0 0 0) (1 0 0) (0 1 0)\nface 2 2 3: (0 0 0) (1 0 0) (0 1 0)\nface 3 2 3: (0 0 0) (1 0 0) (0 1 0)\n",
       0, 0},
      {"source 1 1 1 0 0 0 9 A\r\nspeaker 2 2 2 0 0 0 9 B\r\nSou 3 3 3\r\n", "", 3, 0},
      {"receiver 1 2 3 0 0 0\nRec 4 5 6\nRAY 1 2 3 4 5 6\nRA 1\n", "", 0, 2},
      {"fa 1 2 3 0 0 0 1 0 0 0 1 0\n* face\nvertex 1 2 3\n\n   \n", "", 0, 0},
      {"", "", 0, 0},
      // Six points split into a fan; seven leave a three-vertex subface that repeats its last point.
      {"WALL\nFACE 9 4 7 1 0 0 2 0 0 3 0 0 4 0 0 5 0 0 6 0 0 7 0 0\nEND\n",
       "face 9 4 4 wall: (1 0 0) (2 0 0) (3 0 0) (4 0 0)\nface 9 4 4 wall: (1 0 0) (4 0 0) (5 0 0) (6 0 0)\n"
       "face 9 4 3 wall: (1 0 0) (6 0 0) (7 0 0)\n",
       0, 0},
      // A file without a source keeps the coordinates as they are.
      {"FACE 1 1 3 7 8 9 7 8 10 7 9 9\n", "face 1 1 3: (7 8 9) (7 8 10) (7 9 9)\n", 0, 0},
  };
  for (const Case& c : cases) {
    Source src;
    test::RecordingPlatform platform;
    auto points = ReadRayBytes(src, platform, c.file, "T.RAY");
    ASSERT_TRUE(points) << c.file << ": " << points.error().Text();
    EXPECT_EQ(GeometryText(src), c.geometry) << c.file;
    EXPECT_EQ(points->NSources, c.sources) << c.file;
    EXPECT_EQ(points->NReceivers, c.receivers) << c.file;
  }
}

TEST(RayFile, OpeningsTakeTheFaceOfTheLastWall) {
  struct Case {
    const char* file;
    const char* geometry;
  };
  const Case cases[] = {
      // Before the first wall an opening is carried by no face.
      {"FACE 1 1 3 0 0 0 1 0 0 0 1 0\nHOLE 5 5 1 0 0 0\n",
       "face 1 1 3 openings: (0 0 0) (1 0 0) (0 1 0)\nhole 5 5 1 on 0: (0 0 0)\n"},
      // After a wall's end its face keeps its openings; the face read last is flagged.
      {"FACE 1 1 3 0 0 0 1 0 0 0 1 0\nWALL\nFACE 2 1 3 0 0 0 1 0 0 0 1 0\nFACE 3 1 3 0 0 0 1 0 0 0 1 0\nEND\n"
       "FACE 4 1 3 0 0 0 1 0 0 0 1 0\nDOOR 6 6 1 0 0 0\n",
       "face 1 1 3: (0 0 0) (1 0 0) (0 1 0)\nface 2 1 3 wall: (0 0 0) (1 0 0) (0 1 0)\n"
       "face 3 1 3 wall: (0 0 0) (1 0 0) (0 1 0)\nface 4 1 3 openings: (0 0 0) (1 0 0) (0 1 0)\n"
       "door 6 6 1 on 2: (0 0 0)\n"},
  };
  for (const Case& c : cases) {
    Source src;
    test::RecordingPlatform platform;
    auto points = ReadRayBytes(src, platform, c.file, "T.RAY");
    ASSERT_TRUE(points) << c.file << ": " << points.error().Text();
    EXPECT_EQ(GeometryText(src), c.geometry) << c.file;
  }
}

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

TEST(RayFile, RefusedFilesLeaveTheGeometryAsItWas) {
  const std::string tri = "FACE 1 1 3 0 0 0 1 0 0 0 1 0\n";
  struct Case {
    std::string file;
    const char* error;
  };
  const Case cases[] = {
      {Repeat(tri, 101), "T.RAY, line 101: more than 100 faces"},
      {Repeat(tri, 98) + "FACE 1 1 7 0 0 0 1 0 0 2 0 0 3 0 0 4 0 0 5 0 0 6 0 0\n", "T.RAY, line 99: more than 100 faces"},
      {"WALL\n" + tri + Repeat("HOLE 1 1 1 0 0 0\n", 51), "T.RAY, line 53: more than 50 holes"},
      {"WALL\n" + tri + Repeat("DOOR 1 1 1 0 0 0\n", 51), "T.RAY, line 53: more than 50 doors"},
      {Repeat("SOURCE 0 0 0 0 0 0 0 S\n", 129), "T.RAY, line 129: more than 128 sources"},
      {Repeat("REC 0 0 0 0 0 0\n", 1025), "T.RAY, line 1025: more than 1024 receivers"},
      {"HOLE 1 1 13" + Repeat(" 0 0 0", 13) + "\n", "T.RAY, line 1: expected 0 to 12 vertices, found 13"},
      {"DOOR 1 1 6" + Repeat(" 0 0 0", 6) + "\n", "T.RAY, line 1: expected 0 to 5 vertices, found 6"},
      {"FACE 1 1 -3\n", "T.RAY, line 1: a face cannot have -3 vertices"},
      {"FACE 1 1 32767\n", "T.RAY, line 1: more than 100 faces"},
      {"\n\nFACE 1 1 3 0 0 0 1 0\n0 1 0\n", "T.RAY, line 3: expected a number, found the end of the line"},
      {"FACE 1 1 3 0 0 0 1 x 0 0 1 0\n", "T.RAY, line 1: expected a number, found \"x\""},
      {"FACE 1 1 2.5\n", "T.RAY, line 1: expected a whole number, found \"2.5\""},
      {"FACE 99999 1 3\n", "T.RAY, line 1: number out of range: \"99999\""},
      {"SOURCE 1e39 0 0\n", "T.RAY, line 1: number out of range: \"1e39\""},
      {"REC nan 0 0\n", "T.RAY, line 1: expected a number, found \"nan\""},
      {"REC 1,,2\n", "T.RAY, line 1: expected a number, found an empty item"},
      {std::string("FACE 1 1 3 0 0 0 1 0 0 0 1 \xff") + '\0', "T.RAY, line 1: expected a number, found \"\\xFF\\x00\""},
  };
  for (const Case& c : cases) {
    Source src;
    test::RecordingPlatform platform;
    ASSERT_TRUE(ReadRayBytes(src, platform, "SOURCE 0 0 -1\nWALL\nFACE 4 4 3 1 1 1 2 2 2 3 3 3\nHOLE 1 1 1 5 5 5\n", "OLD.RAY"));
    const Source before = src;
    auto points = ReadRayBytes(src, platform, c.file, "T.RAY");
    ASSERT_FALSE(points) << c.error;
    EXPECT_EQ(points.error().Text(), c.error);
    EXPECT_FALSE(points.error().cancelled);
    EXPECT_EQ(GeometryText(src), GeometryText(before)) << c.error;
    EXPECT_EQ(BoxText(src), BoxText(before)) << c.error;
  }
}

TEST(RayFile, DialogPatternsAndMissingFilesReadNothing) {
  for (const char* path : {"*.ray", "*.RAY", "*.*"}) {
    Source src;
    src.NFaces = 3;
    test::RecordingPlatform platform;
    auto points = ReadRayFile(src, platform, path);
    ASSERT_FALSE(points) << path;
    EXPECT_TRUE(points.error().cancelled) << path;
    EXPECT_EQ(src.NFaces, 3) << path;
  }
  Source src;
  test::RecordingPlatform platform;
  auto points = ReadRayFile(src, platform, "/nonexistent/NO.RAY");
  ASSERT_FALSE(points);
  EXPECT_FALSE(points.error().cancelled);
  EXPECT_NE(points.error().Text().find("/nonexistent/NO.RAY"), std::string::npos);
}

TEST(RayFile, NoGeometryRecordsLeaveAnEmptyBox) {
  Source src;
  src.NFaces = 2;
  test::RecordingPlatform platform;
  ASSERT_TRUE(ReadRayBytes(src, platform, "; nothing but a comment\r\n", "T.RAY"));
  EXPECT_EQ(src.NFaces, 0);
  EXPECT_EQ(BoxText(src), "10000 10000 10000 .. -10000 -10000 -10000");
}

}  // namespace
}  // namespace fonderel
