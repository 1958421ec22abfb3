// The picture box at the top of the main window's work area: a still picture
// that covers the work area while no view is open.
#pragma once

#include <QWidget>

namespace fonderel {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace fonderel
