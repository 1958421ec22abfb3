#include "TextLogWindow.h"

#include "core/Cp1252.h"

namespace fonderel {

TextLogWindow::TextLogWindow(TextLog& log, QWidget* parent) : QListWidget(parent), log_(log) {
  setObjectName("List1");
  setUniformItemSizes(true);
  for (const std::string& line : log.Lines()) addItem(QString::fromStdString(MixedTextToUtf8(line)));
  log_.SetListener([this](const std::string* appended) {
    if (appended == nullptr) {
      clear();
      return;
    }
    addItem(QString::fromStdString(MixedTextToUtf8(*appended)));
    setCurrentRow(count() - 1);
  });
}

TextLogWindow::~TextLogWindow() { log_.SetListener(nullptr); }

}  // namespace fonderel
