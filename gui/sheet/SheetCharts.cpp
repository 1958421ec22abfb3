#include "SheetCharts.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/Coverage.h"
#include "views/PolarCharts.h"

namespace fonderel {
namespace {

const QColor kGrid(200, 200, 200);
const QColor kHorizontal(31, 119, 180);
const QColor kVertical(214, 39, 40);
const QColor kIndex(44, 160, 44);

const char* const kShortBand[] = {"31.5", "63", "125", "250", "500", "1k", "2k", "4k", "8k", "16k"};

void Text(QPainter& p, const QPointF& at, const QString& text, Qt::Alignment align) {
  const QFontMetricsF m(p.font());
  const double w = m.horizontalAdvance(text);
  double x = at.x();
  if (align & Qt::AlignHCenter) x -= w / 2;
  if (align & Qt::AlignRight) x -= w;
  double y = at.y();
  if (align & Qt::AlignVCenter) y += m.ascent() / 2 - 1;
  if (align & Qt::AlignTop) y += m.ascent();
  p.drawText(QPointF(x, y), text);
}

}  // namespace

QColor SheetCurveColour(std::size_t index) {
  static const QColor colours[] = {kHorizontal, QColor(255, 127, 14), kIndex};
  return colours[index % 3];
}

void PaintPolarCurves(QPainter& painter, const QRectF& area, const Source& src, int plane,
                      const std::vector<int>& bands) {
  painter.save();
  const double radius = std::min(area.width(), area.height()) / 2 - 16;
  const QPointF centre = area.center();
  const auto at = [&](double degrees, double value) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double r = std::clamp(value, 0.0, 50.0) / 50.0 * radius;
    return QPointF(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a));
  };
  painter.setPen(QPen(kGrid, 0.5));
  painter.setBrush(Qt::NoBrush);
  for (int ring = 1; ring <= 5; ++ring) {
    const double r = ring / 5.0 * radius;
    painter.drawEllipse(centre, r, r);
  }
  for (int spoke = 0; spoke < 360; spoke += 30) painter.drawLine(centre, at(spoke, 50));
  painter.setPen(Qt::darkGray);
  for (int ring = 1; ring <= 5; ++ring) {
    Text(painter, at(0, ring * 10.0) + QPointF(2, 0), QString::number(ring * 10 - 50),
         Qt::AlignLeft | Qt::AlignVCenter);
  }
  for (int spoke = 0; spoke < 360; spoke += 90) {
    const QPointF label = at(spoke, 50);
    const QPointF out((label.x() - centre.x()) / radius * 7, (label.y() - centre.y()) / radius * 7);
    Text(painter, label + out, QString::number(spoke) + QChar(0x00B0),
         Qt::AlignHCenter | Qt::AlignVCenter);
  }
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::array<double, 36> values = PolarValues(src, plane, bands[i]);
    QPainterPath path;
    for (int k = 0; k <= 36; ++k) {
      const QPointF point = at(10.0 * k, values[static_cast<std::size_t>(k % 36)]);
      k == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    painter.setPen(QPen(SheetCurveColour(i), 1.2));
    painter.drawPath(path);
  }
  painter.restore();
}

void PaintCoverageChart(QPainter& painter, const QRectF& area, const Source& src) {
  painter.save();
  const QFontMetricsF m(painter.font());
  const QRectF plot = area.adjusted(30, 6, -28, -2.5 * m.height() - 6);
  const std::vector<BandCoverage> coverage = ComputeCoverage(src);
  double bottom = 0, top = 10;
  for (const BandCoverage& c : coverage) {
    if (!c.DI) continue;
    top = std::max(top, 5 * std::ceil(*c.DI / 5));
    bottom = std::min(bottom, 5 * std::floor(*c.DI / 5));
  }
  const auto x = [&](int band) { return plot.left() + (band - 0.5) / kBandCount * plot.width(); };
  const auto yAngle = [&](double deg) { return plot.bottom() - deg / 360.0 * plot.height(); };
  const auto yIndex = [&](double dB) {
    return plot.bottom() - (dB - bottom) / (top - bottom) * plot.height();
  };

  painter.setPen(QPen(kGrid, 0.5));
  for (int deg = 0; deg <= 360; deg += 60) {
    painter.drawLine(QPointF(plot.left(), yAngle(deg)), QPointF(plot.right(), yAngle(deg)));
  }
  painter.setPen(QPen(Qt::black, 0.7));
  painter.drawRect(plot);
  for (int deg = 0; deg <= 360; deg += 60) {
    Text(painter, QPointF(plot.left() - 3, yAngle(deg)), QString::number(deg),
         Qt::AlignRight | Qt::AlignVCenter);
  }
  const double step = (top - bottom) > 20 ? 10 : 5;
  for (double dB = bottom; dB <= top + 1e-9; dB += step) {
    Text(painter, QPointF(plot.right() + 3, yIndex(dB)), QString::number(dB),
         Qt::AlignLeft | Qt::AlignVCenter);
  }
  for (int b = 1; b <= kBandCount; ++b) {
    Text(painter, QPointF(x(b), plot.bottom() + 2), kShortBand[b - 1], Qt::AlignHCenter | Qt::AlignTop);
  }
  Text(painter, QPointF(plot.left() - 3, plot.top() - m.height()), "deg", Qt::AlignRight | Qt::AlignVCenter);
  Text(painter, QPointF(plot.right() + 3, plot.top() - m.height()), "dB", Qt::AlignLeft | Qt::AlignVCenter);

  struct Line {
    QColor colour;
    Qt::PenStyle style;
    const char* name;
    std::optional<double> BandCoverage::*value;
    bool index;
  };
  const Line lines[] = {{kHorizontal, Qt::SolidLine, "Horizontal", &BandCoverage::horizontal, false},
                        {kVertical, Qt::SolidLine, "Vertical", &BandCoverage::vertical, false},
                        {kIndex, Qt::DashLine, "DI", &BandCoverage::DI, true}};
  double legendX = plot.left();
  const double legendY = plot.bottom() + 1.8 * m.height() + 4;
  for (const Line& line : lines) {
    QPolygonF points;
    for (const BandCoverage& c : coverage) {
      if (const std::optional<double>& v = c.*line.value) {
        points << QPointF(x(c.band), line.index ? yIndex(*v) : yAngle(*v));
      }
    }
    painter.setPen(QPen(line.colour, 1.2, line.style));
    painter.drawPolyline(points);
    painter.setBrush(line.colour);
    for (const QPointF& p : points) painter.drawEllipse(p, 1.6, 1.6);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(legendX, legendY), QPointF(legendX + 14, legendY));
    painter.setPen(Qt::black);
    Text(painter, QPointF(legendX + 17, legendY), line.name, Qt::AlignLeft | Qt::AlignVCenter);
    legendX += 22 + m.horizontalAdvance(line.name) + 12;
  }
  painter.restore();
}

}  // namespace fonderel
