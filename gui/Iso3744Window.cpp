#include "Iso3744Window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "HeadingsDialog.h"
#include "IsoReportPage.h"
#include "QtPlatform.h"
#include "core/Cp1252.h"

namespace fonderel {
namespace {

QString Text(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}
std::string Bytes(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

QPushButton* Button(const char* name, const char* text) {
  auto* b = new QPushButton(text);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

Iso3744Window::Iso3744Window(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent),
      state_(state),
      platform_(platform),
      session_(state, platform, *this),
      nmics_(new QComboBox),
      lengthLabel_(new QLabel("lenght (2a)")),
      widthLabel_(new QLabel("width   (2b) =")),
      heightLabel_(new QLabel("height  (c)")),
      grid_(new GridWidget(state.Entry, "Grid1")),
      cell_(new QLineEdit),
      pictures_(new QStackedWidget),
      blank_(new QWidget),
      image_(new LayoutPicture),
      graph_(new BarChartWidget) {
  setObjectName("iso3744");
  setWindowTitle("ISO 3744 (3746)");
  nmics_->setObjectName("Nmics");
  cell_->setObjectName("Cell");
  lenght_ = AddDimension("lenght", DimensionField::Lenght);
  widt_ = AddDimension("widt", DimensionField::Widt);
  heigh_ = AddDimension("heigh", DimensionField::Heigh);
  volume_ = AddDimension("Volume", DimensionField::Volume);
  connect(volume_, &QLineEdit::textEdited, this,
          [this](const QString& text) { session_.VolumeTyped(Bytes(text)); });

  auto* form = new QGridLayout;
  form->addWidget(new QLabel("Number of Microphones:"), 0, 0);
  form->addWidget(nmics_, 0, 1);
  form->addWidget(lengthLabel_, 1, 0);
  form->addWidget(lenght_, 1, 1);
  form->addWidget(widthLabel_, 2, 0);
  form->addWidget(widt_, 2, 1);
  form->addWidget(heightLabel_, 3, 0);
  form->addWidget(heigh_, 3, 1);
  form->addWidget(new QLabel("Test Room Volume"), 4, 0);
  form->addWidget(volume_, 4, 1);
  form->setRowStretch(5, 1);

  auto* top = new QHBoxLayout;
  top->addLayout(form);
  pictures_->setObjectName("Pictures");
  pictures_->addWidget(image_);
  pictures_->addWidget(graph_);
  pictures_->addWidget(blank_);
  top->addWidget(pictures_, 1);

  auto* cellRow = new QHBoxLayout;
  cellRow->addWidget(new QLabel("Pointed datum :"));
  cellRow->addWidget(cell_);
  cellRow->addStretch(1);

  auto* buttons = new QHBoxLayout;
  QPushButton* dispLw = Button("DispLw", "Display Lw");
  QPushButton* ok = Button("OK", "OK - proceed");
  QPushButton* save = Button("Savetfile", "Save to File");
  QPushButton* load = Button("Loadffile", "Load from File");
  QPushButton* print = Button("Command2", "Print Window");
  QPushButton* report = Button("Report", "Report...");
  for (QPushButton* b : {dispLw, save, load, print, report, ok}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 2);
  layout->addLayout(cellRow);
  layout->addWidget(grid_, 3);
  layout->addLayout(buttons);
  resize(900, 640);

  for (const char* entry : {"5", "8", "9", "10", "User"}) nmics_->addItem(entry);
  connect(nmics_, &QComboBox::activated, this,
          [this](int position) { session_.NmicsClick(position); });
  grid_->onCommit = [this](int row, int col, const std::string& entry, bool onEnter) {
    if (QTableWidgetItem* item = grid_->item(row, col)) {
      item->setText(Text(session_.GridCommit(row, col, entry, onEnter)));
    }
  };
  grid_->editBoxText = [this](int row, int col) { return session_.CellEditText(row, col); };
  grid_->showInEditBox = [this](const std::string& text) { cell_->setText(Text(text)); };
  grid_->focusEditBox = [this] { cell_->setFocus(); };
  grid_->beep = [this] { platform_.Beep(); };
  connect(grid_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { session_.LoadMicSpectrum(row); });
  connect(cell_, &QLineEdit::returnPressed, this, [this] {
    const int row = grid_->currentRow(), col = grid_->currentColumn();
    const std::string text = session_.EditBoxEnter(row, col, Bytes(cell_->text()));
    if (QTableWidgetItem* item = grid_->item(row, col); item && row >= 1 && col >= 1) {
      item->setText(Text(text));
    }
    grid_->setFocus();
  });
  graph_->clicked = [this] { session_.ChartClicked(); };
  connect(dispLw, &QPushButton::clicked, this, [this] { session_.DispLw(); });
  connect(ok, &QPushButton::clicked, this, [this] { session_.OK(); });
  connect(save, &QPushButton::clicked, this, [this] { session_.SaveToFile(); });
  connect(load, &QPushButton::clicked, this, [this] { session_.LoadFromFile(); });
  connect(print, &QPushButton::clicked, this, [this] { session_.PrintWindow(); });
  connect(report, &QPushButton::clicked, this, [this] { session_.WriteReport(); });
  // The dialogs give paths as Windows-1252 bytes, as for the datasheet.
  session_.reportWriter = [](const IsoReport& r, const std::string& path) {
    auto written = WriteIsoReport(r, Cp1252ToUtf8(path));
    if (!written) written.error().file = path;
    return written;
  };

  // The load step runs here, once per opening; activating the window again
  // changes nothing.
  session_.Load();
}

QLineEdit* Iso3744Window::AddDimension(const char* name, DimensionField field) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  // Only the user's typing is handed over, when the box loses the focus.
  connect(box, &QLineEdit::editingFinished, this, [this, box, field] {
    if (!box->isModified()) return;
    box->setModified(false);
    session_.DimensionEdited(field, Bytes(box->text()));
  });
  return box;
}

void Iso3744Window::SetDimensionTexts(const DimensionTexts& t) {
  lenght_->setText(Text(t.lenght));
  widt_->setText(Text(t.widt));
  heigh_->setText(Text(t.heigh));
  volume_->setText(Text(t.volume));
}

void Iso3744Window::SetArrangement(const ArrangementView& view) {
  lengthLabel_->setText(Text(view.lengthLabel));
  for (QWidget* w : std::initializer_list<QWidget*>{widthLabel_, widt_, heightLabel_, heigh_}) {
    w->setVisible(view.widthHeightShown);
  }
  const QSignalBlocker block(nmics_);
  nmics_->setCurrentIndex(view.nmicsPosition);
  image_->SetSketch(view.sketch);
}

void Iso3744Window::SetGrid(const TextTable& cells) {
  grid_->SetTable(cells);
  const QSignalBlocker block(grid_);
  grid_->setCurrentCell(1, 1);
}

void Iso3744Window::SetEditBox(const std::string& text) {
  cell_->setText(Text(text));
}

void Iso3744Window::ShowChart(const BarChart& chart) {
  graph_->SetChart(chart);
  pictures_->setCurrentWidget(graph_);
}

void Iso3744Window::ShowPicture() {
  pictures_->setCurrentWidget(image_);
}

void Iso3744Window::HideChartAndPicture() {
  pictures_->setCurrentWidget(blank_);
}

void Iso3744Window::ShowHeadingDialog() {
  if (headingHook) {
    headingHook();
    return;
  }
  HeadingsDialog dialog(state_, this);
  dialog.exec();
}

void Iso3744Window::CloseWindow() {
  done(QDialog::Accepted);
}

bool Iso3744Window::PrintWindow() {
  // The printer of the print dialog just shown, as Print Form uses it.
  auto* qt = dynamic_cast<QtPlatform*>(&platform_);
  if (qt == nullptr) return false;
  const QPixmap image = grab();
  QPainter painter;
  if (!painter.begin(&qt->Printer())) return false;
  const QRect page = painter.viewport();
  painter.drawPixmap(QRect(page.topLeft(), image.size().scaled(page.size(), Qt::KeepAspectRatio)),
                     image);
  return painter.end();
}

}  // namespace fonderel
