#include "HeadingsDialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/Cp1252.h"

namespace fonderel {

HeadingsDialog::HeadingsDialog(AppState& state, QWidget* parent) : QDialog(parent) {
  setObjectName("Headings");
  setWindowTitle("Enter Heading Data");
  auto* name = new QLineEdit(QString::fromStdString(Cp1252ToUtf8(state.src.SourceName)));
  name->setObjectName("Nam");
  auto* manufacturer = new QLineEdit(QString::fromStdString(Cp1252ToUtf8(state.src.Manufacturer)));
  manufacturer->setObjectName("man");
  auto* ok = new QPushButton("OK - proceed");
  ok->setObjectName("Command1");
  auto* form = new QFormLayout(this);
  form->addRow("Noise Source Name: ", name);
  form->addRow("Manufacturer :", manufacturer);
  form->addRow(ok);
  // Each field hands its text over when it loses the focus.
  connect(name, &QLineEdit::editingFinished, this, [&state, name] {
    state.src.SourceName = Utf8ToCp1252(name->text().toStdString());
  });
  connect(manufacturer, &QLineEdit::editingFinished, this, [&state, manufacturer] {
    state.src.Manufacturer = Utf8ToCp1252(manufacturer->text().toStdString());
  });
  connect(ok, &QPushButton::clicked, this, [this, name, manufacturer] {
    name->editingFinished();
    manufacturer->editingFinished();
    accept();
  });
}

}  // namespace fonderel
