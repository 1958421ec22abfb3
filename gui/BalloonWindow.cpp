#include "BalloonWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>

#include "Twips.h"
#include "views/RefreshViews.h"
#include "views/TableEditing.h"

namespace fonderel {

BallPict::BallPict(QWidget* parent) : QWidget(parent) {
  setObjectName("BallPict");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void BallPict::SetPicture(const BalloonPicture& picture) {
  picture_ = picture;
  update();
}

void BallPict::Paint(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = 1.0 / kTwipsPerPixel;
  for (const Segment& s : picture_.segments) {
    painter.setPen(QPen(QColor(s.red, s.green, s.blue), 1.0));
    painter.drawLine(QPointF(s.x1 * scale, s.y1 * scale), QPointF(s.x2 * scale, s.y2 * scale));
  }
}

void BallPict::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

QImage BallPict::Render(QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Paint(painter);
  return image;
}

BalloonWindow::BalloonWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent),
      state_(state),
      platform_(platform),
      frequency_(new QComboBox(this)),
      picture_(new BallPict(this)) {
  setObjectName("Balloon");
  frequency_->setObjectName("BallFreq");
  auto* label = new QLabel("Frequency :", this);
  label->move(TwipsToPixels(30), 6);
  frequency_->move(label->x() + label->sizeHint().width() + 6, 2);
  connect(frequency_, &QComboBox::activated, this,
          [this](int position) { BandSelectorClicked(state_, platform_, position); });
}

void BalloonWindow::SetPicture(const BalloonPicture& picture) {
  // The picture sits where the engine laid it out, below the selector.
  const QRect r = ToPixels(picture.rect);
  picture_->setGeometry(r.left(), frequency_->geometry().bottom() + 6, r.width(), r.height());
  picture_->SetPicture(picture);
}

void BalloonWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (state_.SelectorsLive) RedrawBalloon(state_, platform_);
}

void BalloonWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction("Copy Picture");
  QAction* save = menu.addAction("Save Picture As PNG...");
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == nullptr) return;
  const QImage image = picture_->Render(picture_->size());
  if (chosen == copy) {
    QApplication::clipboard()->setImage(image);
  } else if (chosen == save) {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save the Balloon Picture", "balloon.png", "PNG (*.png)");
    if (!path.isEmpty()) image.save(path, "PNG");
  }
}

}  // namespace fonderel
