// The Header window: name, manufacturer and band range of the source.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

class HeaderWindow : public QWidget {
  Q_OBJECT

 public:
  HeaderWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
  void SetFields(const HeaderFields& fields);

 private:
  void CheckBand(QLineEdit* field);

  AppState& state_;
  Platform& platform_;
  QLineEdit* name_;
  QLineEdit* manufacturer_;
  QLineEdit* loBand_;
  QLineEdit* hiBand_;
  bool checking_ = false;
};

}  // namespace fonderel
