// The CAD geometry reader: what a user finds in the description after
// attaching a ".ray" file, and the files it refuses; faces of more than four
// vertices become a fan of four-vertex subfaces. The geometry view: where the
// axes point as the slider turns, what each outline is drawn in, and a box
// that gives no scale.
#include "geometry/RayFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "app/CaseData.h"
#include "core/SpkFile.h"
#include "geometry/FaceSplit.h"
#include "geometry/GeometryView.h"

namespace fonderel {
namespace {

// The shortest text of a number ("-0.5", "8", "-0.19999999").
template <typename T>
std::string N(T value) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

// A coordinate as the SPK file keeps it: 7 significant digits ("-0.2").
std::string Spk(float value) {
  char buf[32];
  return std::string(
      buf, std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 7).ptr);
}

// Coordinates in full, or as the SPK file keeps them.
enum class Digits { Shortest, Spk };

std::string Point(float x, float y, float z, Digits d = Digits::Shortest) {
  const auto t = [d](float v) { return d == Digits::Spk ? Spk(v) : N(v); };
  return " (" + t(x) + " " + t(y) + " " + t(z) + ")";
}

// The geometry as lines of text: one line per face, hole and door with its
// two integers, vertex count, flags or carrying face, and vertices.
template <typename Ints, typename Coords>
void Polygons(std::string& out, const char* kind, int count, const Ints& num, const Ints& mat,
              const Ints& nvert, const Coords& x, const Coords& y, const Coords& z, Digits d,
              auto&& flags) {
  for (int i = 1; i <= count; ++i) {
    out +=
        std::string(kind) + " " + N(num(i)) + " " + N(mat(i)) + " " + N(nvert(i)) + flags(i) + ":";
    for (int v = 1; v <= nvert(i); ++v) out += Point(x(i, v), y(i, v), z(i, v), d);
    out += "\n";
  }
}

std::string GeometryText(const Source& s, Digits d = Digits::Shortest) {
  std::string out;
  Polygons(out, "face", s.NFaces, s.FaceNum, s.FaceMat, s.FaceNVert, s.FaceX, s.FaceY, s.FaceZ, d,
           [&](int f) {
             return std::string(s.FaceIsWall(f) ? " wall" : "") +
                    (s.FaceHasOpenings(f) ? " openings" : "");
           });
  Polygons(out, "hole", s.NHoles, s.HoleNum, s.HoleMat, s.HoleNVert, s.HoleX, s.HoleY, s.HoleZ, d,
           [&](int h) { return " on " + N(s.HoleFace(h)); });
  Polygons(out, "door", s.NDoors, s.DoorNum, s.DoorMat, s.DoorNVert, s.DoorX, s.DoorY, s.DoorZ, d,
           [&](int d) { return " on " + N(s.DoorFace(d)); });
  return out;
}

std::string BoxText(const Source& s) {
  return N(s.GeoMinX) + " " + N(s.GeoMinY) + " " + N(s.GeoMinZ) + " .. " + N(s.GeoMaxX) + " " +
         N(s.GeoMaxY) + " " + N(s.GeoMaxZ);
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
  EXPECT_TRUE(
      platform.Called("ShowMessage Warning !|Not supported number of vertexes ( 6 ) for face N. "
                      "3\rThis face will be splitted in "
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
  const std::string noRecord = "T.RAY: no face, source or receiver found; not a CAD geometry file?";
  std::vector<std::pair<std::string, std::string>> cases = {
      {std::string("FACE 1 1 3 0 0 0 1 0 0 0 1 \xff") + '\0',
       "T.RAY, line 1: expected a number, found \"\\xFF\\x00\""},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20), noRecord},
      {"\xEF\xBB\xBF\xFF\xFE\0\x01", noRecord}};
  for (const auto& c : test::Cases("../cases5/ray", "refused")) {
    std::string file = c[0];
    for (int i = 0; i < c[2].get<int>(); ++i) file += c[1].get<std::string>();
    cases.emplace_back(file + c[3].get<std::string>(), c[4]);
  }
  for (const auto& [file, error] : cases) {
    Source src;
    test::RecordingPlatform platform;
    ASSERT_TRUE(ReadRayBytes(
        src, platform, "SOURCE 0 0 -1\nWALL\nFACE 4 4 3 1 1 1 2 2 2 3 3 3\nHOLE 1 1 1 5 5 5\n",
        "OLD.RAY"));
    const Source before = src;
    auto points = ReadRayBytes(src, platform, file, "T.RAY");
    ASSERT_FALSE(points) << error;
    EXPECT_EQ(points.error().Text(), error);
    EXPECT_FALSE(points.error().cancelled);
    EXPECT_EQ(GeometryText(src), GeometryText(before)) << error;
    EXPECT_EQ(BoxText(src), BoxText(before)) << error;
  }
}

// A dialog's pattern, a missing file or one without any record of the
// format reads nothing and leaves the geometry as it was.
TEST(RayFile, PatternsMissingFilesAndEmptyFiles) {
  const std::string empty = ::testing::TempDir() + "/EMPTY.RAY";
  test::Spit(empty, "; nothing but a comment\r\n");
  for (const std::string& path :
       {std::string("*.ray"), std::string("*.*"), std::string("/nonexistent/NO.RAY"), empty}) {
    Source src;
    src.NFaces = 3;
    test::RecordingPlatform platform;
    auto points = ReadRayFile(src, platform, path);
    ASSERT_FALSE(points.has_value()) << path;
    EXPECT_EQ(points.error().cancelled, path.starts_with("*")) << path;
    EXPECT_EQ(points.error().file, path);
    EXPECT_EQ(src.NFaces, 3) << path;
    EXPECT_EQ(BoxText(src), "0 0 0 .. 0 0 0") << path;
  }
}

// Every face, hole and door read from a CAD file is in the SPK file written
// afterwards and reads back on the same face, with the same flags and the
// coordinates to the file's 7 significant digits.
TEST(RayFile, OpeningsSurviveTheSpkFile) {
  std::vector<std::string> files = {test::Slurp(test::DataPath("geometry/CABINET.RAY")),
                                    test::Slurp(test::DataPath("geometry/BOX.RAY"))};
  for (const auto& c : test::Cases("../cases5/ray", "known")) files.push_back(c[0]);
  for (const std::string& file : files) {
    AppState state;
    state.src.FirstBand = state.src.LastBand = state.src.BandCount = 5;
    state.src.DirQ(5) = 1;
    test::RecordingPlatform platform;
    ASSERT_TRUE(ReadRayBytes(state.src, platform, file, "T.RAY")) << file;
    auto spk = SpkBytes(state.src, state.log, "T.SPK");
    ASSERT_TRUE(spk) << spk.error().Text();
    AppState back;
    auto read = ReadSpkBytes(back, platform, *spk, "T.SPK");
    ASSERT_TRUE(read) << read.error().Text();
    EXPECT_EQ(GeometryText(back.src, Digits::Spk), GeometryText(state.src, Digits::Spk))
        << file << "\n"
        << *spk;
  }
}

// Point Pi sits at (i, 10·i, 100·i), so every coordinate tells its point.
std::vector<Vertex> Points(int n) {
  std::vector<Vertex> p;
  for (int i = 1; i <= n; ++i) p.push_back({float(i), float(10 * i), float(100 * i)});
  return p;
}

// Cases in tests/data/cases5/geometry.json.
TEST(FaceSplit, FanSharesTheFirstPoint) {
  for (const auto& c : test::Cases("../cases5/geometry", "fan")) {
    const int n = c[0];
    const std::vector<SubFace> got = SplitFace(Points(n));
    ASSERT_EQ(got.size(), c[1].size()) << n << " points";
    EXPECT_TRUE(n <= 4 || SubFaceCount(n) == int(got.size())) << n;
    for (std::size_t s = 0; s < got.size(); ++s) {
      EXPECT_EQ(got[s].NVert, c[1][s][0].get<int>()) << n << " points, subface " << s;
      for (std::size_t v = 0; v < 4; ++v) {
        const float i = c[1][s][v + 1].get<float>();
        EXPECT_EQ(got[s].V[v].X, i) << n << " points, subface " << s << ", vertex " << v + 1;
        EXPECT_EQ(got[s].V[v].Y, 10 * i);
        EXPECT_EQ(got[s].V[v].Z, 100 * i);
      }
    }
  }
}

// A box from (-1, -1, 0) to (0, 0, 1): every axis 1 m long, and on a
// 3000 x 4000 twips picture (5000 across) one metre is 1000 twips.
Source UnitBox() {
  Source s;
  s.GeoMinX = s.GeoMinY = -1;
  s.GeoMaxZ = 1;
  return s;
}

TEST(GeometryView, AxesTurnWithTheViewAngle) {
  for (const auto& c : test::Cases("../cases5/geometry", "axes")) {
    const GeometryDrawing d = DrawGeometry(UnitBox(), {3000, 4000}, c[0].get<double>());
    ASSERT_EQ(d.lines.size(), 3u);
    const int colours[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 128}};
    for (std::size_t a = 0; a < 3; ++a) {
      const Segment& s = d.lines[a];
      EXPECT_NEAR(s.x1, 1500, 1e-3);
      EXPECT_NEAR(s.y1, 2000, 1e-3);
      EXPECT_NEAR(s.x2, c[1][a][0].get<double>(), 1e-3) << c[0] << " axis " << a;
      EXPECT_NEAR(s.y2, c[1][a][1].get<double>(), 1e-3) << c[0] << " axis " << a;
      EXPECT_EQ(s.red, colours[a][0]);
      EXPECT_EQ(s.green, colours[a][1]);
      EXPECT_EQ(s.blue, colours[a][2]);
    }
    EXPECT_TRUE(d.hasMarker);
    EXPECT_DOUBLE_EQ(d.markerRadius, 80);
  }
}

