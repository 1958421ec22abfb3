// The text log window: one list of the lines readers, writers and importers
// append, scrolled so the newest line is in view.
#pragma once

#include <QListWidget>

#include "core/TextLog.h"

namespace fonderel {

class TextLogWindow : public QListWidget {
  Q_OBJECT

 public:
  TextLogWindow(TextLog& log, QWidget* parent = nullptr);
  ~TextLogWindow() override;

 private:
  TextLog& log_;
};

}  // namespace fonderel
