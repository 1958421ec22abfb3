#include "ViewFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QStyle>
#include <algorithm>

#include "ChildWindow.h"

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

void Cascade(QMdiArea& area) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : area.subWindowList(QMdiArea::StackingOrder)) {
    if (w->isVisible() && !w->isMinimized()) windows << w;
  }
  if (windows.isEmpty()) return;
  const QSize space = area.viewport()->size();
  QStyle* style = windows.front()->style();
  const int step = std::max(
      12, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()) +
              style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, windows.front()));
  const int n = static_cast<int>(windows.size());
  // The diagonal takes at most a third of the height; longer runs start again
  // at the top, one step further right.
  const int run = std::clamp(space.height() / 3 / step, 1, n);
  const int runs = (n + run - 1) / run;
  const QSize common(space.width() - (run + runs - 2) * step, space.height() - (run - 1) * step);
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* w = windows[i];
    const auto* child = qobject_cast<const ChildWindow*>(w);
    const QSize useful = child ? child->UsefulSize() : w->minimumSizeHint();
    const QSize size = common.expandedTo(useful).boundedTo(space);
    const int x = std::min((i % run) * step + (i / run) * step, space.width() - size.width());
    const int y = std::min((i % run) * step, space.height() - size.height());
    w->showNormal();
    w->setGeometry(std::max(0, x), std::max(0, y), size.width(), size.height());
    w->raise();
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
