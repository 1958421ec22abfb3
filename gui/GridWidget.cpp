#include "GridWidget.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "core/Cp1252.h"

namespace fonderel {

GridWidget::GridWidget(GridEntry& entry, const QString& objectName, QWidget* parent)
    : QTableWidget(parent), entry_(entry) {
  setObjectName(objectName);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
  horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance("00000.00") + 10);
  connect(this, &QTableWidget::currentCellChanged, this,
          [this](int row, int col, int, int) {
            if (row >= 1 && col >= 1 && editBoxText) Apply(entry_.CellChanged(editBoxText(row, col)));
          });
}

void GridWidget::SetTable(const TextTable& cells) {
  const QSignalBlocker block(this);
  const int rows = static_cast<int>(cells.size());
  int cols = 0;
  for (const auto& row : cells) cols = std::max(cols, static_cast<int>(row.size()));
  // An emptied table (no source) empties the edit box too; the cell the user
  // was on comes back with the next source's table.
  if (rows == 0 && currentRow() >= 0) emptiedAt_ = {currentRow(), currentColumn()};
  if (rowCount() != rows) setRowCount(rows);
  if (columnCount() != cols) setColumnCount(cols);
  if (rows == 0 && showInEditBox) showInEditBox({});
  if (rows > 0 && currentRow() < 0 && emptiedAt_.first >= 0 && emptiedAt_.first < rows &&
      emptiedAt_.second < cols) {
    setCurrentCell(emptiedAt_.first, emptiedAt_.second);
  }
  const QBrush fixed = palette().button();
  for (int r = 0; r < rows; ++r) {
    const auto& row = cells[static_cast<std::size_t>(r)];
    for (int c = 0; c < cols; ++c) {
      const QString text = c < static_cast<int>(row.size())
                               ? QString::fromStdString(Cp1252ToUtf8(row[static_cast<std::size_t>(c)]))
                               : QString();
      QTableWidgetItem* cell = item(r, c);
      if (cell == nullptr) {
        cell = new QTableWidgetItem;
        if (r == 0 || c == 0) {
          cell->setBackground(fixed);
          cell->setFlags(Qt::ItemIsEnabled);
        } else {
          cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        setItem(r, c, cell);
      }
      if (cell->text() != text) cell->setText(text);
    }
  }
  // Every column widens where a text would be cut: a cell shows its whole
  // number, a header its whole caption.
  for (int c = 0; c < cols; ++c) {
    if (labelWidth_ == 0 && c == 0) {
      resizeColumnToContents(0);  // the label column takes its longest label
      continue;
    }
    int width = labelWidth_ == 0 ? horizontalHeader()->defaultSectionSize()
                : c == 0         ? labelWidth_
                                 : columnWidth_;
    for (int r = 0; r < rows; ++r) {
      width = std::max(width, fontMetrics().horizontalAdvance(item(r, c)->text()) + 10);
    }
    setColumnWidth(c, width);
  }
  ShowCurrentInEditBox();
}

void GridWidget::SetColumnWidths(int labels, int others) {
  labelWidth_ = labels;
  columnWidth_ = others;
}

void GridWidget::ShowCurrentInEditBox() {
  if (entry_.EntryActive || !editBoxText || !showInEditBox) return;
  if (currentRow() < 1 || currentColumn() < 1) return;
  showInEditBox(editBoxText(currentRow(), currentColumn()));
}

GridSelection GridWidget::Selection() const {
  GridSelection sel{currentRow(), currentColumn(), currentRow(), currentColumn()};
  const auto ranges = selectedRanges();
  if (ranges.isEmpty()) return sel;
  const QTableWidgetSelectionRange& r = ranges.front();
  // Dragging (or Shift and the arrows) moves the current cell to where the
  // selection ends; where it began is the opposite corner.
  sel.row = sel.rowSel == r.topRow() ? r.bottomRow() : r.topRow();
  sel.col = sel.colSel == r.leftColumn() ? r.rightColumn() : r.leftColumn();
  return sel;
}

void GridWidget::Apply(const EntryEffect& effect) {
  if (effect.beep && beep) beep();
  if (effect.commit && onCommit) {
    onCommit(currentRow(), currentColumn(), effect.committed, effect.commitOnEnter);
  }
  if (effect.setEditBox && showInEditBox) showInEditBox(effect.editBox);
  if (effect.focusEditBox && focusEditBox) focusEditBox();
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) && copyKey) {
    copyKey();
    return;
  }
  if (event->matches(QKeySequence::Paste) && pasteKey) {
    pasteKey();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Backspace:
      Apply(entry_.Key(GridKey::Backspace));
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Apply(entry_.Key(GridKey::Enter));
      return;
    case Qt::Key_F2:
      Apply(entry_.Key(GridKey::F2));
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      // The entry goes into the cell it was typed in, then the cursor moves.
      Apply(entry_.Key(GridKey::Navigation));
      QTableWidget::keyPressEvent(event);
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (text.size() == 1) Apply(entry_.Char(text.at(0).toLatin1()));
}

void GridWidget::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  if (focusChanged) focusChanged(true);
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
  QTableWidget::focusOutEvent(event);
  // Opening the Edit menu must leave its commands as they are.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::MenuBarFocusReason) return;
  if (focusChanged) focusChanged(false);
}

}  // namespace fonderel
