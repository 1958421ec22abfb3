#include "GeometryWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "Twips.h"
#include "geometry/GeometryView.h"

namespace fonderel {

GeometryPicture::GeometryPicture(const AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), viewAngle_(kInitialViewAngle) {
  setObjectName("Image1");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void GeometryPicture::SetViewAngle(double degrees) {
  viewAngle_ = degrees;
  update();
}

void GeometryPicture::Paint(QPainter& painter) const {
  // The marker stands at the acoustic centre a measured noise source gives.
  const Vertex centre{state_.Iso.SrcX, state_.Iso.SrcY, state_.Iso.SrcZ};
  const GeometryDrawing d = DrawGeometry(
      state_.src, {PixelsToTwips(width()), PixelsToTwips(height())}, viewAngle_, centre);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
  for (const Segment& s : d.lines) {
    painter.setPen(QPen(QColor(s.red, s.green, s.blue), 0));
    painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
  }
  if (!d.hasMarker) return;
  painter.setPen(QPen(Qt::black, 0));
  painter.drawEllipse(QPointF(d.markerX, d.markerY), d.markerRadius, d.markerRadius);
  // "S" centred on the marker: half its width and height to each side.
  QFont font = painter.font();
  font.setPixelSize(11 * kTwipsPerPixel);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  painter.drawText(QPointF(d.markerX - metrics.horizontalAdvance("S") / 2,
                           d.markerY - metrics.height() / 2 + metrics.ascent()),
                   "S");
}

void GeometryPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

QImage GeometryPicture::Render() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Paint(painter);
  return image;
}

GeometryWindow::GeometryWindow(const AppState& state, QWidget* parent)
    : QWidget(parent),
      picture_(new GeometryPicture(state, this)),
      label_(new QLabel("Rotation", this)),
      slider_(new QSlider(Qt::Horizontal, this)) {
  setObjectName("ViewGeom");
  label_->setObjectName("Label1");
  slider_->setObjectName("Slider1");
  slider_->setToolTip("Rotation about Z axis");
  slider_->setRange(-180, 180);
  slider_->setValue(static_cast<int>(kInitialViewAngle));
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(30);
  picture_->setGeometry(ToPixels(TwipsRect{100, 100, 4000, 3000}));
  connect(slider_, &QSlider::valueChanged, picture_, &GeometryPicture::SetViewAngle);
}

void GeometryWindow::StartAtInitialAngle() {
  slider_->setValue(static_cast<int>(kInitialViewAngle));
  picture_->SetViewAngle(kInitialViewAngle);
}

void GeometryWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QRect p = picture_->geometry();
  const GeometryLayout l = LayoutGeometryWindow(
      {PixelsToTwips(width()), PixelsToTwips(height())},
      {PixelsToTwips(p.left()), PixelsToTwips(p.top()), PixelsToTwips(p.width()), PixelsToTwips(p.height())});
  picture_->setGeometry(ToPixels(l.picture));
  label_->setGeometry(ToPixels(l.label));
  slider_->setGeometry(ToPixels(l.slider));
}

void GeometryWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction("Copy Picture");
  QAction* save = menu.addAction("Save Picture As PNG...");
  QAction* print = menu.addAction("Print...");
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == nullptr) return;
  const QImage image = picture_->Render();
  if (chosen == copy) {
    QApplication::clipboard()->setImage(image);
  } else if (chosen == save) {
    const QString path = QFileDialog::getSaveFileName(this, "Save the Geometry Picture", "geometry.png", "PNG (*.png)");
    if (!path.isEmpty()) image.save(path, "PNG");
  } else if (chosen == print) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = painter.viewport();
    painter.drawImage(QRect(page.topLeft(), image.size().scaled(page.size(), Qt::KeepAspectRatio)), image);
  }
}

}  // namespace fonderel
