// A description as text lines, one a band, face, hole, door or polar plot that
// is not all zero, so that a test compares every field at once with another
// description or with a file under tests/data/core/ (FONDEREL_UPDATE_TEXTS=1
// writes the file from what the code gives; read its diff).
#pragma once

#include <charconv>
#include <string>
#include <vector>

#include "core/Source.h"
#include "support/GoldenText.h"

namespace fonderel::test {

// A label and numbers in their shortest exact text.
template <typename... T>
std::string SourceRow(std::string row, T... values) {
  char buf[32];
  ((row += ' ', row.append(buf, std::to_chars(buf, buf + sizeof buf, values).ptr)), ...);
  return row;
}

// The first `nvert` vertices of face, hole or door i.
template <typename Xyz>
std::string Vertices(std::string row, int i, int nvert, const Xyz& x, const Xyz& y, const Xyz& z) {
  for (int v = 1; v <= nvert; ++v) row += SourceRow(" |", x(i, v), y(i, v), z(i, v));
  return row;
}

inline std::vector<std::string> SourceLines(const Source& s) {
  std::vector<std::string> l = {s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime};
  l.push_back(SourceRow("bands", s.FirstBand, s.LastBand, s.BandCount, s.CurBand, s.SourceKind));
  l.push_back(SourceRow("overall Lw", s.Lw(11), s.Lw(12)));
  for (int b = 1; b <= kBandCount; ++b) {
    l.push_back(SourceRow("band", b, s.BandPresent(b), s.Impedance(b), s.Efficiency(b), s.Lw(b),
                          s.DirQ(b), s.Sensitivity(b)));
    for (int p = 0; p < kPlots; ++p) {
      std::string row = SourceRow("plot", b, p);
      bool any = false;
      for (int k = 0; k < kPoints; ++k) {
        row += SourceRow("", s.BalloonData(p, k, b));
        any = any || s.BalloonData(p, k, b) != 0;
      }
      if (any) l.push_back(row);
    }
  }
  l.push_back(SourceRow("faces holes doors", s.NFaces, s.NHoles, s.NDoors));
  for (int f = 1; f <= s.NFaces; ++f)
    l.push_back(Vertices(SourceRow("face", f, s.FaceNum(f), s.FaceMat(f), s.FaceNVert(f),
                                   s.FaceIsWall(f), s.FaceHasOpenings(f)),
                         f, kFaceVertices, s.FaceX, s.FaceY, s.FaceZ));
  for (int h = 1; h <= s.NHoles; ++h)
    l.push_back(
        Vertices(SourceRow("hole", h, s.HoleFace(h), s.HoleNum(h), s.HoleMat(h), s.HoleNVert(h)), h,
                 s.HoleNVert(h), s.HoleX, s.HoleY, s.HoleZ));
  for (int d = 1; d <= s.NDoors; ++d)
    l.push_back(
        Vertices(SourceRow("door", d, s.DoorFace(d), s.DoorNum(d), s.DoorMat(d), s.DoorNVert(d)), d,
                 s.DoorNVert(d), s.DoorX, s.DoorY, s.DoorZ));
  l.push_back(SourceRow("box", s.GeoMinX, s.GeoMaxX, s.GeoMinY, s.GeoMaxY, s.GeoMinZ, s.GeoMaxZ));
  return l;
}

inline void ExpectSourceText(const Source& s, const std::string& name) {
  ExpectGoldenLines(SourceLines(s), "../core/" + name);
}

}  // namespace fonderel::test
