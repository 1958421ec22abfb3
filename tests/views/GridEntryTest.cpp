// The typing protocol of the editable grids: which keys start, extend,
// commit or drop an entry, and what the edit box shows meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "views/GridEntry.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

// One event of a typing script: a character, a key, or a move to another cell.
struct Step {
  enum Kind { Char, Key, Move } kind;
  char c = 0;
  GridKey key = GridKey::Enter;
  std::string cellText;
};
Step Ch(char c) { return {Step::Char, c, GridKey::Enter, {}}; }
Step K(GridKey k) { return {Step::Key, 0, k, {}}; }
Step Mv(std::string text) { return {Step::Move, 0, GridKey::Enter, std::move(text)}; }

std::vector<Step> Typed(const std::string& chars, std::vector<Step> after = {}) {
  std::vector<Step> steps;
  for (char c : chars) steps.push_back(Ch(c));
  steps.insert(steps.end(), after.begin(), after.end());
  return steps;
}

TEST(GridEntry, Protocol) {
  struct Case {
    const char* what;
    std::vector<Step> steps;
    // The effect of the last step.
    bool beep, commit, onEnter;
    const char* committed;
    bool setEditBox;
    const char* editBox;
    bool focusEditBox;
    // The entry state afterwards.
    const char* entryText;
    bool active;
  };
  const Case cases[] = {
      {"12.5 Enter", Typed("12.5", {K(GridKey::Enter)}), false, true, true, "12.5", false, "", false, "", false},
      {"12.5 Down", Typed("12.5", {K(GridKey::Navigation)}), false, true, false, "12.5", false, "", false, "", false},
      {"first digit empties the edit box", Typed("7"), false, false, false, "", true, "7", false, "7", true},
      {"digits extend", Typed("0.12"), false, false, false, "", true, "0.12", false, "0.12", true},
      {"letter ignored", Typed("a"), false, false, false, "", false, "", false, "", false},
      {"minus ignored", Typed("1-"), false, false, false, "", false, "", false, "1", true},
      {"comma ignored", Typed("1,"), false, false, false, "", false, "", false, "1", true},
      {"backspace with nothing typed", {K(GridKey::Backspace)}, false, false, false, "", false, "", false, "", false},
      {"backspace", Typed("12", {K(GridKey::Backspace)}), false, false, false, "", true, "1", false, "1", true},
      {"3 digits then a mouse move", Typed("123", {Mv(" 4.5")}), true, false, false, "", true, " 4.5", false, "", false},
      {"move without entry", {Mv("95.30")}, false, false, false, "", true, "95.30", false, "", false},
      {"F2", {K(GridKey::F2)}, false, false, false, "", false, "", true, "", false},
      {"Enter with nothing typed", {K(GridKey::Enter)}, false, false, false, "", false, "", false, "", false},
      {"navigation without entry", {K(GridKey::Navigation)}, false, false, false, "", false, "", false, "", false},
      {"after a commit a new entry starts", Typed("1", {K(GridKey::Enter), Ch('2'), K(GridKey::Enter)}),
       false, true, true, "2", false, "", false, "", false},
      {"after a dropped entry Enter does nothing", Typed("12", {Mv(""), K(GridKey::Enter)}),
       false, false, false, "", false, "", false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GridEntry entry;
    EntryEffect e;
    for (const Step& s : c.steps) {
      switch (s.kind) {
        case Step::Char: e = entry.Char(s.c); break;
        case Step::Key: e = entry.Key(s.key); break;
        case Step::Move: e = entry.CellChanged(s.cellText); break;
      }
    }
    EXPECT_EQ(e.beep, c.beep);
    EXPECT_EQ(e.commit, c.commit);
    if (c.commit) {
      EXPECT_EQ(e.commitOnEnter, c.onEnter);
      EXPECT_EQ(e.committed, c.committed);
    }
    EXPECT_EQ(e.setEditBox, c.setEditBox);
    if (c.setEditBox) {
      EXPECT_EQ(e.editBox, c.editBox);
    }
    EXPECT_EQ(e.focusEditBox, c.focusEditBox);
    EXPECT_EQ(entry.EntryText, c.entryText);
    EXPECT_EQ(entry.EntryActive, c.active);
  }
}

}  // namespace
}  // namespace fonderel

namespace fonderel {
namespace {

// An entry typed into the grid, then F2 and a value stored from the edit
// box: the stale entry must not overwrite the cell at the next arrow key.
TEST(GridEntry, EditBoxCommitDropsThePendingEntry) {
  AppState state;
  NullPlatform platform;
  state.InfoGridText = TextTable(6, std::vector<std::string>(13));
  state.Entry.Char('1');
  state.Entry.Key(GridKey::F2);
  CommitInfoEditBox(state, platform, 1, 3, "99.123");
  EXPECT_FLOAT_EQ(state.src.Lw(3), 99.123f);
  EXPECT_FALSE(state.Entry.Key(GridKey::Navigation).commit);
  state.Entry.Char('2');
  CommitDataEditBox(state, platform, 1, 1, "0.5");
  EXPECT_TRUE(state.Entry.EntryText.empty());
}

}  // namespace
}  // namespace fonderel
