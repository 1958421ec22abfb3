// The directions of a CLF balloon and how they meet the program's balloon.
//
// A CLF balloon is a set of arcs: half-planes bounded by the source's axis.
// Arc a of a 10-degree grid lies at the angle 10·a about the axis, counted
// from straight up through the source's left (arc 9), down (arc 18) and its
// right (arc 27), with the default arc order; <reversed> runs the other way.
// Value j of an arc lies 10·j degrees from the axis (0 on axis, 18 rear).
//
// The program's plot p is the plane turned 10·p degrees about the axis from
// the horizontal (plot 9 holds "up"); its points 0..18 lie on the half-plane
// at 10·p degrees (counted from the left towards up), points 19..35 on the
// opposite half-plane at 36 − k. The half-plane at 10·h degrees is the CLF
// arc (9 − h) mod 36: plot 0 points 0..18 are arc 9 (left), plot 9 points
// 0..18 arc 0 (up), plot 0 points 19..35 arc 27 (right).
#pragma once

namespace fonderel {

inline constexpr int kClfArcs = 36;    // arcs of a full 10-degree balloon
inline constexpr int kClfAngles = 19;  // values 0..180 degrees on each arc

struct ClfCell {
  int arc;    // 0..35, default arc order
  int angle;  // 0..18, tens of degrees from the axis
};

struct BalloonCell {
  int plot;   // 0..17
  int point;  // 0..35
};

// The CLF cell that holds balloon plot p, point k.
constexpr ClfCell ClfCellOfBalloon(int plot, int point) {
  const int halfPlane = point <= 18 ? plot : plot + 18;
  const int angle = point <= 18 ? point : 36 - point;
  return {((9 - halfPlane) % kClfArcs + kClfArcs) % kClfArcs, angle};
}

// The balloon cell a CLF cell is written from. On axis (angle 0) and at the
// rear (angle 18) every arc meets the same point of its plot.
constexpr BalloonCell BalloonCellOfClf(int arc, int angle) {
  const int halfPlane = ((9 - arc) % kClfArcs + kClfArcs) % kClfArcs;
  if (halfPlane < 18) return {halfPlane, angle};
  return {halfPlane - 18, (36 - angle) % 36};
}

}  // namespace fonderel
