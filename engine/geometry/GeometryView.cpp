#include "geometry/GeometryView.h"

#include <algorithm>
#include <cmath>

namespace fonderel {
namespace {

// The classic 16-colour palette entries the view uses.
constexpr int kBlack[3] = {0, 0, 0};
constexpr int kBlue[3] = {0, 0, 128};
constexpr int kCyan[3] = {0, 128, 128};
constexpr int kLightGreen[3] = {0, 255, 0};
constexpr int kLightRed[3] = {255, 0, 0};

class Projection {
 public:
  Projection(TwipsSize picture, double viewAngle, double scale)
      : cx_(picture.width / 2.0), cy_(picture.height / 2.0), s_(scale) {
    const double theta = viewAngle * (3.141592654 / 180);
    sin_ = std::sin(theta);
    cos_ = std::cos(theta);
  }
  double X(double x, double y) const { return cx_ + s_ * (x * sin_ + y * cos_); }
  double Y(double x, double y, double z) const { return cy_ - s_ * z + s_ * (x * cos_ - y * sin_); }

 private:
  double cx_, cy_, s_, sin_ = 0, cos_ = 1;
};

void Line(GeometryDrawing& d, const Projection& p, Vertex a, Vertex b, const int (&rgb)[3]) {
  d.lines.push_back({p.X(a.X, a.Y), p.Y(a.X, a.Y, a.Z), p.X(b.X, b.Y), p.Y(b.X, b.Y, b.Z), rgb[0], rgb[1], rgb[2]});
}

// The outline of a polygon: each vertex joined to the next, the last to the first.
template <typename Coords>
void Outline(GeometryDrawing& d, const Projection& p, int i, int n, const Coords& x, const Coords& y,
             const Coords& z, const int (&rgb)[3]) {
  for (int v = 1; v <= n; ++v) {
    const int w = v == n ? 1 : v + 1;
    Line(d, p, {x(i, v), y(i, v), z(i, v)}, {x(i, w), y(i, w), z(i, w)}, rgb);
  }
}

}  // namespace

GeometryDrawing DrawGeometry(const Source& src, TwipsSize picture, double viewAngle, Vertex centre) {
  GeometryDrawing d;
  const bool seen = src.GeoMinX <= src.GeoMaxX && src.GeoMinY <= src.GeoMaxY && src.GeoMinZ <= src.GeoMaxZ;
  const double reach = std::sqrt(src.GeoMaxX * src.GeoMaxX + src.GeoMaxY * src.GeoMaxY + src.GeoMaxZ * src.GeoMaxZ);
  const double diagonal = std::sqrt(double(picture.width) * picture.width + double(picture.height) * picture.height);
  const double scale = 0.2 * diagonal / reach;
  if (!seen || !(reach > 0) || !std::isfinite(scale)) return d;
  const Projection p(picture, viewAngle, scale);

  const Vertex origin{};
  Line(d, p, origin, {float(src.GeoMaxX - src.GeoMinX), 0, 0}, kLightRed);
  Line(d, p, origin, {0, float(src.GeoMaxY - src.GeoMinY), 0}, kLightGreen);
  Line(d, p, origin, {0, 0, float(src.GeoMaxZ - src.GeoMinZ)}, kBlue);

  d.hasMarker = true;
  d.markerX = p.X(centre.X, centre.Y);
  d.markerY = p.Y(centre.X, centre.Y, centre.Z);
  d.markerRadius = 80;

  for (int f = 1; f <= src.NFaces; ++f) {
    Outline(d, p, f, std::min<int>(src.FaceNVert(f), kFaceVertices), src.FaceX, src.FaceY, src.FaceZ, kBlack);
  }
  for (int h = 1; h <= src.NHoles; ++h) {
    Outline(d, p, h, std::min<int>(src.HoleNVert(h), kHoleVertices), src.HoleX, src.HoleY, src.HoleZ, kCyan);
  }
  for (int o = 1; o <= src.NDoors; ++o) {
    Outline(d, p, o, std::min<int>(src.DoorNVert(o), kDoorVertices), src.DoorX, src.DoorY, src.DoorZ, kCyan);
  }
  return d;
}

GeometryLayout LayoutGeometryWindow(TwipsSize inner, TwipsRect picture) {
  GeometryLayout l;
  l.picture = picture;
  if (inner.width > 300) l.picture.width = inner.width - 200;
  if (inner.height > 800) l.picture.height = inner.height - 600;
  l.label = {l.picture.left, l.picture.height + 180, 900, 255};
  l.slider = {l.label.left + l.label.width, l.label.top - 60, std::max(300, l.picture.width - l.label.width), 375};
  return l;
}

}  // namespace fonderel
