#include "SelectLoudspeaker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Cp1252.h"

namespace fonderel {

SelectLoudspeaker::SelectLoudspeaker(const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent), list_(new QListWidget), ok_(new QPushButton("OK - done")) {
  setObjectName("SelectLoudspeaker");
  setWindowTitle("Loudspeaker selection");
  auto* label = new QLabel("Please, select the loudspeaker to load from the list below...");
  label->setObjectName("Label1");
  list_->setObjectName("List1");
  for (const std::string& name : names) list_->addItem(QString::fromStdString(Cp1252ToUtf8(name)));
  list_->setCurrentRow(-1);
  ok_->setObjectName("Command1");
  ok_->setEnabled(false);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("Command2");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  connect(list_, &QListWidget::itemSelectionChanged, this,
          [this] { ok_->setEnabled(!list_->selectedItems().isEmpty()); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    chosen_ = list_->currentRow();
    accept();
  });
  connect(list_, &QListWidget::itemDoubleClicked, ok_, &QPushButton::click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 320);
}

}  // namespace fonderel
