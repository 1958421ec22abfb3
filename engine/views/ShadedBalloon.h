// The directivity balloon as a closed, coloured surface that the user can
// turn: one patch between each four neighbouring samples, coloured by level
// on a perceptually uniform map, sorted back to front so a plain painter
// (screen, printer, PDF) draws it correctly.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Rgb.h"
#include "core/Source.h"


namespace fonderel {

inline constexpr double kShadedRange = 50.0;  // dB below the band's maximum, as the polar curves

// The colour map: 0 = the bottom of the range, 1 = the maximum.
Rgb ColourMap(double share);

// How the balloon is turned and zoomed. The default is the wire frame's
// fixed oblique direction.
struct ShadedView {
  double yaw = 0;    // radians about the screen's vertical axis
  double pitch = 0;  // radians about the screen's horizontal axis
  double zoom = 1;
  friend bool operator==(const ShadedView&, const ShadedView&) = default;
};

struct Point2 {
  double x = 0, y = 0;
};

struct ShadedPatch {
  int plot = 0, point = 0;     // the patch spans plots plot..plot+1, points point..point+1
  std::array<Point2, 4> corners;
  double depth = 0;            // larger is nearer the viewer
  double level = 0;            // dB relative to the band's maximum, -50..0
  Rgb colour;
};

struct ColourBarLabel {
  std::string text;  // "0 dB", "-10 dB", ...
  double y = 0;      // where the label's level lies on the bar
};

struct ShadedPicture {
  std::vector<ShadedPatch> patches;  // back to front; empty when the band holds no data
  Point2 barTopLeft;                 // the colour bar: maximum at the top
  double barWidth = 0, barHeight = 0;
  std::vector<ColourBarLabel> labels;
};

// The picture of `band` for a drawing area of width × height (any unit: the
// painter's), leaving `labelWidth` at the right of the colour bar for its labels.
ShadedPicture ShadeBalloon(const Source& src, int band, const ShadedView& view, double width,
                           double height, double labelWidth);

// The view after a drag of (dx, dy) picture units, and after `steps` wheel
// notches (positive: nearer).
ShadedView Turned(const ShadedView& view, double dx, double dy);
ShadedView Zoomed(const ShadedView& view, double steps);

}  // namespace fonderel
