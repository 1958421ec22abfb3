#include "ChildWindow.h"

#include <QCloseEvent>

namespace fonderel {

ChildWindow::ChildWindow(const std::int16_t& quitting, QWidget* content, const QString& objectName,
                         const QString& caption, QSize defaultSize)
    : quitting_(quitting), usefulSize_(defaultSize) {
  setObjectName(objectName);
  setWidget(content);
  setWindowTitle(caption);
  setAttribute(Qt::WA_DeleteOnClose, false);
  resize(defaultSize);
}

void ChildWindow::RestoreNormalState() {
  if (!isMinimized() && !isMaximized()) return;
  const bool wasVisible = isVisible();
  showNormal();
  if (!wasVisible) hide();
}

void ChildWindow::closeEvent(QCloseEvent* event) {
  if (quitting_ == 0) {
    hide();
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

}  // namespace fonderel
