#include "PolarWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
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

void PolarWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // The chart takes 95 % of the window, 2.5 % in from each side.
  const QRectF area(width() * 0.025, height() * 0.025, width() * 0.95, height() * 0.95);
  const QFontMetrics metrics(font());
  const double margin = metrics.height() * 1.6;
  const double radius = std::max(10.0, std::min(area.width(), area.height()) / 2.0 - margin);
  const QPointF centre = area.center();
  const auto at = [&](double value, int degrees) {
    const double r = std::max(0.0, value) / 50.0 * radius;
    const double a = degrees * M_PI / 180.0;
    return QPointF(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a));
  };
  // Scale: five rings of 10 dB, spokes every 30 degrees.
  p.setPen(QPen(QColor(200, 200, 200), 1));
  for (int ring = 1; ring <= 5; ++ring) {
    const double r = ring * radius / 5.0;
    p.drawEllipse(centre, r, r);
  }
  for (int a = 0; a < 360; a += 30) p.drawLine(centre, at(50, a));
  p.setPen(QColor(90, 90, 90));
  for (int ring = 1; ring <= 5; ++ring) {
    const QString label = QString("%1 dB").arg((ring - 5) * 10);
    p.drawText(at(ring * 10, 0) + QPointF(3, metrics.ascent()), label);
  }
  for (int a = 0; a < 360; a += 30) {
    const QPointF pos = at(50 + 50.0 * margin * 0.55 / radius, a);
    const QString text = QString("%1\u00B0").arg(a);
    const QRectF box(pos.x() - 20, pos.y() - metrics.height() / 2.0, 40, metrics.height());
    p.drawText(box, Qt::AlignCenter, text);
  }
  if (!chart_) return;
  QPainterPath curve;
  for (int k = 0; k <= 36; ++k) {
    const QPointF pt = at(chart_->values[static_cast<std::size_t>(k % 36)], 10 * k);
    k == 0 ? curve.moveTo(pt) : curve.lineTo(pt);
  }
  p.setPen(QPen(QColor(0, 0, 200), 2));
  p.drawPath(curve);
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
