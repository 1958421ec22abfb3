// The typing protocol shared by every editable grid (Info, DATAs, and the
// measurement grid): digits and the full stop only, Backspace, Enter, the
// navigation keys, F2, and moving to another cell.
#pragma once

#include <string>

namespace fonderel {

enum class GridKey { Backspace, Enter, Navigation, F2 };

// What the window does after an event, in this order: beep, commit the
// entry (on Enter the data count as changed), show a text in the edit box,
// move the focus to the edit box.
struct EntryEffect {
  bool beep = false;
  bool commit = false;
  bool commitOnEnter = false;  // the commit came from Enter, not a navigation key
  std::string committed;       // the entry text that is committed
  bool setEditBox = false;
  std::string editBox;
  bool focusEditBox = false;
};

class GridEntry {
 public:
  std::string EntryText;
  bool EntryActive = false;

  // A typed character; anything but a digit or '.' is ignored.
  EntryEffect Char(char c);
  EntryEffect Key(GridKey key);
  // The current cell moved (by mouse or keys) to a cell of the data area;
  // `cellEditText` is what the edit box shows for it.
  EntryEffect CellChanged(const std::string& cellEditText);

 private:
  EntryEffect Commit(bool onEnter);
};

}  // namespace fonderel