TEST(GeometryView, OutlinesAreClosedInTheirColours) {
  Source s = UnitBox();
  s.NFaces = 1;
  s.FaceNVert(1) = 4;
  const float corners[4][2] = {{0, 0}, {-1, 0}, {-1, -1}, {0, -1}};
  for (int v = 1; v <= 4; ++v) {
    s.FaceX(1, v) = corners[v - 1][0];
    s.FaceY(1, v) = corners[v - 1][1];
  }
  s.NHoles = 1;
  s.HoleNVert(1) = 3;
  s.NDoors = 1;
  s.DoorNVert(1) = 2;
  const GeometryDrawing d = DrawGeometry(s, {3000, 4000}, 0);
  ASSERT_EQ(d.lines.size(), 3u + 4 + 3 + 2);
  for (std::size_t i = 3; i < 7; ++i)
    EXPECT_EQ(d.lines[i].red + d.lines[i].green + d.lines[i].blue, 0);
  for (std::size_t i = 7; i < 12; ++i) EXPECT_EQ(d.lines[i].green, 128);
  // The last edge of the face joins vertex 4 back to vertex 1.
  EXPECT_NEAR(d.lines[6].x2, 1500, 1e-3);
  EXPECT_NEAR(d.lines[6].y2, 2000, 1e-3);
  EXPECT_NEAR(d.lines[6].x1, 500, 1e-3);
}

