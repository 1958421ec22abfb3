#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace fonderel {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("About");
  setWindowTitle("About Fonderel");
  auto* text = new QLabel(
      "<h2>Fonderel " FONDEREL_VERSION "</h2>"
      "<p>Prepares the description of one sound source at a time, a loudspeaker or a noise "
      "source, for room-acoustics simulation.</p>"
      "<p>Numbers in files always use \".\" as the decimal separator.</p>");
  text->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(360, 200);
}

}  // namespace fonderel
