// The About box.
#pragma once

#include <QDialog>

namespace fonderel {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace fonderel
