#include "sofa/SofaFrame.h"

#include <cmath>
#include <vector>

namespace fonderel {
namespace {

using Failure = std::unexpected<std::string>;

double Dot(const UnitVector& a, const UnitVector& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The first row of a [I or M, C] variable as a vector; `fallback` when absent.
std::expected<UnitVector, std::string> ReadVector(const NetCdfFile& file, const std::string& name,
                                                  bool spherical, const UnitVector& fallback) {
  if (!file.HasVariable(name)) return fallback;
  auto dims = file.Dimensions(name);
  if (!dims || dims->size() != 2 || (*dims)[0].length == 0 || (*dims)[1].length != 3) {
    return Failure(name + " does not give three coordinates");
  }
  auto values = file.Values(name, {0, 0}, {1, 3});
  if (!values) return Failure(values.error());
  const std::vector<double>& c = *values;
  if (!std::isfinite(c[0]) || !std::isfinite(c[1]) || !std::isfinite(c[2])) {
    return Failure(name + " is not a finite direction");
  }
  UnitVector v;
  if (spherical) return FromSpherical(c[0], c[1]);
  if (!FromCartesian(c[0], c[1], c[2], v)) return Failure(name + " has length 0 and no direction");
  return v;
}

}  // namespace

std::expected<Frame, std::string> ReadFrame(const NetCdfFile& file, const std::string& view,
                                            const std::string& up) {
  const bool spherical = file.TextAttribute(view, "Type").value_or("") == "spherical";
  auto x = ReadVector(file, view, spherical, {1, 0, 0});
  if (!x) return Failure(x.error());
  auto u = ReadVector(file, up, spherical, {0, 0, 1});
  if (!u) return Failure(u.error());
  // Up need not be exactly across View: its part across View counts.
  const double along = Dot(*u, *x);
  UnitVector z;
  if (!FromCartesian(u->x - along * x->x, u->y - along * x->y, u->z - along * x->z, z) ||
      std::abs(along) > 1 - 1e-9) {
    return Failure(up + " is parallel to " + view + ": the file gives no up direction");
  }
  const UnitVector y{z.y * x->z - z.z * x->y, z.z * x->x - z.x * x->z, z.x * x->y - z.y * x->x};
  return Frame{*x, y, z};
}

UnitVector Reframe(const UnitVector& v, const Frame& from, const Frame& to) {
  const UnitVector g{v.x * from.x.x + v.y * from.y.x + v.z * from.z.x,
                     v.x * from.x.y + v.y * from.y.y + v.z * from.z.y,
                     v.x * from.x.z + v.y * from.y.z + v.z * from.z.z};
  return {Dot(g, to.x), Dot(g, to.y), Dot(g, to.z)};
}

}  // namespace fonderel
