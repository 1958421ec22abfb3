// The DATAs window ("Directivity Data"): the selected band's balloon as a
// table, its band selector and the "Pointed datum" edit box.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "GridWidget.h"
#include "core/AppState.h"

namespace fonderel {

class DataWindow : public QWidget {
  Q_OBJECT

 public:
  DataWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  void SetTable(const TextTable& cells) { grid_->SetTable(cells); }
  GridWidget* Grid() const { return grid_; }
  QComboBox* Selector() const { return frequency_; }

 private:
  AppState& state_;
  Platform& platform_;
  GridWidget* grid_;
  QComboBox* frequency_;
  QLineEdit* cell_;
};

}  // namespace fonderel
