#include "PolarWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <cmath>

#include "views/TableEditing.h"

namespace fonderel {

PolarWindow::PolarWindow(int index, QWidget* parent) : QWidget(parent) {
  setObjectName(QString("Pol%1").arg(index));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void PolarWindow::SetChart(const std::optional<PolarChart>& chart) {
  chart_ = chart;
  update();
}

struct PolarWindow::Geometry {
  QPointF centre;
  double radius;
  double margin;
  // The point of a radial value at an angle: 0 degrees up, clockwise.
  QPointF At(double value, int degrees) const {
    const double r = std::max(0.0, value) / 50.0 * radius;
    const double a = degrees * M_PI / 180.0;
    return {centre.x() + r * std::sin(a), centre.y() - r * std::cos(a)};
  }
};

PolarWindow::Geometry PolarWindow::Layout() const {
  // The chart takes 95 % of the window, 2.5 % in from each side.
  const QRectF area(width() * 0.025, height() * 0.025, width() * 0.95, height() * 0.95);
  const double margin = fontMetrics().height() * 1.6;
  return {area.center(), std::max(10.0, std::min(area.width(), area.height()) / 2.0 - margin),
          margin};
}

void PolarWindow::PaintScale(QPainter& p, const Geometry& g) const {
  const QFontMetrics metrics(font());
  // Five rings of 10 dB, spokes every 30 degrees.
  p.setPen(QPen(QColor(200, 200, 200), 1));
  for (int ring = 1; ring <= 5; ++ring) {
    const double r = ring * g.radius / 5.0;
    p.drawEllipse(g.centre, r, r);
  }
  for (int a = 0; a < 360; a += 30) p.drawLine(g.centre, g.At(50, a));
  p.setPen(QColor(90, 90, 90));
  // Labelled from the outer ring inwards, skipping rings where the labels
  // would run into each other in a small window.
  const double ringGap = g.radius / 5.0;
  const int every = std::max(1, static_cast<int>(std::ceil(metrics.height() / ringGap)));
  for (int ring = 5; ring >= 1; ring -= every) {
    p.drawText(g.At(ring * 10, 0) + QPointF(3, metrics.ascent()),
               QString("%1 dB").arg((ring - 5) * 10));
  }
  for (int a = 0; a < 360; a += 30) {
    const QPointF pos = g.At(50 + 50.0 * g.margin * 0.55 / g.radius, a);
    const QRectF box(pos.x() - 20, pos.y() - metrics.height() / 2.0, 40, metrics.height());
    p.drawText(box, Qt::AlignCenter, QString("%1\u00B0").arg(a));
  }
}

void PolarWindow::paintEvent(QPaintEvent*) {
  const Geometry g = Layout();
  const qreal ratio = devicePixelRatioF();
  if (scale_.size() != size() * ratio) {
    scale_ = QPixmap(size() * ratio);
    scale_.setDevicePixelRatio(ratio);
    scale_.fill(Qt::white);
    QPainter scalePainter(&scale_);
    scalePainter.setRenderHint(QPainter::Antialiasing);
    PaintScale(scalePainter, g);
  }
  QPainter p(this);
  p.drawPixmap(0, 0, scale_);
  if (!chart_) return;
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF curve;
  for (int k = 0; k <= 36; ++k) curve << g.At(chart_->values[static_cast<std::size_t>(k % 36)], 10 * k);
  p.setPen(QPen(QColor(0, 0, 200), 1.5));
  p.drawPolyline(curve);
}

PolarMainWindow::PolarMainWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), frequency_(new QComboBox) {
  setObjectName("PolarMain");
  frequency_->setObjectName("PolarFreq");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(new QLabel("Frequency Band :"));
  layout->addWidget(frequency_, 1);
  connect(frequency_, &QComboBox::activated, this,
          [&state, &platform](int position) { BandSelectorClicked(state, platform, position); });
}

}  // namespace fonderel
