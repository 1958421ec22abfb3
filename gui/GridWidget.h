// A table of engine-made cell texts that the user types into through the
// shared grid entry protocol (digits and the full stop, Backspace, Enter, the
// navigation keys, F2). The cells themselves are never edited in place.
#pragma once

#include <QTableWidget>
#include <functional>
#include <utility>

#include "core/Platform.h"
#include "views/GridEntry.h"
#include "views/TableEditing.h"

namespace fonderel {

class GridWidget : public QTableWidget {
  Q_OBJECT

 public:
  GridWidget(GridEntry& entry, const QString& objectName, QWidget* parent = nullptr);

  // New cell texts; the edit box then shows the current cell afresh.
  void SetTable(const TextTable& cells);
  // Widths for the label column and the others (pixels), kept over every
  // SetTable; the label column widens where a label would be cut. Without
  // them the label column takes its longest label.
  void SetColumnWidths(int labels, int others);
  // The edit box shows what the current cell holds now, unless an entry is
  // being typed.
  void ShowCurrentInEditBox();
  GridSelection Selection() const;

  // Called with the entry to commit (and whether Enter committed it) for the
  // current cell, before the cursor moves.
  std::function<void(int row, int col, const std::string& entry, bool onEnter)> onCommit;
  // The text the edit box shows for a cell.
  std::function<std::string(int row, int col)> editBoxText;
  std::function<void(const std::string&)> showInEditBox;
  std::function<void()> focusEditBox;
  std::function<void()> beep;
  std::function<void(bool)> focusChanged;
  std::function<void()> copyKey;
  std::function<void()> pasteKey;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Apply(const EntryEffect& effect);

  GridEntry& entry_;
  int labelWidth_ = 0, columnWidth_ = 0;
  std::pair<int, int> emptiedAt_{-1, -1};  // the current cell when the table was emptied
};

}  // namespace fonderel
