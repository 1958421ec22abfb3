#include "views/GridEntry.h"

namespace fonderel {

EntryEffect GridEntry::Char(char c) {
  EntryEffect e;
  if (!((c >= '0' && c <= '9') || c == '.')) return e;
  if (!EntryActive) {
    EntryActive = true;
    EntryText.clear();
  }
  EntryText += c;
  e.setEditBox = true;
  e.editBox = EntryText;
  return e;
}

EntryEffect GridEntry::Commit(bool onEnter) {
  EntryEffect e;
  e.commit = true;
  e.commitOnEnter = onEnter;
  e.committed = EntryText;
  EntryText.clear();
  EntryActive = false;
  return e;
}

EntryEffect GridEntry::Key(GridKey key) {
  switch (key) {
    case GridKey::Backspace: {
      EntryEffect e;
      if (EntryText.empty()) return e;
      EntryText.pop_back();
      e.setEditBox = true;
      e.editBox = EntryText;
      return e;
    }
    case GridKey::Enter:
      if (EntryText.empty()) return {};
      return Commit(true);
    case GridKey::Navigation:
      if (!EntryActive) return {};
      return Commit(false);
    case GridKey::F2: {
      EntryEffect e;
      e.focusEditBox = true;
      return e;
    }
  }
  return {};
}

EntryEffect GridEntry::CellChanged(const std::string& cellEditText) {
  EntryEffect e;
  e.setEditBox = true;
  e.editBox = cellEditText;
  if (!EntryText.empty()) {
    e.beep = true;
    EntryText.clear();
    EntryActive = false;
  }
  return e;
}

}  // namespace fonderel
