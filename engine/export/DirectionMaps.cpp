#include "export/DirectionMaps.h"

namespace fonderel {
namespace {

// The on-axis point closes every half-plane at point 0, the rear at 18.
int SecondHalfPoint(int a) {
  return a == 0 ? 0 : 36 - a;
}

}  // namespace

BalloonCell CattCell(int h, int a) {
  if (h <= 9) return {9 - h, a};
  if (h >= 28) return {45 - h, a};
  return {27 - h, SecondHalfPoint(a)};
}

BalloonCell EaseCell(int r, int a) {
  if (r >= 0) return {r, a};
  return {r + 18, SecondHalfPoint(a)};
}

BalloonCell EaseMirrorSource(BalloonCell cell) {
  const auto [p, k] = cell;
  if (k == 0 || k == 18 || p == 9) return cell;
  // Plot 0's second half is the rear of its first; plots 1..8 lose their
  // second half, plots 10..17 their first.
  if (p == 0) return k > 18 ? BalloonCell{0, 36 - k} : cell;
  if (p < 9) return k > 18 ? BalloonCell{18 - p, k} : cell;
  return k < 18 ? BalloonCell{18 - p, k} : cell;
}

}  // namespace fonderel
