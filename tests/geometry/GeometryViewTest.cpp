// The geometry view: where the axes point as the slider turns, what each
// outline is drawn in, and a box that gives no scale.
#include "geometry/GeometryView.h"

#include <gtest/gtest.h>

#include "app/CaseData.h"

namespace fonderel {
namespace {

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
  for (std::size_t i = 3; i < 7; ++i) EXPECT_EQ(d.lines[i].red + d.lines[i].green + d.lines[i].blue, 0);
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
