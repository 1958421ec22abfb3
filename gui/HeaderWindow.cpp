#include "HeaderWindow.h"

#include <QFormLayout>

#include "Twips.h"
#include "app/HeaderEditing.h"
#include "core/Cp1252.h"

namespace fonderel {
namespace {

QString Text(const std::string& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }
std::string Bytes(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QLineEdit* Field(const char* name, const QString& text) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(name);
  return edit;
}

}  // namespace

HeaderWindow::HeaderWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent),
      state_(state),
      platform_(platform),
      name_(Field("NamTxt", {})),
      manufacturer_(Field("ManTxt", {})),
      loBand_(Field("LoBand", "31.5 Hz")),
      hiBand_(Field("HiBand", "16000 Hz")) {
  setObjectName("Header");
  // Four fields in 1900 twips: compact fields, spacing and margins.
  auto* form = new QFormLayout(this);
  form->setContentsMargins(4, 2, 4, 2);
  form->setVerticalSpacing(2);
  form->setHorizontalSpacing(4);
  for (QLineEdit* field : {name_, manufacturer_, loBand_, hiBand_}) {
    field->setFixedHeight(CompactLineHeight(field->fontMetrics()) + 4);
  }
  form->addRow("Name:", name_);
  form->addRow("Manuf.:", manufacturer_);
  form->addRow("1st band :", loBand_);
  form->addRow("Last band :", hiBand_);

  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { HeaderNameEdited(state_, Bytes(text)); });
  connect(manufacturer_, &QLineEdit::textEdited, this,
          [this](const QString& text) { HeaderManufacturerEdited(state_, Bytes(text)); });
  // Enter and leaving the field both end the editing.
  connect(loBand_, &QLineEdit::editingFinished, this, [this] { CheckBand(loBand_); });
  connect(hiBand_, &QLineEdit::editingFinished, this, [this] { CheckBand(hiBand_); });
}

void HeaderWindow::SetFields(const HeaderFields& fields) {
  name_->setText(Text(fields.NamTxt));
  manufacturer_->setText(Text(fields.ManTxt));
  loBand_->setText(Text(fields.LoBand));
  hiBand_->setText(Text(fields.HiBand));
  // A long name shows from its start, not from where the text ends.
  for (QLineEdit* field : {name_, manufacturer_}) {
    if (!field->hasFocus()) field->setCursorPosition(0);
  }
}

void HeaderWindow::CheckBand(QLineEdit* field) {
  // The input box of the check takes the focus, which ends the editing again.
  if (checking_) return;
  checking_ = true;
  const BandField which = field == loBand_ ? BandField::LoBand : BandField::HiBand;
  field->setText(Text(CheckBandField(state_, platform_, which, Bytes(field->text()))));
  checking_ = false;
}

}  // namespace fonderel
