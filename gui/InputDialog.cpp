#include "InputDialog.h"

#include <QFontMetrics>
#include <QLabel>

namespace fonderel {

std::unique_ptr<QInputDialog> MakeInputDialog(QWidget* parent, const QString& title,
                                              const QString& prompt, const QString& text) {
  auto dialog = std::make_unique<QInputDialog>(parent);
  dialog->setWindowTitle(title);
  dialog->setLabelText(prompt);
  dialog->setTextValue(text);
  // Window managers draw titles in a bold face and keep room for the icon
  // and the buttons of the title bar; without this the band question's long
  // title is cut in the middle ("Invalid…cation").
  QFont bold = dialog->font();
  bold.setBold(true);
  const int width = QFontMetrics(bold).horizontalAdvance(title) + 140;
  // The dialog's layout sets its size from its contents: the prompt's line
  // carries the width.
  if (auto* label = dialog->findChild<QLabel*>()) label->setMinimumWidth(width - 40);
  dialog->setMinimumWidth(width);
  return dialog;
}

}  // namespace fonderel
