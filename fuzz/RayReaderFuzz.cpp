// libFuzzer target for the CAD geometry reader.
//
// The reader reads a path, so every input is written to one in-memory file
// (memfd) and read through /proc/self/fd. Each input is read into a
// description that already holds a small geometry. A refused file must leave
// that geometry untouched; an accepted one must keep every count within its
// bounds, every vertex count within its array and every coordinate finite,
// and must come back whole from the SPK file: every face, hole and door on
// the same face with the same values. Any violation traps, so libFuzzer
// records the input as a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "core/NumberText.h"
#include "core/Source.h"
#include "core/SpkFile.h"
#include "geometry/RayFile.h"

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
  return a.NFaces == b.NFaces && a.NHoles == b.NHoles && a.NDoors == b.NDoors &&
         a.FaceX == b.FaceX && a.FaceY == b.FaceY && a.FaceZ == b.FaceZ &&
         a.FaceNVert == b.FaceNVert && a.HoleX == b.HoleX && a.HoleFace == b.HoleFace &&
         a.GeoMinX == b.GeoMinX && a.GeoMaxX == b.GeoMaxX && a.GeoMinZ == b.GeoMinZ &&
         a.GeoMaxZ == b.GeoMaxZ;
}

// The vertices in use of polygon i, to the SPK file's 7 significant digits.
template <typename Ints, typename Coords>
bool SamePolygon(int i, const Ints& nvert, const Coords& x, const Coords& y, const Coords& z,
                 const Coords& x2, const Coords& y2, const Coords& z2) {
  const auto same = [](float a, float b) { return SingleText(a) == SingleText(b); };
  for (int v = 1; v <= nvert(i); ++v) {
    if (!same(x(i, v), x2(i, v)) || !same(y(i, v), y2(i, v)) || !same(z(i, v), z2(i, v)))
      return false;
  }
  return true;
}

// Writes the geometry into an SPK file of one band and reads it back.
void RequireSpkRoundTrip(const Source& s, NullPlatform& platform) {
  auto saved = std::make_unique<Source>(s);
  saved->FirstBand = saved->LastBand = saved->BandCount = 1;
  saved->DirQ(1) = 1.0f;
  TextLog log;
  const auto bytes = SpkBytes(*saved, log, "fuzz.spk");
  Require(bytes.has_value());
  auto back = std::make_unique<AppState>();
  Require(ReadSpkBytes(*back, platform, *bytes, "fuzz.spk").has_value());
  const Source& r = back->src;
  Require(r.NFaces == s.NFaces && r.NHoles == s.NHoles && r.NDoors == s.NDoors);
  for (int f = 1; f <= s.NFaces; ++f) {
    Require(r.FaceNum(f) == s.FaceNum(f) && r.FaceMat(f) == s.FaceMat(f) &&
            r.FaceNVert(f) == s.FaceNVert(f));
    Require(r.FaceIsWall(f) == s.FaceIsWall(f) && r.FaceHasOpenings(f) == s.FaceHasOpenings(f));
    Require(SamePolygon(f, s.FaceNVert, s.FaceX, s.FaceY, s.FaceZ, r.FaceX, r.FaceY, r.FaceZ));
  }
  for (int h = 1; h <= s.NHoles; ++h) {
    Require(r.HoleFace(h) == s.HoleFace(h) && r.HoleNum(h) == s.HoleNum(h) &&
            r.HoleNVert(h) == s.HoleNVert(h));
    Require(SamePolygon(h, s.HoleNVert, s.HoleX, s.HoleY, s.HoleZ, r.HoleX, r.HoleY, r.HoleZ));
  }
  for (int d = 1; d <= s.NDoors; ++d) {
    Require(r.DoorFace(d) == s.DoorFace(d) && r.DoorNum(d) == s.DoorNum(d) &&
            r.DoorNVert(d) == s.DoorNVert(d));
    Require(SamePolygon(d, s.DoorNVert, s.DoorX, s.DoorY, s.DoorZ, r.DoorX, r.DoorY, r.DoorZ));
  }
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
      Require(std::isfinite(s.FaceX(f, v)) && std::isfinite(s.FaceY(f, v)) &&
              std::isfinite(s.FaceZ(f, v)));
    }
  }
  for (int h = 1; h <= s.NHoles; ++h)
    Require(s.HoleNVert(h) >= 0 && s.HoleNVert(h) <= kHoleVertices);
  for (int d = 1; d <= s.NDoors; ++d)
    Require(s.DoorNVert(d) >= 0 && s.DoorNVert(d) <= kDoorVertices);
  RequireSpkRoundTrip(s, platform);
  return 0;
}
