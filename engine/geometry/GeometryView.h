// The wire frame of the enclosing geometry, seen from a direction turned
// about the vertical (Z) axis: axes, the source marker, faces, holes and doors.
#pragma once

#include <vector>

#include "core/Platform.h"
#include "core/Source.h"
#include "geometry/FaceSplit.h"

namespace fonderel {

inline constexpr double kInitialViewAngle = 60;  // degrees, when the window opens

struct GeometryDrawing {
  std::vector<Segment> lines;  // in twips of the picture, top left origin
  bool hasMarker = false;      // the source marker: a circle with "S" centred on it
  double markerX = 0, markerY = 0, markerRadius = 0;
};

// The drawing for a picture of the given size (twips) at `viewAngle`
// degrees. `centre` is the source centre. A bounding box that gives no scale
// (its maximum corner at the origin, or nothing seen) draws nothing.
GeometryDrawing DrawGeometry(const Source& src, TwipsSize picture, double viewAngle, Vertex centre = {});

// Where the window's controls go for its inner size (twips).
struct GeometryLayout {
  TwipsRect picture, label, slider;
};
GeometryLayout LayoutGeometryWindow(TwipsSize inner, TwipsRect picture);

}  // namespace fonderel
