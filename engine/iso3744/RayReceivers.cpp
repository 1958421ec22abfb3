#include "iso3744/RayReceivers.h"

#include "core/Try.h"
#include "geometry/RayFile.h"

namespace fonderel {

std::expected<Receivers, FileError> ReadRayReceivers(Source& src, Platform& platform,
                                                     const std::string& path) {
  TRY_READ(points, ReadRayFile(src, platform, path));
  Receivers rec;
  rec.NReceivers = points.NReceivers;
  for (int k = 1; k <= points.NReceivers; ++k) {
    rec.RecX(k) = points.RecX(k);
    rec.RecY(k) = points.RecY(k);
    rec.RecZ(k) = points.RecZ(k);
  }
  return rec;
}

}  // namespace fonderel
