// The Interpolate Polar window: the plot of one band in a table and a chart,
// drawn by typing, pasting or the mouse, or loaded from a measurement file;
// its OK button builds the source. The engine's InterpolModel decides; this
// window shows it and forwards the user's events.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include "GridWidget.h"
#include "core/AppState.h"
#include "polar/Interpol.h"

namespace fonderel {

// The chart `Picture1`: chart units scaled so that the outer ring and its
// labels fit, origin at the centre.
class InterpolPicture : public QWidget {
  Q_OBJECT

 public:
  explicit InterpolPicture(const InterpolModel& model, QWidget* parent = nullptr);
  // The widget position of a point in chart units, and back.
  QPointF ToWidget(ChartPoint p) const;
  ChartPoint ToChart(QPointF p) const;

  std::function<void(double x, double y)> onPress;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double Scale() const;
  const InterpolModel& model_;
};

class Interpol : public QDialog {
  Q_OBJECT

 public:
  Interpol(AppState& state, Platform& platform, QWidget* parent = nullptr);

  const InterpolModel& Model() const { return model_; }
  GridWidget* Grid() const { return grid_; }
  InterpolPicture* Picture() const { return picture_; }

 private:
  void Sync();
  void ShowChosenPlot();

  AppState& state_;
  Platform& platform_;
  InterpolModel model_;
  QPushButton* loadFile_;
  QRadioButton* horiz_;
  QRadioButton* vertic_;
  QComboBox* frequency_;
  GridWidget* grid_;
  InterpolPicture* picture_;
  QPushButton* ok_;
};

// File › Interpolate Polar: the question about unsaved data, the reset, the
// window shown modally, then the caption and, when a source was built, the
// Standard layout.
void InterpolatePolar(AppState& state, Platform& platform, QWidget* parent);

}  // namespace fonderel
