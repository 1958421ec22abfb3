#include "iso3744/MicLayout.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace fonderel {
namespace {

void Put(Measurement& m, int mic, double x, double y, double z) {
  m.MicX(mic) = static_cast<float>(x);
  m.MicY(mic) = static_cast<float>(y);
  m.MicZ(mic) = static_cast<float>(z);
}

// The hemisphere's microphones as multiples of the radius.
constexpr double kHemisphere[10][3] = {
    {-0.99, 0, 0.15}, {0.5, -0.86, 0.15},  {0.5, 0.86, 0.15}, {-0.45, 0.77, 0.45},
    {-0.45, -0.77, 0.45}, {0.89, 0, 0.45}, {0.33, 0.57, 0.75}, {-0.66, 0, 0.75},
    {0.33, -0.57, 0.75}, {0, 0, 1.0}};

void PlaceBox(Measurement& m) {
  const double a = m.DimA, b = m.DimB, c = m.DimC;
  m.SrcX = 0.0f;
  m.SrcY = 0.0f;
  m.SrcZ = static_cast<float>(c / 2.0);
  if (m.MicCount == 8) {
    const double e = b + c - 1.0;
    const double h1 = 0.25 * e, h2 = std::min(0.75 * e, c), w = std::min(0.5 * e, b);
    Put(m, 1, a, 0, h1);
    Put(m, 2, 0, b, h1);
    Put(m, 3, -a, 0, h1);
    Put(m, 4, 0, -b, h1);
    Put(m, 5, a / 2, w, h2);
    Put(m, 6, -a / 2, w, h2);
    Put(m, 7, -a / 2, -w, h2);
    Put(m, 8, a / 2, -w, h2);
    return;
  }
  Put(m, 1, a, 0, c / 2);
  Put(m, 2, 0, b, c / 2);
  Put(m, 3, -a, 0, c / 2);
  Put(m, 4, 0, -b, c / 2);
  if (m.MicCount == 5) {
    Put(m, 5, 0, 0, c);
    return;
  }
  Put(m, 5, a, b, c);
  Put(m, 6, -a, b, c);
  Put(m, 7, -a, -b, c);
  Put(m, 8, a, -b, c);
  Put(m, 9, 0, 0, c);
}

std::string Label(int k) { return IntText(k, Lead::None); }

void DrawBox(LayoutSketch& s, double x0, double x1, double y0, double y1, double z1) {
  const double xs[2] = {x0, x1}, ys[2] = {y0, y1}, zs[2] = {0, z1};
  for (double y : ys)
    for (double z : zs) DrawLayoutLine(s, x0, y, z, x1, y, z, 0);
  for (double x : xs)
    for (double z : zs) DrawLayoutLine(s, x, y0, z, x, y1, z, 0);
  for (double x : xs)
    for (double y : ys) DrawLayoutLine(s, x, y, 0, x, y, z1, 0);
}

void DrawAxes(LayoutSketch& s, double a, double b, double c) {
  DrawLayoutLine(s, 0, 0, 0, 2.4 * a, 0, 0, 12);
  DrawLayoutLine(s, 0, 0, 0, 0, 2.4 * b, 0, 10);
  DrawLayoutLine(s, 0, 0, 0, 0, 0, 1.2 * c, 1);
}

// The hemisphere as its floor circle and two upright half circles.
void DrawHemisphere(LayoutSketch& s, double r) {
  constexpr int kSteps = 36;
  constexpr double kPi = 3.141592653589793;
  for (int i = 0; i < kSteps; ++i) {
    const double t0 = 2 * kPi * i / kSteps, t1 = 2 * kPi * (i + 1) / kSteps;
    DrawLayoutLine(s, r * std::cos(t0), r * std::sin(t0), 0, r * std::cos(t1), r * std::sin(t1), 0, 0);
    const double u0 = kPi * i / kSteps, u1 = kPi * (i + 1) / kSteps;
    DrawLayoutLine(s, r * std::cos(u0), 0, r * std::sin(u0), r * std::cos(u1), 0, r * std::sin(u1), 0);
    DrawLayoutLine(s, 0, r * std::cos(u0), r * std::sin(u0), 0, r * std::cos(u1), r * std::sin(u1), 0);
  }
}

}  // namespace

bool PlaceMicrophones(Measurement& m) {
  switch (m.LayoutPositions ? 0 : m.MicCount) {
    case 5:
    case 8:
    case 9:
      PlaceBox(m);
      return true;
    case 10: {
      const double r = 2.0 * m.DimA;
      m.SrcX = m.SrcY = m.SrcZ = 0.0f;
      for (int i = 0; i < 10; ++i) {
        Put(m, i + 1, r * kHemisphere[i][0], r * kHemisphere[i][1], r * kHemisphere[i][2]);
      }
      return true;
    }
    default:
      break;
  }
  if (m.MicLayoutFile.empty()) return false;
  const int n = std::min<int>(m.Rec.NReceivers, kMaxMics);
  for (int k = 1; k <= n; ++k) Put(m, k, m.Rec.RecX(k), m.Rec.RecY(k), m.Rec.RecZ(k));
  return true;
}

