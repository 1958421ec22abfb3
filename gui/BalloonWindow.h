// The Balloon window: the wire frame the engine computed, its band selector,
// and a context menu to copy the picture or save it as PNG.
#pragma once

#include <QComboBox>
#include <QWidget>

#include "core/AppState.h"
#include "views/ShadedBalloon.h"

class QActionGroup;

namespace fonderel {

// The picture box BallPict: paints the wire frame's segments, given in
// twips, or (when chosen) the shaded balloon of the same band, which turns
// with a drag, zooms with the wheel and returns to the wire frame's direction
// on a double-click.
class BallPict : public QWidget {
  Q_OBJECT

 public:
  explicit BallPict(const AppState& state, QWidget* parent = nullptr);
  void SetPicture(const BalloonPicture& picture);
  QImage Render(QSize size) const;
  void SetShaded(bool shaded);
  bool Shaded() const { return shaded_; }
  const ShadedView& View() const { return view_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Paint(QPainter& painter, QSize size) const;
  void SetView(const ShadedView& view);
  const AppState& state_;
  BalloonPicture picture_;
  bool shaded_ = false;
  ShadedView view_;
  QPointF lastMouse_;
};

class BalloonWindow : public QWidget {
  Q_OBJECT

 public:
  BalloonWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  void SetPicture(const BalloonPicture& picture);
  QComboBox* Selector() const { return frequency_; }
  BallPict* Picture() const { return picture_; }
  // The "Wire frame" / "Shaded" choice of the context menu.
  QActionGroup* LookChoice() const { return look_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  AppState& state_;
  Platform& platform_;
  QComboBox* frequency_;
  BallPict* picture_;
  QActionGroup* look_;
};

}  // namespace fonderel
