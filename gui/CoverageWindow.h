// The Coverage window: the -6 dB coverage angles of the horizontal and the
// vertical plane and the directivity index against band, as the engine
// computes them. Bands without data are left out.
#pragma once

#include <QWidget>

#include "core/AppState.h"

class QChart;
class QLineSeries;

namespace fonderel {

class CoverageWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CoverageWindow(const AppState& state, QWidget* parent = nullptr);
  // Brings the chart into line with the source; does nothing while hidden.
  void Refresh();
  QChart* Chart() const { return chart_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const AppState& state_;
  QChart* chart_;
  QLineSeries* horizontal_;
  QLineSeries* vertical_;
  QLineSeries* index_;
};

}  // namespace fonderel