TEST(GeometryView, NoScaleDrawsNothing) {
  Source flat;  // the box's maximum corner at the origin
  flat.GeoMinX = -2;
  flat.NFaces = 1;
  flat.FaceNVert(1) = 3;
  Source nothingSeen;
  nothingSeen.GeoMinX = nothingSeen.GeoMinY = nothingSeen.GeoMinZ = 10000;
  nothingSeen.GeoMaxX = nothingSeen.GeoMaxY = nothingSeen.GeoMaxZ = -10000;
  for (const Source* s : {&flat, &nothingSeen}) {
    const GeometryDrawing d = DrawGeometry(*s, {3000, 4000}, 60);
    EXPECT_TRUE(d.lines.empty());
    EXPECT_FALSE(d.hasMarker);
  }
}

TEST(GeometryView, PictureFollowsTheWindow) {
  const GeometryLayout big = LayoutGeometryWindow({6000, 5000}, {100, 100, 10, 10});
  EXPECT_EQ(big.picture, (TwipsRect{100, 100, 5800, 4400}));
  EXPECT_EQ(big.label.top, 4580);
  EXPECT_EQ(big.slider.top, 4520);
  const GeometryLayout small = LayoutGeometryWindow({300, 800}, {100, 100, 10, 10});
  EXPECT_EQ(small.picture, (TwipsRect{100, 100, 10, 10}));
}

}  // namespace
}  // namespace fonderel
