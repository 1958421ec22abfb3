// The two pictures of the measurement window: Image1, the sketch of the
// microphone arrangement, and Graph1, the bar chart of the sound power.
#pragma once

#include <QWidget>
#include <functional>

#include "iso3744/IsoView.h"

namespace fonderel {

class LayoutPicture : public QWidget {
  Q_OBJECT

 public:
  explicit LayoutPicture(QWidget* parent = nullptr);
  void SetSketch(const LayoutSketch& sketch);
  const LayoutSketch& Sketch() const { return sketch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LayoutSketch sketch_;
};

class BarChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit BarChartWidget(QWidget* parent = nullptr);
  void SetChart(const BarChart& chart);
  const BarChart& Chart() const { return chart_; }
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  BarChart chart_;
};

}  // namespace fonderel
