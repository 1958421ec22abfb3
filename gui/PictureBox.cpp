#include "PictureBox.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace fonderel {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture1");
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(0x1d, 0x2b, 0x3a));
  // A directivity balloon in outline: a few polar curves of a cardioid.
  const QPointF centre(width() * 0.5, height() * 0.45);
  const double scale = std::min(width(), height()) * 0.28;
  for (int plane = 0; plane < 6; ++plane) {
    QPainterPath path;
    const double squash = std::cos(plane * M_PI / 6.0);
    for (int k = 0; k <= 72; ++k) {
      const double theta = k * M_PI / 36.0;
      const double r = std::pow((1.0 + std::cos(theta)) / 2.0, 1.5) * scale;
      const QPointF pt(centre.x() + r * std::cos(theta) - scale * 0.4,
                       centre.y() + r * std::sin(theta) * squash);
      k == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    p.setPen(QPen(QColor::fromHsv(200 + plane * 8, 120, 230), 1.5));
    p.drawPath(path);
  }
  QFont title = font();
  title.setPointSizeF(title.pointSizeF() * 2.4);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(0xe8, 0xee, 0xf4));
  p.drawText(QRectF(0, height() * 0.78, width(), height() * 0.1), Qt::AlignCenter, "Fonderel");
  QFont sub = font();
  p.setFont(sub);
  p.setPen(QColor(0xa8, 0xb8, 0xc8));
  p.drawText(QRectF(0, height() * 0.87, width(), height() * 0.08), Qt::AlignCenter,
             "Sound source descriptions for room-acoustics simulation");
}

}  // namespace fonderel
