// The geometry view ("View Geometry"): the enclosing geometry as a wire
// frame, turned about the Z axis with the slider.
#pragma once

#include <QLabel>
#include <QSlider>
#include <QWidget>

#include "core/AppState.h"

namespace fonderel {

// Image1: paints the drawing the engine computes for its size and angle.
class GeometryPicture : public QWidget {
  Q_OBJECT

 public:
  GeometryPicture(const AppState& state, QWidget* parent = nullptr);
  void SetViewAngle(double degrees);
  QImage Render() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Paint(QPainter& painter) const;
  const AppState& state_;
  double viewAngle_;
};

class GeometryWindow : public QWidget {
  Q_OBJECT

 public:
  explicit GeometryWindow(const AppState& state, QWidget* parent = nullptr);
  QSlider* Slider() const { return slider_; }
  GeometryPicture* Picture() const { return picture_; }
  // The slider and the drawing back at the angle the window opens at.
  void StartAtInitialAngle();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  GeometryPicture* picture_;
  QLabel* label_;
  QSlider* slider_;
};

}  // namespace fonderel