void ApplyReceiverLayout(Measurement& m) {
  double xmax = -100, xmin = 100, ymax = -100, ymin = 100, zmax = -100;
  for (int k = 1; k <= m.Rec.NReceivers; ++k) {
    xmax = std::max<double>(xmax, m.Rec.RecX(k));
    xmin = std::min<double>(xmin, m.Rec.RecX(k));
    ymax = std::max<double>(ymax, m.Rec.RecY(k));
    ymin = std::min<double>(ymin, m.Rec.RecY(k));
    zmax = std::max<double>(zmax, m.Rec.RecZ(k));
  }
  m.DimA = static_cast<float>((xmax - xmin) / 2);
  m.DimB = static_cast<float>((ymax - ymin) / 2);
  m.DimC = static_cast<float>(zmax);
  m.MicCount = m.Rec.NReceivers;
  m.LayoutPositions = true;
}

double SketchX(double x, double y) { return 1500 + 300 * x + 200 * y; }
double SketchY(double y, double z) { return 2000 - 300 * z - 200 * y; }

void DrawLayoutLine(LayoutSketch& sketch, double x1, double y1, double z1, double x2, double y2,
                    double z2, int colour) {
  sketch.lines.push_back({SketchX(x1, y1), SketchY(y1, z1), SketchX(x2, y2), SketchY(y2, z2), colour});
}

void DrawMicPoint(LayoutSketch& sketch, double x, double y, double z, double radius, int colour,
                  const std::string& label) {
  sketch.points.push_back({SketchX(x, y), SketchY(y, z), radius, colour, label});
}

LayoutSketch SketchArrangement(const Measurement& m) {
  LayoutSketch s;
  if (IsStandardArrangement(m)) {
    // A fixed, well-proportioned sketch: the stored pictures show the
    // arrangement, not the typed dimensions.
    Measurement shape;
    shape.MicCount = m.MicCount;
    shape.DimA = m.MicCount == 10 ? 1.5f : 2.0f;
    shape.DimB = 1.5f;
    shape.DimC = 2.0f;
    PlaceMicrophones(shape);
    if (m.MicCount == 10) {
      DrawHemisphere(s, 2.0 * shape.DimA);
      DrawAxes(s, 1.5 * shape.DimA, 1.5 * shape.DimA, 2.4 * shape.DimA);
    } else {
      DrawBox(s, -shape.DimA, shape.DimA, -shape.DimB, shape.DimB, shape.DimC);
      DrawAxes(s, shape.DimA, shape.DimB, shape.DimC);
    }
    DrawMicPoint(s, shape.SrcX, shape.SrcY, shape.SrcZ, 80, 0, "S");
    for (int k = 1; k <= m.MicCount; ++k) {
      DrawMicPoint(s, shape.MicX(k), shape.MicY(k), shape.MicZ(k), 100, 0, Label(k));
    }
    return s;
  }
  if (m.MicLayoutFile.empty()) return s;
  const double a = m.DimA, b = m.DimB, c = m.DimC;
  double xmin = 100, xmax = -100, ymin = 100, ymax = -100;
  for (int k = 1; k <= m.Rec.NReceivers; ++k) {
    xmin = std::min<double>(xmin, m.Rec.RecX(k));
    xmax = std::max<double>(xmax, m.Rec.RecX(k));
    ymin = std::min<double>(ymin, m.Rec.RecY(k));
    ymax = std::max<double>(ymax, m.Rec.RecY(k));
  }
  if (m.Rec.NReceivers > 0) DrawBox(s, xmin, xmax, ymin, ymax, c);
  DrawAxes(s, a, b, c);
  DrawMicPoint(s, m.SrcX, m.SrcY, m.SrcZ, 80, 0, "S");
  for (int k = 1; k <= m.Rec.NReceivers; ++k) {
    DrawMicPoint(s, m.Rec.RecX(k), m.Rec.RecY(k), m.Rec.RecZ(k), 100, 0, Label(k));
  }
  return s;
}

Rgb PaletteColour(int colour) {
  static constexpr Rgb kPalette[16] = {
      {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128}, {128, 0, 0},    {128, 0, 128},
      {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},    {0, 255, 255},
      {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};
  return colour >= 0 && colour < 16 ? kPalette[colour] : Rgb{};
}

}  // namespace fonderel
