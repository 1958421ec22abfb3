// The Info window: the per-band data with the overall levels, typed into
// through the grid or the "Pointed Datum" edit box, and the source kind.
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include "GridWidget.h"
#include "core/AppState.h"

namespace fonderel {

class InfoWindow : public QWidget {
  Q_OBJECT

 public:
  InfoWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  void SetTable(const TextTable& cells) { grid_->SetTable(cells); }
  void SetKind(bool loudspeaker);
  GridWidget* Grid() const { return grid_; }

 private:
  AppState& state_;
  Platform& platform_;
  GridWidget* grid_;
  QLineEdit* icell_;
  QRadioButton* speaker_;
  QRadioButton* noise_;
};

}  // namespace fonderel
