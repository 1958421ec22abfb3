// An empty frame for a view window whose drawing comes with the view models.
#pragma once

#include <QWidget>

class QMdiArea;

namespace fonderel {

class ViewFrame : public QWidget {
  Q_OBJECT

 public:
  explicit ViewFrame(const QString& objectName, QWidget* parent = nullptr);
};

// Tiles the visible, not minimised child windows of the area: one above the
// other (horizontally) or side by side (vertically).
void Tile(QMdiArea& area, bool horizontally);
// Overlaps the visible, not minimised child windows diagonally, each at
// least the size it opens at and its title bar inside the area.
void Cascade(QMdiArea& area);
// Lines the minimised child windows up along the bottom of the area.
void ArrangeIcons(QMdiArea& area);

}  // namespace fonderel
