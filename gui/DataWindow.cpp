#include "DataWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "Twips.h"
#include "core/Cp1252.h"

namespace fonderel {

DataWindow::DataWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent),
      state_(state),
      platform_(platform),
      grid_(new GridWidget(state.Entry, "DataGrid")),
      frequency_(new QComboBox),
      cell_(new QLineEdit) {
  setObjectName("DATAs");
  frequency_->setObjectName("Frequency");
  cell_->setObjectName("Cell");
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Frequency Band :"));
  top->addWidget(frequency_);
  top->addSpacing(20);
  top->addWidget(new QLabel("Pointed datum :"));
  top->addWidget(cell_);
  top->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(grid_, 1);

  grid_->onCommit = [this](int row, int col, const std::string& entry, bool onEnter) {
    CommitDataEntry(state_, platform_, row, col, entry, onEnter);
  };
  grid_->editBoxText = [this](int row, int col) { return DataEditBoxText(state_, row, col); };
  grid_->showInEditBox = [this](const std::string& text) {
    if (!cell_->hasFocus()) cell_->setText(QString::fromStdString(Cp1252ToUtf8(text)));
  };
  grid_->focusEditBox = [this] { cell_->setFocus(); };
  grid_->beep = [this] { platform_.Beep(); };
  grid_->focusChanged = [this](bool has) { DataGridFocusChanged(state_, platform_, has); };
  grid_->copyKey = [this] { EditCopy(state_, platform_, grid_->Selection()); };
  grid_->pasteKey = [this] { EditPaste(state_, platform_, grid_->Selection()); };
  connect(cell_, &QLineEdit::returnPressed, this, [this] {
    CommitDataEditBox(state_, platform_, grid_->currentRow(), grid_->currentColumn(),
                      Utf8ToCp1252(cell_->text().toStdString()));
    grid_->setFocus();
    grid_->ShowCurrentInEditBox();
  });
  connect(frequency_, &QComboBox::activated, this,
          [this](int position) { BandSelectorClicked(state_, platform_, position); });
}

}  // namespace fonderel
