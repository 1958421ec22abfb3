#include "IsoPictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/Cp1252.h"

namespace fonderel {

LayoutPicture::LayoutPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setMinimumSize(260, 200);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void LayoutPicture::SetSketch(const LayoutSketch& sketch) {
  sketch_ = sketch;
  update();
}

void LayoutPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  if (sketch_.lines.empty() && sketch_.points.empty()) return;
  // The sketch is in twips; it is fitted into the picture, margins kept for the labels.
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
  const auto widen = [&](double x, double y, double r) {
    x0 = std::min(x0, x - r);
    x1 = std::max(x1, x + r);
    y0 = std::min(y0, y - r);
    y1 = std::max(y1, y + r);
  };
  for (const SketchLine& l : sketch_.lines) {
    widen(l.x1, l.y1, 0);
    widen(l.x2, l.y2, 0);
  }
  for (const SketchPoint& pt : sketch_.points) widen(pt.x, pt.y, pt.radius * 2);
  const double margin = 12;
  const double scale = std::min((width() - 2 * margin) / std::max(1.0, x1 - x0),
                                (height() - 2 * margin) / std::max(1.0, y1 - y0));
  const auto map = [&](double x, double y) {
    return QPointF(margin + (x - x0) * scale, margin + (y - y0) * scale);
  };
  const auto colour = [](int c) {
    const Rgb rgb = PaletteColour(c);
    return QColor(rgb.red, rgb.green, rgb.blue);
  };
  for (const SketchLine& l : sketch_.lines) {
    p.setPen(QPen(colour(l.colour), 1.2));
    p.drawLine(map(l.x1, l.y1), map(l.x2, l.y2));
  }
  // Circles and labels keep a readable size whatever the scale.
  for (const SketchPoint& pt : sketch_.points) {
    const QPointF c = map(pt.x, pt.y);
    const double r = std::clamp(pt.radius * scale, 6.0, 11.0);
    p.setPen(QPen(colour(pt.colour), 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    const QString label = QString::fromStdString(Cp1252ToUtf8(pt.label));
    const QRectF box(c.x() - 2 * r, c.y() - r, 4 * r, 2 * r);
    p.drawText(box, Qt::AlignCenter, label);
  }
}

BarChartWidget::BarChartWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("Graph1");
  setMinimumSize(260, 200);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void BarChartWidget::SetChart(const BarChart& chart) {
  chart_ = chart;
  update();
}

void BarChartWidget::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (clicked) clicked();
}

void BarChartWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm = fontMetrics();
  const int line = fm.height();
  p.setPen(Qt::black);
  p.drawText(QRect(0, 4, width(), line), Qt::AlignHCenter, QString::fromStdString(chart_.title));
  // The notes and criteria in a smaller font, at most half the height (the
  // rest elided): the bars keep their room.
  QFont small = font();
  small.setPointSizeF(font().pointSizeF() * 0.85);
  const int noteLine = QFontMetrics(small).height();
  const int shown =
      std::min<int>(static_cast<int>(chart_.notes.size()), height() / 2 / std::max(1, noteLine));
  const int notesHeight = shown * noteLine;
  const QRectF plot(40, 8 + 1.5 * line, width() - 50, height() - 8 - 3 * line - notesHeight - 8);
  if (chart_.values.empty() || plot.height() < 20) return;
  double top = 0;
  for (double v : chart_.values) top = std::max(top, v);
  top = std::max(10.0, std::ceil(top / 10.0) * 10.0);
  // Horizontal lines every 10 dB, the bars from 0 dB up.
  p.setPen(QColor(210, 210, 210));
  for (double v = 0; v <= top; v += 10) {
    const double y = plot.bottom() - v / top * plot.height();
    p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, y - line / 2.0, plot.left() - 4, line), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v));
    p.setPen(QColor(210, 210, 210));
  }
  const double slot = plot.width() / static_cast<double>(chart_.values.size());
  for (std::size_t i = 0; i < chart_.values.size(); ++i) {
    const double v = std::max(0.0, chart_.values[i]);
    const double h = std::min(v, top) / top * plot.height();
    const QRectF bar(plot.left() + slot * i + slot * 0.15, plot.bottom() - h, slot * 0.7, h);
    const Rgb c = i < chart_.colours.size() ? chart_.colours[i] : Rgb{};
    p.fillRect(bar, QColor(c.red, c.green, c.blue));
    p.setPen(Qt::black);
    p.drawText(QRectF(plot.left() + slot * i, plot.bottom() + 2, slot, line), Qt::AlignHCenter,
               QString::fromStdString(chart_.labels[i]));
  }
  p.setPen(QColor(170, 0, 0));
  p.setFont(small);
  const QFontMetrics smallMetrics(small);
  for (int i = 0; i < shown; ++i) {
    const bool last = i == shown - 1 && shown < static_cast<int>(chart_.notes.size());
    const QString text =
        last ? QString("...") : QString::fromStdString(chart_.notes[static_cast<std::size_t>(i)]);
    p.drawText(QRectF(6, plot.bottom() + line + 6 + noteLine * static_cast<double>(i), width() - 12,
                      noteLine),
               Qt::AlignLeft, smallMetrics.elidedText(text, Qt::ElideRight, width() - 12));
  }
}

}  // namespace fonderel
