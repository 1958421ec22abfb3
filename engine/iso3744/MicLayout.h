// Where the microphones stand: the four standard arrangements on a box or a
// hemisphere, the "User" arrangement taken from a layout file's receivers,
// and the sketch of the arrangement that the window draws.
#pragma once

#include <string>
#include <vector>

#include "core/Rgb.h"
#include "iso3744/Measurement.h"


namespace fonderel {

// Sets MicX/Y/Z(1..N) and SrcX/Y/Z for MicCount = 5, 8, 9 or 10, or from the
// receivers for any other count. False for a "User" arrangement without a
// layout file (nothing is changed then).
bool PlaceMicrophones(Measurement& m);

// The "User" layout just read: the box that holds the receivers (its floor
// at z = 0) gives DimA, DimB, DimC, and MicCount becomes NReceivers.
void ApplyReceiverLayout(Measurement& m);

// A drawing on the picture box, in twips. Colours are those of the 16-colour
// palette (0 black, 1 blue, 10 light green, 12 light red).
struct SketchLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int colour = 0;
};
struct SketchPoint {
  double x = 0, y = 0, radius = 0;
  int colour = 0;
  std::string label;  // printed centred on the point
};
struct LayoutSketch {
  std::vector<SketchLine> lines;
  std::vector<SketchPoint> points;
};

// Oblique projection of a point (m) onto the picture (twips).
double SketchX(double x, double y);
double SketchY(double y, double z);
void DrawLayoutLine(LayoutSketch& sketch, double x1, double y1, double z1, double x2, double y2,
                    double z2, int colour);
void DrawMicPoint(LayoutSketch& sketch, double x, double y, double z, double radius, int colour,
                  const std::string& label);

// The drawing of the arrangement: the box (or hemisphere) with its axes and
// every microphone numbered; for "User" the receivers' box, the source "S"
// and the receivers.
LayoutSketch SketchArrangement(const Measurement& m);

// The RGB colour of a palette entry.
Rgb PaletteColour(int colour);

}  // namespace fonderel
