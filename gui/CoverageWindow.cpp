#include "CoverageWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <cmath>

#include "views/Coverage.h"

namespace fonderel {
namespace {

QLineSeries* Series(QChart* chart, const QString& name, const QColor& colour) {
  auto* series = new QLineSeries(chart);
  series->setName(name);
  series->setPen(QPen(colour, 2));
  series->setPointsVisible(true);
  chart->addSeries(series);
  return series;
}

}  // namespace

CoverageWindow::CoverageWindow(const AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), chart_(new QChart) {
  setObjectName("Coverage");
  horizontal_ = Series(chart_, "Horizontal (deg)", QColor(31, 119, 180));
  vertical_ = Series(chart_, "Vertical (deg)", QColor(214, 39, 40));
  index_ = Series(chart_, "DI (dB)", QColor(44, 160, 44));
  index_->setPen(QPen(QColor(44, 160, 44), 2, Qt::DashLine));

  // Bands on the horizontal axis, labelled with their centre frequency.
  auto* bands = new QCategoryAxis;
  bands->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  const char* const names[] = {"31.5", "63", "125", "250", "500", "1k", "2k", "4k", "8k", "16k"};
  for (int b = 1; b <= kBandCount; ++b) bands->append(names[b - 1], b);
  bands->setRange(0.5, kBandCount + 0.5);
  bands->setTitleText("Hz");
  auto* angles = new QValueAxis;
  angles->setRange(0, 360);
  angles->setTickCount(7);
  angles->setLabelFormat("%.0f");
  angles->setTitleText("Coverage (deg)");
  auto* index = new QValueAxis;
  index->setLabelFormat("%.0f");
  index->setTitleText("DI (dB)");
  chart_->addAxis(bands, Qt::AlignBottom);
  chart_->addAxis(angles, Qt::AlignLeft);
  chart_->addAxis(index, Qt::AlignRight);
  for (QLineSeries* s : {horizontal_, vertical_}) {
    s->attachAxis(bands);
    s->attachAxis(angles);
  }
  index_->attachAxis(bands);
  index_->attachAxis(index);
  chart_->legend()->setAlignment(Qt::AlignBottom);

  auto* view = new QChartView(chart_, this);
  view->setRenderHint(QPainter::Antialiasing);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);
}

void CoverageWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void CoverageWindow::Refresh() {
  if (!isVisible()) return;
  QList<QPointF> h, v, di;
  double bottom = 0, top = 10;
  for (const BandCoverage& c : ComputeCoverage(state_.src)) {
    if (c.horizontal) h << QPointF(c.band, *c.horizontal);
    if (c.vertical) v << QPointF(c.band, *c.vertical);
    if (c.DI) {
      di << QPointF(c.band, *c.DI);
      top = std::max(top, 5 * std::ceil(*c.DI / 5));
      bottom = std::min(bottom, 5 * std::floor(*c.DI / 5));
    }
  }
  horizontal_->replace(h);
  vertical_->replace(v);
  index_->replace(di);
  for (QAbstractAxis* axis : index_->attachedAxes()) {
    if (axis->alignment() != Qt::AlignRight) continue;
    axis->setRange(bottom, top);
    static_cast<QValueAxis*>(axis)->setTickCount(static_cast<int>((top - bottom) / 5) + 1);
  }
}

}  // namespace fonderel
