// The heading dialog: asks for the name and manufacturer of a new noise source.
#pragma once

#include <QDialog>

#include "core/AppState.h"

namespace fonderel {

class HeadingsDialog : public QDialog {
  Q_OBJECT

 public:
  HeadingsDialog(AppState& state, QWidget* parent = nullptr);
};

}  // namespace fonderel
