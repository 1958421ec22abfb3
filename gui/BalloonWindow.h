// The Balloon window: the wire frame the engine computed, its band selector,
// and a context menu to copy the picture or save it as PNG.
#pragma once

#include <QComboBox>
#include <QWidget>

#include "core/AppState.h"

namespace fonderel {

// The picture box BallPict: paints the segments, given in twips.
class BallPict : public QWidget {
  Q_OBJECT

 public:
  explicit BallPict(QWidget* parent = nullptr);
  void SetPicture(const BalloonPicture& picture);
  QImage Render(QSize size) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Paint(QPainter& painter) const;
  BalloonPicture picture_;
};

class BalloonWindow : public QWidget {
  Q_OBJECT

 public:
  BalloonWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  void SetPicture(const BalloonPicture& picture);
  QComboBox* Selector() const { return frequency_; }
  BallPict* Picture() const { return picture_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  AppState& state_;
  Platform& platform_;
  QComboBox* frequency_;
  BallPict* picture_;
};

}  // namespace fonderel
