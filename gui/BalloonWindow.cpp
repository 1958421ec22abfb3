#include "BalloonWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ShadedPainter.h"
#include "Twips.h"
#include "views/RefreshViews.h"
#include "views/TableEditing.h"

namespace fonderel {

BallPict::BallPict(const AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
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

void BallPict::SetShaded(bool shaded) {
  shaded_ = shaded;
  update();
}

void BallPict::SetView(const ShadedView& view) {
  if (view == view_) return;
  view_ = view;
  update();
}

void BallPict::Paint(QPainter& painter, QSize size) const {
  // The shaded balloon shows the band the wire frame would: nothing when the
  // engine left the picture empty.
  if (shaded_ && !picture_.segments.empty()) {
    const int band = static_cast<int>(std::lround(state_.SelectedBand));
    PaintShadedBalloon(painter, ShadeBalloon(state_.src, band, view_, size.width(), size.height(),
                                             ColourBarLabelWidth(painter)));
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = 1.0 / kTwipsPerPixel;
  for (const Segment& s : picture_.segments) {
    painter.setPen(QPen(QColor(s.red, s.green, s.blue), 1.0));
    painter.drawLine(QPointF(s.x1 * scale, s.y1 * scale), QPointF(s.x2 * scale, s.y2 * scale));
  }
}

void BallPict::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, size());
}

void BallPict::mousePressEvent(QMouseEvent* event) { lastMouse_ = event->position(); }

void BallPict::mouseMoveEvent(QMouseEvent* event) {
  if (!shaded_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPointF delta = event->position() - lastMouse_;
  lastMouse_ = event->position();
  SetView(Turned(view_, delta.x(), delta.y()));
}

void BallPict::mouseDoubleClickEvent(QMouseEvent*) {
  if (shaded_) SetView({});
}

void BallPict::wheelEvent(QWheelEvent* event) {
  if (!shaded_) return;
  SetView(Zoomed(view_, event->angleDelta().y() / 120.0));
  event->accept();
}

QImage BallPict::Render(QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Paint(painter, size);
  return image;
}

BalloonWindow::BalloonWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent),
      state_(state),
      platform_(platform),
      frequency_(new QComboBox(this)),
      picture_(new BallPict(state, this)),
      look_(new QActionGroup(this)) {
  setObjectName("Balloon");
  frequency_->setObjectName("BallFreq");
  auto* label = new QLabel("Frequency :", this);
  label->move(TwipsToPixels(30), 6);
  frequency_->move(label->x() + label->sizeHint().width() + 6, 2);
  connect(frequency_, &QComboBox::activated, this,
          [this](int position) { BandSelectorClicked(state_, platform_, position); });
  for (const char* caption : {"Wire frame", "Shaded"}) {
    QAction* action = look_->addAction(caption);
    action->setCheckable(true);
    action->setChecked(std::string_view(caption) == "Wire frame");
  }
  connect(look_, &QActionGroup::triggered, this,
          [this](QAction* action) { picture_->SetShaded(action->text() == "Shaded"); });
}

void BalloonWindow::SetPicture(const BalloonPicture& picture) {
  // The picture sits where the engine laid it out, below the selector.
  // An emptied picture (no source) keeps its place.
  if (picture.rect.width > 0 && picture.rect.height > 0) {
    const QRect r = ToPixels(picture.rect);
    picture_->setGeometry(r.left(), frequency_->geometry().bottom() + 6, r.width(), r.height());
  }
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
  menu.addSeparator();
  menu.addActions(look_->actions());
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
