// A polar curve window: one plane of the balloon on a 0..50 radial scale
// (10 per 10 dB, the plane's maximum at 50), 0 degrees at the top, angles
// clockwise.
#pragma once

#include <QComboBox>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "core/AppState.h"

namespace fonderel {

class PolarWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PolarWindow(int index, QWidget* parent = nullptr);
  void SetChart(const std::optional<PolarChart>& chart);
  const std::optional<PolarChart>& Chart() const { return chart_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Geometry;
  Geometry Layout() const;
  void PaintScale(QPainter& p, const Geometry& g) const;

  std::optional<PolarChart> chart_;
  QPixmap scale_;  // the rings, spokes and labels, drawn once per size
};

// The PolarMain window: the polar curves' band selector.
class PolarMainWindow : public QWidget {
  Q_OBJECT

 public:
  PolarMainWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  QComboBox* Selector() const { return frequency_; }

 private:
  QComboBox* frequency_;
};

}  // namespace fonderel
