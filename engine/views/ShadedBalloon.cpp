#include "views/ShadedBalloon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fonderel {
namespace {

// Viridis at every tenth of the range; colours between are interpolated.
constexpr std::array<Rgb, 11> kViridis = {{{68, 1, 84},
                                           {72, 36, 117},
                                           {65, 68, 135},
                                           {53, 95, 141},
                                           {42, 120, 142},
                                           {33, 145, 140},
                                           {34, 168, 132},
                                           {68, 191, 112},
                                           {122, 209, 81},
                                           {189, 223, 38},
                                           {253, 231, 37}}};

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The wire frame's projection rows (screen right and screen up) and the
// direction towards the viewer that completes them.
constexpr Vec3 kRight{0.85, 0.32, 0.0};
constexpr Vec3 kUp{-0.22, 0.6, 0.75};
const Vec3 kTowardsViewer = [] {
  const Vec3 n{kRight.y * kUp.z - kRight.z * kUp.y, kRight.z * kUp.x - kRight.x * kUp.z,
               kRight.x * kUp.y - kRight.y * kUp.x};
  const double length = std::sqrt(Dot(n, n));
  return Vec3{n.x / length, n.y / length, n.z / length};
}();

// Model point to screen space (right, up, towards the viewer): the wire
// frame's view, then the user's turn about the screen's axes.
struct Camera {
  double cy, sy, cp, sp;
  explicit Camera(const ShadedView& v)
      : cy(std::cos(v.yaw)), sy(std::sin(v.yaw)), cp(std::cos(v.pitch)), sp(std::sin(v.pitch)) {}
  Vec3 operator()(const Vec3& m) const {
    const double x = Dot(kRight, m), y = Dot(kUp, m), z = Dot(kTowardsViewer, m);
    const double x1 = cy * x + sy * z, z1 = -sy * x + cy * z;  // yaw about screen up
    return {x1, cp * y - sp * z1, sp * y + cp * z1};             // pitch about screen right
  }
};

Vec3 Direction(int p, int k, double r) {
  const double phi = p * std::numbers::pi / 18.0;
  const double theta = k * std::numbers::pi / 18.0;
  return {r * std::cos(theta), r * std::sin(theta) * std::cos(phi), r * std::sin(theta) * std::sin(phi)};
}

}  // namespace

Rgb ColourMap(double share) {
  const double t = std::clamp(share, 0.0, 1.0) * 10.0;
  const std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(t), 9);
  const double f = t - static_cast<double>(i);
  const auto mix = [f](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
  const Rgb& a = kViridis[i];
  const Rgb& b = kViridis[i + 1];
  return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

ShadedView Turned(const ShadedView& view, double dx, double dy) {
  constexpr double kRadiansPerUnit = 0.01;
  ShadedView turned = view;
  turned.yaw = std::remainder(view.yaw + dx * kRadiansPerUnit, 2 * std::numbers::pi);
  turned.pitch = std::remainder(view.pitch + dy * kRadiansPerUnit, 2 * std::numbers::pi);
  return turned;
}

ShadedView Zoomed(const ShadedView& view, double steps) {
  ShadedView zoomed = view;
  zoomed.zoom = std::clamp(view.zoom * std::pow(1.15, steps), 0.2, 8.0);
  return zoomed;
}

ShadedPicture ShadeBalloon(const Source& src, int band, const ShadedView& view, double width,
                           double height, double labelWidth) {
  ShadedPicture picture;
  constexpr double kMargin = 6, kBar = 12;
  picture.barWidth = kBar;
  picture.barTopLeft = {std::max(0.0, width - labelWidth - kBar - kMargin), kMargin};
  picture.barHeight = std::max(0.0, height - 2 * kMargin);
  for (int step = 0; step <= 5; ++step) {
    picture.labels.push_back({step == 0 ? "0 dB" : "-" + std::to_string(10 * step) + " dB",
                              picture.barTopLeft.y + picture.barHeight * step / 5.0});
  }
  if (!Balloon::Holds(band) || !src.BandPresent(band)) return picture;

  // Levels relative to the band's largest sample; samples at or below the
  // polar curves' floor sit at the bottom of the range.
  double vmax = 0;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) vmax = std::max(vmax, double{src.BalloonData(p, k, band)});
  std::array<std::array<double, kPoints>, kPlots + 1> level{};
  std::array<std::array<Vec3, kPoints>, kPlots + 1> screen{};
  const Camera camera(view);
  for (int p = 0; p <= kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      // Plane 18 is plane 0 run the other way.
      const int sp = p == kPlots ? 0 : p;
      const int sk = p == kPlots ? (kPoints - k) % kPoints : k;
      const float v = src.BalloonData(sp, sk, band);
      const double l = v > 0.00001f && vmax > 0 ? std::max(-kShadedRange, Decibels(v / vmax))
                                                : -kShadedRange;
      level[p][k] = l;
      screen[p][k] = camera(Direction(sp, sk, (l + kShadedRange) / kShadedRange));
    }
  }

  const double area = std::max(0.0, picture.barTopLeft.x - kMargin);
  const double scale = 0.5 * std::min(area, height) * 0.95 * view.zoom;
  const Point2 centre{area / 2, height / 2};
  picture.patches.reserve(kPlots * kPoints);
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const int k1 = (k + 1) % kPoints;
      const std::array<std::pair<int, int>, 4> at = {{{p, k}, {p, k1}, {p + 1, k1}, {p + 1, k}}};
      ShadedPatch patch{p, k, {}, 0, 0, {}};
      for (std::size_t i = 0; i < at.size(); ++i) {
        const Vec3& s = screen[at[i].first][at[i].second];
        patch.corners[i] = {centre.x + scale * s.x, centre.y - scale * s.y};
        patch.depth += s.z / 4;
        patch.level += level[at[i].first][at[i].second] / 4;
      }
      patch.colour = ColourMap((patch.level + kShadedRange) / kShadedRange);
      picture.patches.push_back(patch);
    }
  }
  std::stable_sort(picture.patches.begin(), picture.patches.end(),
                   [](const ShadedPatch& a, const ShadedPatch& b) { return a.depth < b.depth; });
  return picture;
}

}  // namespace fonderel
