// The typing protocol of the editable grids: which keys start, extend,
// commit or drop an entry, and what the edit box shows meanwhile.
#include "views/GridEntry.h"

#include "app/CaseData.h"
#include "core/NullPlatform.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

// Types a script: characters, the keys {Enter} {Nav} {BS} {F2}, and
// {Move:text} for a move to a cell showing text. The effect of the last event.
EntryEffect Typed(GridEntry& entry, const std::string& script) {
  EntryEffect e;
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] != '{') {
      e = entry.Char(script[i]);
      continue;
    }
    const std::size_t end = script.find('}', i);
    const std::string token = script.substr(i + 1, end - i - 1);
    i = end;
    if (token.starts_with("Move:")) {
      e = entry.CellChanged(token.substr(5));
    } else {
      e = entry.Key(token == "Enter" ? GridKey::Enter
                    : token == "Nav" ? GridKey::Navigation
                    : token == "BS"  ? GridKey::Backspace
                                     : GridKey::F2);
    }
  }
  return e;
}

TEST(GridEntry, Protocol) {
  for (const auto& c : test::Cases("GridEntry", "Protocol")) {
    SCOPED_TRACE(c["what"].get<std::string>());
    GridEntry entry;
    const EntryEffect e = Typed(entry, c["steps"]);
    EXPECT_EQ(e.beep, c.value("beep", false));
    EXPECT_EQ(e.commit, c.contains("commit"));
    if (e.commit) {
      EXPECT_EQ(e.committed, c["commit"]);
      EXPECT_EQ(e.commitOnEnter, c.value("onEnter", false));
    }
    EXPECT_EQ(e.setEditBox, c.contains("editBox"));
    EXPECT_EQ(e.editBox, c.value("editBox", std::string()));
    EXPECT_EQ(e.focusEditBox, c.value("focus", false));
    EXPECT_EQ(entry.EntryText, c.value("entry", std::string()));
    EXPECT_EQ(entry.EntryActive, c.value("active", false));
  }
}

// An entry typed into the grid, then F2 and a value stored from the edit
// box: the stale entry must not overwrite the cell at the next arrow key.
TEST(GridEntry, EditBoxCommitDropsThePendingEntry) {
  AppState state;
  NullPlatform platform;
  state.InfoGridText = TextTable(6, std::vector<std::string>(13));
  Typed(state.Entry, "1{F2}");
  CommitInfoEditBox(state, platform, 1, 3, "99.123");
  EXPECT_FLOAT_EQ(state.src.Lw(3), 99.123f);
  EXPECT_FALSE(state.Entry.Key(GridKey::Navigation).commit);
  state.Entry.Char('2');
  CommitDataEditBox(state, platform, 1, 1, "0.5");
  EXPECT_TRUE(state.Entry.EntryText.empty());
}

}  // namespace
}  // namespace fonderel
