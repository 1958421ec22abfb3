#include "views/BalloonDrawing.h"

#include <algorithm>
#include <cmath>

namespace fonderel {
namespace {

// Pi as the drawing has always taken it.
constexpr double kPi = 3.141592;

struct Point3 {
  double x = 0, y = 0, z = 0;
};

struct Projection {
  double s, cx, cy;
  void Line(std::vector<Segment>& out, const Point3& a, const Point3& b, int red, int green,
            int blue) const {
    out.push_back({cx + s * (0.85 * a.x + 0.32 * a.y), cy - s * (0.6 * a.y + 0.75 * a.z - 0.22 * a.x),
                   cx + s * (0.85 * b.x + 0.32 * b.y), cy - s * (0.6 * b.y + 0.75 * b.z - 0.22 * b.x),
                   red, green, blue});
  }
};

Point3 Direction(int p, int k, double r) {
  const double phi = p * kPi / 18.0;
  const double theta = k * kPi / 18.0;
  return {r * std::cos(theta), r * std::sin(theta) * std::cos(phi),
          r * std::sin(theta) * std::sin(phi)};
}

int Channel(double share) { return static_cast<int>(std::lround(255.0 * share)); }

}  // namespace

double BalloonRadius(float value, double qref) {
  const double level = value > 0.00001f ? 10.0 * std::log10(value / qref) : -39.9;
  return std::max(0.0, (level + 40.0) / 40.0);
}

std::optional<BalloonPicture> DrawBalloon(const Source& src, int band, TwipsSize window) {
  if (window.height < 100) return std::nullopt;
  BalloonPicture picture;
  picture.rect = {30, 0, std::max(0, window.width - 60), std::max(200, window.height - 1000)};
  if (!Balloon::Holds(band) || !src.BandPresent(band)) return picture;

  const double width = picture.rect.width;
  const double height = picture.rect.height;
  const Projection proj{std::min(width, height) / 2.0, width / 2.0, height / 2.0};
  std::vector<Segment>& out = picture.segments;
  out.reserve(3 + 2 * kPlots * kPoints);
  proj.Line(out, {}, {1, 0, 0}, 255, 0, 0);
  proj.Line(out, {}, {0, 1, 0}, 0, 255, 0);
  proj.Line(out, {}, {0, 0, 1}, 0, 0, 255);

  double qref = src.DirQ(band);
  if (qref == 0) qref = 2;
  // Points and limited radii of the samples, plane 18 closing the sphere.
  Point3 points[kPlots + 1][kPoints];
  double radii[kPlots + 1][kPoints];
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const double r1 = BalloonRadius(src.BalloonData(p, k, band), qref);
      const double r2 = BalloonRadius(src.BalloonData(p, (k + 1) % kPoints, band), qref);
      const Point3 p1 = Direction(p, k, r1);
      const double limited = std::min(r1, 1.0);
      proj.Line(out, p1, Direction(p, k + 1, r2), Channel(limited), 0, Channel(1.0 - limited));
      points[p][k] = p1;
      radii[p][k] = limited;
    }
  }
  // The plane at 180 degrees is plane 0 run the other way.
  for (int k = 0; k < kPoints; ++k) {
    const int mirrored = k == 0 ? 0 : kPoints - k;
    points[kPlots][k] = points[0][mirrored];
    radii[kPlots][k] = radii[0][mirrored];
  }
  for (int k = 1; k < kPoints; ++k) {
    for (int p = 0; p < kPlots; ++p) {
      proj.Line(out, points[p][k], points[p + 1][k], 0, Channel(radii[p][k]), 0);
    }
  }
  return picture;
}

}  // namespace fonderel
