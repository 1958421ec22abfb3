// libFuzzer target for the CAD geometry reader.
//
// The reader reads a path, so every input is written to one in-memory file
// (memfd) and read through /proc/self/fd. Each input is read into a
// description that already holds a small geometry. A refused file must leave
// that geometry untouched; an accepted one must keep every count within its
// bounds, every vertex count within its array and every coordinate finite.
// Any violation traps, so libFuzzer records the input as a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/NullPlatform.h"
#include "core/Source.h"
#include "geometry/RayFile.h"
#include "FuzzSupport.h"

namespace {

using namespace fonderel;

using fonderel::fuzz::Require;

using fonderel::fuzz::MemoryFile;

// The geometry every input starts from: one wall face with a hole.
void Seed(Source& s) {
  s.NFaces = 1;
  s.FaceNVert(1) = 3;
  s.FaceX(1, 2) = 1.0f;
  s.FaceY(1, 3) = 1.0f;
  s.FaceIsWall(1) = kTrue;
  s.FaceHasOpenings(1) = kTrue;
  s.NHoles = 1;
  s.HoleNVert(1) = 1;
  s.HoleFace(1) = 1;
  s.GeoMaxX = s.GeoMaxY = 1.0;
}

bool SameGeometry(const Source& a, const Source& b) {
  return a.NFaces == b.NFaces && a.NHoles == b.NHoles && a.NDoors == b.NDoors && a.FaceX == b.FaceX &&
         a.FaceY == b.FaceY && a.FaceZ == b.FaceZ && a.FaceNVert == b.FaceNVert && a.HoleX == b.HoleX &&
         a.HoleFace == b.HoleFace && a.GeoMinX == b.GeoMinX && a.GeoMaxX == b.GeoMaxX &&
         a.GeoMinZ == b.GeoMinZ && a.GeoMaxZ == b.GeoMaxZ;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  file.Fill(data, size);

  NullPlatform platform;
  auto src = std::make_unique<Source>();
  Seed(*src);
  const auto before = std::make_unique<Source>(*src);
  auto points = ReadRayFile(*src, platform, file.path);
  if (!points) {
    Require(!points.error().message.empty());
    Require(SameGeometry(*src, *before));
    return 0;
  }
  const Source& s = *src;
  Require(s.NFaces >= 0 && s.NFaces <= kMaxFaces);
  Require(s.NHoles >= 0 && s.NHoles <= kMaxHoles);
  Require(s.NDoors >= 0 && s.NDoors <= kMaxDoors);
  Require(points->NSources >= 0 && points->NSources <= kMaxCadSources);
  Require(points->NReceivers >= 0 && points->NReceivers <= kMaxReceivers);
  for (int f = 1; f <= s.NFaces; ++f) {
    Require(s.FaceNVert(f) >= 0 && s.FaceNVert(f) <= kFaceVertices);
    for (int v = 1; v <= s.FaceNVert(f); ++v) {
      Require(std::isfinite(s.FaceX(f, v)) && std::isfinite(s.FaceY(f, v)) && std::isfinite(s.FaceZ(f, v)));
    }
  }
  for (int h = 1; h <= s.NHoles; ++h) Require(s.HoleNVert(h) >= 0 && s.HoleNVert(h) <= kHoleVertices);
  for (int d = 1; d <= s.NDoors; ++d) Require(s.DoorNVert(d) >= 0 && s.DoorNVert(d) <= kDoorVertices);
  return 0;
}
