// The Create window ("New File Creation"): the drawn catalogue of the ten BZ
// patterns, the loudspeaker / noise choice, one pattern box with up-down
// buttons per band, and "OK - prosecute".
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>
#include <array>

#include "core/AppState.h"

namespace fonderel {

// Picture1: paints the catalogue in its 640-unit user scale.
class BzCataloguePicture : public QWidget {
  Q_OBJECT

 public:
  explicit BzCataloguePicture(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

class CreateWindow : public QWidget {
  Q_OBJECT

 public:
  CreateWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  QLineEdit* Box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }

 private:
  QWidget* PatternBox(int i, QWidget* parent);

  AppState& state_;
  Platform& platform_;
  std::array<QLineEdit*, kBandCount> boxes_{};
  QRadioButton* loudspeaker_;
  QRadioButton* noise_;
};

}  // namespace fonderel
