#include "ViewFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>

namespace fonderel {

ViewFrame::ViewFrame(const QString& objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void Tile(QMdiArea& area, bool horizontally) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : area.subWindowList()) {
    if (w->isVisible() && !w->isMinimized()) windows << w;
  }
  if (windows.isEmpty()) return;
  const QSize size = area.viewport()->size();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    windows[i]->showNormal();
    if (horizontally) {
      const int h = size.height() / n;
      windows[i]->setGeometry(0, i * h, size.width(), h);
    } else {
      const int w = size.width() / n;
      windows[i]->setGeometry(i * w, 0, w, size.height());
    }
  }
}

void ArrangeIcons(QMdiArea& area) {
  int x = 0;
  for (QMdiSubWindow* w : area.subWindowList()) {
    if (!w->isVisible() || !w->isMinimized()) continue;
    const QSize icon = w->size();
    w->move(x, area.viewport()->height() - icon.height());
    x += icon.width();
  }
}

}  // namespace fonderel
