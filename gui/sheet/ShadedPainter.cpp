#include "ShadedPainter.h"

#include <QFontMetricsF>
#include <QPolygonF>

namespace fonderel {

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

double ColourBarLabelWidth(const QPainter& painter) {
  return QFontMetricsF(painter.font()).horizontalAdvance("-50 dB") + 6;
}

void PaintShadedBalloon(QPainter& painter, const ShadedPicture& picture) {
  painter.save();
  // A zoomed balloon stops short of the colour bar, so its labels stay readable.
  constexpr double kFar = 1e6;
  painter.setClipRect(QRectF(-kFar, -kFar, kFar + picture.barTopLeft.x - 3, 2 * kFar),
                      Qt::IntersectClip);
  // Each patch is outlined a shade darker: no background shows through the
  // seams, and the mesh lets the eye read the surface's shape.
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const ShadedPatch& patch : picture.patches) {
    const QColor colour = ToQColor(patch.colour);
    painter.setPen(QPen(colour.darker(112), 0));
    painter.setBrush(colour);
    const QPointF corners[4] = {{patch.corners[0].x, patch.corners[0].y},
                                {patch.corners[1].x, patch.corners[1].y},
                                {patch.corners[2].x, patch.corners[2].y},
                                {patch.corners[3].x, patch.corners[3].y}};
    painter.drawConvexPolygon(corners, 4);
  }

  painter.setClipping(false);
  constexpr int kSlices = 50;
  const Point2 top = picture.barTopLeft;
  const double slice = picture.barHeight / kSlices;
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < kSlices; ++i) {
    painter.setBrush(ToQColor(ColourMap(1.0 - (i + 0.5) / kSlices)));
    painter.drawRect(QRectF(top.x, top.y + i * slice, picture.barWidth, slice + 0.5));
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(QRectF(top.x, top.y, picture.barWidth, picture.barHeight));
  const QFontMetricsF metrics(painter.font());
  for (const ColourBarLabel& label : picture.labels) {
    const double x = top.x + picture.barWidth;
    painter.drawLine(QPointF(x, label.y), QPointF(x + 3, label.y));
    painter.drawText(QPointF(x + 5, label.y + metrics.ascent() / 2 - 1),
                     QString::fromStdString(label.text));
  }
  painter.restore();
}

}  // namespace fonderel
