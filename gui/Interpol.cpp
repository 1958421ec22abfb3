#include "Interpol.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "Twips.h"
#include "core/Cp1252.h"
#include "core/NumberText.h"

namespace fonderel {

namespace {
constexpr double kChartHalfWidth = 240.0;  // the outer ring (200) and its labels
}

InterpolPicture::InterpolPicture(const InterpolModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName("Picture1");
  setMinimumSize(300, 300);
  setCursor(Qt::CrossCursor);
}

double InterpolPicture::Scale() const { return std::min(width(), height()) / (2.0 * kChartHalfWidth); }

QPointF InterpolPicture::ToWidget(ChartPoint p) const {
  return {width() / 2.0 + p.x * Scale(), height() / 2.0 + p.y * Scale()};
}

ChartPoint InterpolPicture::ToChart(QPointF p) const {
  return {(p.x() - width() / 2.0) / Scale(), (p.y() - height() / 2.0) / Scale()};
}

void InterpolPicture::mousePressEvent(QMouseEvent* event) {
  const ChartPoint at = ToChart(event->position());
  if (onPress) onPress(at.x, at.y);
}

void InterpolPicture::paintEvent(QPaintEvent*) {
  const InterpolChart& chart = model_.Chart();
  const double s = Scale();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(QColor(160, 160, 160), 1));
  const QPointF centre = ToWidget({0, 0});
  for (double r : chart.circles) p.drawEllipse(centre, r * s, r * s);
  for (const ChartLine& line : chart.diameters) p.drawLine(ToWidget(line.from), ToWidget(line.to));
  p.setPen(Qt::black);
  const QFontMetricsF metrics(font());
  // In a small window the labels would run into each other: the ring levels
  // (the top one first) are drawn, a label that would overlap one drawn is not.
  std::vector<ChartLabel> labels(chart.labels.begin(), chart.labels.end());
  std::stable_partition(labels.begin(), labels.end(),
                        [](const ChartLabel& l) { return !l.centred; });
  QList<QRectF> drawn;
  for (auto label = labels.begin(); label != labels.end(); ++label) {
    const QString text = QString::fromStdString(label->text);
    QPointF at = ToWidget(label->at);
    if (label->centred) {
      at -= QPointF(metrics.horizontalAdvance(text) / 2.0, -metrics.ascent() / 2.0 + metrics.descent() / 2.0);
    } else {
      at += QPointF(0, metrics.ascent());
    }
    const QRectF box(at.x() - 2, at.y() - metrics.ascent(), metrics.horizontalAdvance(text) + 4,
                     metrics.height());
    if (std::any_of(drawn.begin(), drawn.end(), [&](const QRectF& d) { return d.intersects(box); }))
      continue;
    drawn << box;
    p.drawText(at, text);
  }
  QPolygonF curve;
  for (const ChartPoint& pt : chart.curve) curve << ToWidget(pt);
  p.setPen(QPen(QColor(0, 255, 0), 2));
  p.drawPolygon(curve);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  p.drawEllipse(ToWidget(chart.marker), InterpolChart::kMarkerRadius * s + 1,
                InterpolChart::kMarkerRadius * s + 1);
}

Interpol::Interpol(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent),
      state_(state),
      platform_(platform),
      loadFile_(new QPushButton("Load from File...")),
      horiz_(new QRadioButton("Horizontal")),
      vertic_(new QRadioButton("Vertical")),
      frequency_(new QComboBox),
      grid_(new GridWidget(state.Entry, "MSFlexGrid1")),
      picture_(new InterpolPicture(model_)),
      ok_(new QPushButton("OK - compute the balloon")) {
  setObjectName("Interpol");
  setWindowTitle("Interpolate Polar");
  loadFile_->setObjectName("LoadFile");
  horiz_->setObjectName("Horiz");
  vertic_->setObjectName("Vertic");
  frequency_->setObjectName("Frequency");
  ok_->setObjectName("Command1");
  loadFile_->setAutoDefault(false);
  ok_->setAutoDefault(false);
  for (int b = 1; b <= kBandCount; ++b) {
    frequency_->addItem(QString::fromStdString(SingleText(BandFreq(b)) + " Hz"));
  }

  auto* frame = new QGroupBox("Polar Plot displayed");
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->addWidget(horiz_);
  frameLayout->addWidget(vertic_);
  auto* plots = new QButtonGroup(this);
  plots->addButton(horiz_);
  plots->addButton(vertic_);

  auto* left = new QVBoxLayout;
  left->addWidget(loadFile_);
  left->addWidget(frame);
  left->addWidget(frequency_);
  left->addWidget(grid_, 1);
  left->addWidget(ok_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(picture_, 1);

  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->onCommit = [this](int row, int, const std::string& entry, bool) {
    model_.CommitEntry(row, entry);
    Sync();
  };
  grid_->editBoxText = [this](int row, int col) {
    return model_.Table()[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  };
  grid_->beep = [this] { platform_.Beep(); };
  grid_->copyKey = [this] {
    platform_.SetClipboardText(model_.Copy(grid_->Selection()));
    Sync();
  };
  grid_->pasteKey = [this] {
    if (const auto text = platform_.ClipboardText()) model_.Paste(grid_->Selection(), *text);
    Sync();
  };
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    model_.SetCurrentRow(row);
    picture_->update();
  });
  picture_->onPress = [this](double x, double y) {
    model_.MousePress(x, y);
    Sync();
    grid_->setCurrentCell(model_.CurrentRow(), 1);
  };
  connect(horiz_, &QRadioButton::clicked, this, [this] { ShowChosenPlot(); });
  connect(vertic_, &QRadioButton::clicked, this, [this] { ShowChosenPlot(); });
  connect(frequency_, &QComboBox::activated, this, [this] { ShowChosenPlot(); });
  connect(loadFile_, &QPushButton::clicked, this, [this] {
    model_.LoadFile(state_, platform_);
    Sync();
    if (model_.InterpolationDone) accept();
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (model_.Compute(state_, platform_)) accept();
  });

  Sync();
  grid_->setCurrentCell(1, 1);
  resize(ToPixels(TwipsSize{11000, 8000}));
}

void Interpol::ShowChosenPlot() {
  model_.ShowPlot(frequency_->currentIndex() + 1, horiz_->isChecked());
  Sync();
}

void Interpol::Sync() {
  grid_->SetTable(model_.Table());
  {
    const QSignalBlocker a(horiz_), b(vertic_), c(frequency_);
    (model_.Horizontal() ? horiz_ : vertic_)->setChecked(true);
    frequency_->setCurrentIndex(model_.Band() - 1);
  }
  picture_->update();
}

void InterpolatePolar(AppState& state, Platform& platform, QWidget* parent) {
  if (!BeginInterpolatePolar(state, platform)) return;
  bool done = false;
  {
    Interpol window(state, platform, parent);
    window.exec();
    done = window.Model().InterpolationDone;
  }
  EndInterpolatePolar(state, platform, done);
}

}  // namespace fonderel
