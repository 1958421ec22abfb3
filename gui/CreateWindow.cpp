#include "CreateWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/BzCommands.h"
#include "bz/BzCatalogue.h"

namespace fonderel {

BzCataloguePicture::BzCataloguePicture(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture1");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setMinimumSize(480, 197);
}

void BzCataloguePicture::paintEvent(QPaintEvent*) {
  const CatalogueDrawing d = DrawBzCatalogue(width(), height());
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The user scale: 640 units across, the same unit downwards.
  const double unit = width() / d.scaleWidth;
  painter.scale(unit, unit);
  painter.setPen(QPen(Qt::black, 0));
  for (const Segment& s : d.lines) painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  for (const CatalogueText& t : d.texts) {
    painter.drawText(QPointF(t.x, t.y + metrics.ascent()), QString::fromStdString(t.text));
  }
}

// The two rows of cells need 258 of the 640 units across.
void BzCataloguePicture::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  setMinimumHeight(width() * 262 / 640);
}

QWidget* CreateWindow::PatternBox(int i, QWidget* parent) {
  auto* cell = new QWidget(parent);
  auto* row = new QHBoxLayout(cell);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto* box = new QLineEdit("0", cell);
  box->setObjectName(QString("Text1_%1").arg(i));
  box->setFixedWidth(32);
  boxes_[static_cast<std::size_t>(i)] = box;
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  for (int step : {1, -1}) {
    auto* arrow = new QToolButton(cell);
    arrow->setObjectName(QString(step > 0 ? "Spin1Up_%1" : "Spin1Down_%1").arg(i));
    arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
    arrow->setFixedSize(16, 11);
    connect(arrow, &QToolButton::clicked, this, [box, step] {
      box->setText(QString::fromStdString(StepBzBox(box->text().toStdString(), step)));
    });
    arrows->addWidget(arrow);
  }
  row->addWidget(box);
  row->addLayout(arrows);
  return cell;
}

CreateWindow::CreateWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform) {
  setObjectName("Create");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new BzCataloguePicture(this), 1);

  auto* kind = new QGroupBox("Sound Source Type", this);
  kind->setObjectName("Frame2");
  auto* kindRow = new QHBoxLayout(kind);
  loudspeaker_ = new QRadioButton("Loudspeaker", kind);
  loudspeaker_->setObjectName("NewSpkTypeLouds");
  loudspeaker_->setChecked(true);
  noise_ = new QRadioButton("Noise Source", kind);
  noise_->setObjectName("NewSpkTypeNoise");
  kindRow->addWidget(loudspeaker_);
  kindRow->addWidget(noise_);
  kindRow->addStretch();
  layout->addWidget(kind);

  auto* bands = new QGroupBox("Select the proper BZ function number for each active frequency band", this);
  bands->setObjectName("Frame3");
  auto* grid = new QGridLayout(bands);
  static const char* const kLabels[] = {"31.5", "63", "125", "250", "500", "1000", "2000", "4000", "8000", "16000"};
  for (int i = 0; i < kBandCount; ++i) {
    auto* label = new QLabel(kLabels[i], bands);
    label->setObjectName(QString("Label10_%1").arg(i));
    grid->addWidget(label, 0, i, Qt::AlignHCenter);
    grid->addWidget(PatternBox(i, bands), 1, i, Qt::AlignHCenter);
  }
  layout->addWidget(bands);

  auto* ok = new QPushButton("OK - prosecute", this);
  ok->setObjectName("Command3");
  connect(ok, &QPushButton::clicked, this, [this] {
    BzBoxes texts;
    for (int i = 0; i < kBandCount; ++i) texts[static_cast<std::size_t>(i)] = Box(i)->text().toStdString();
    CreateWindowOk(state_, platform_, texts, loudspeaker_->isChecked());
  });
  layout->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace fonderel
