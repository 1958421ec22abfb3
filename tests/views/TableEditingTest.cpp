// Edits through the Info and DATAs tables on a loaded source: the typing
// protocol of the grids, commits by Enter, by navigation keys and by the edit
// boxes, the Edit menu's clipboard commands, the band selector and the
// source-kind buttons. The Info and DATAs table texts: labels, number formats
// and the truncated directivity; the overall Lin and A levels, and the band
// tables they and the importers share.
#include "views/TableEditing.h"

#include <cmath>
#include <functional>

#include "app/CaseData.h"
#include "core/BandTables.h"
#include "core/NullPlatform.h"
#include "core/NumberText.h"
#include "views/GridEntry.h"
#include "views/InfoTable.h"
#include "views/PowerTotals.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

using test::Cases;

// LOUD_3_8.SPK (bands 3..8) read and shown: band 3 selected, its plane 0
// begins .5, 1.0, 0.0, 12.3457, .1; plane 1 12.8486, 42.8212, 72.7938, 2.7681.
struct Session : test::LoadedSource<> {
  Session() {
    RefreshViews(state, platform);
    state.src.DataSaved = kTrue;
  }
  Source& src() { return state.src; }
  // Types `chars` and ends the entry with `end`; the entry is committed at (row, col).
  void Type(bool info, int row, int col, const std::string& chars, GridKey end) {
    for (char c : chars) state.Entry.Char(c);
    const EntryEffect e = state.Entry.Key(end);
    ASSERT_TRUE(e.commit);
    (info ? CommitInfoEntry : CommitDataEntry)(state, platform, row, col, e.committed,
                                               e.commitOnEnter);
  }
};

// The Info fields a commit can reach, as one list: Lw 1..12, then DirQ,
// Sensitivity, Impedance and Efficiency of bands 1..10.
std::vector<float> InfoFields(Source& src) {
  std::vector<float> v;
  for (int i = 1; i <= 12; ++i) v.push_back(src.Lw(i));
  for (auto* field : {&src.DirQ, &src.Sensitivity, &src.Impedance, &src.Efficiency}) {
    for (int i = 1; i <= kBandCount; ++i) v.push_back((*field)(i));
  }
  return v;
}

TEST(TableEditing, InfoCommitTargets) {
  for (const auto& c : Cases("TableEditing", "InfoCommitTargets/cases")) {
    const int row = c[0], col = c[1], slot = c[2];
    SCOPED_TRACE(::testing::Message() << "row " << row << " col " << col);
    Session s;
    std::vector<float> expected = InfoFields(s.src());
    if (slot >= 0) expected[static_cast<std::size_t>(slot)] = 55.0f;
    TextTable expectedTable = s.state.InfoGridText;
    if (row >= 1 && col >= 1) expectedTable[row][col] = "55.00";
    s.Type(true, row, col, "55", GridKey::Navigation);
    EXPECT_EQ(InfoFields(s.src()), expected);
    EXPECT_EQ(s.state.InfoGridText, expectedTable);
  }
}

// Each case: the table, the cell, the text and how it is ended (Enter, the
// Down arrow or the table's edit box); the number stored (Info: in slot of
// InfoFields; DATAs: plane row - 1, point col - 1 of band 3), the tables
// pushed, cells of the first one pushed and of the last, and the edit box's
// text. Lin and A are 10·log10 of Σ10^(Lw/10) over bands 3..8 plus four 0 dB
// bands; only the refresh after an Enter or an edit box shows them anew.
TEST(TableEditing, CommitsStoreAndShow) {
  for (const auto& c : Cases("TableEditing", "Commits/cases")) {
    SCOPED_TRACE(c.dump());
    Session s;
    const bool info = c["table"] == "Info";
    const int row = c["row"], col = c["col"];
    const auto& tables = info ? s.platform.infoTables : s.platform.dataTables;
    const std::size_t before = tables.size();
    if (c["end"] == "box") {
      (info ? CommitInfoEditBox : CommitDataEditBox)(s.state, s.platform, row, col, c["typed"]);
    } else {
      s.Type(info, row, col, c["typed"],
             c["end"] == "Enter" ? GridKey::Enter : GridKey::Navigation);
    }
    EXPECT_EQ(info ? InfoFields(s.src())[c["slot"].get<std::size_t>()]
                   : s.src().BalloonData(row - 1, col - 1, 3),
              c["stored"].get<float>());
    EXPECT_EQ(s.src().DataSaved, kFalse);
    ASSERT_EQ(tables.size(), before + c["pushed"].get<std::size_t>());
    test::ExpectCells(tables[before], c["atOnce"]);
    test::ExpectCells(tables.back(), c["after"]);
    test::ExpectCells(info ? s.state.InfoGridText : s.state.DataGridText, c["after"]);
    EXPECT_EQ((info ? InfoEditBoxText : DataEditBoxText)(s.state, row, col), c["box"]);
  }
}

// Selection 2 × 3 from grid (1, 2): plane 0 and 1, points 1..3 of band 3.
constexpr GridSelection kSel2x3{1, 2, 2, 4};
const char kOldSix[] = "1.000\t0.000\t12.346\r42.821\t72.794\t2.768\r";

// Cut zeroes the selection of the selected band only and Copy changes
// nothing; both put the cells shown on the clipboard. Delete empties the
// cells only: a band change and back shows the old values.
TEST(TableEditing, CutCopyAndDelete) {
  for (const auto edit : {EditCut, EditCopy, EditDelete}) {
    const bool cut = edit == EditCut, copy = edit == EditCopy;
    SCOPED_TRACE(cut ? "Cut" : copy ? "Copy" : "Delete");
    Session s;
    const Source before = s.src();
    edit(s.state, s.platform, kSel2x3);
    if (cut || copy) {
      EXPECT_EQ(s.platform.clipboard, std::string(kOldSix));
      EXPECT_EQ(s.platform.editEnabled, "XXXX");
    }
    for (int p = 0; p <= 2; ++p) {
      for (int k = 0; k <= 4; ++k) {
        const bool zeroed = cut && p <= 1 && k >= 1 && k <= 3;
        EXPECT_EQ(s.src().BalloonData(p, k, 3), zeroed ? 0.0f : before.BalloonData(p, k, 3));
        EXPECT_EQ(s.src().BalloonData(p, k, 4), before.BalloonData(p, k, 4));
      }
    }
    test::ExpectCells(s.state.DataGridText, Cases("TableEditing", copy ? "Unchanged" : "AfterCut"));
    EXPECT_EQ(s.platform.dataTables.back(), s.state.DataGridText);
    EXPECT_EQ(s.src().DataSaved, cut ? kFalse : kTrue);
    if (cut) continue;
    s.state.SelectorsLive = true;
    BandSelectorClicked(s.state, s.platform, 3);
    BandSelectorClicked(s.state, s.platform, 2);
    test::ExpectCells(s.state.DataGridText, Cases("TableEditing", "Unchanged"));
  }
}

// Paste of a 2 × 2 block with the current cell at each corner of the
// selection stores only when the selection was made downwards and rightwards;
// text stores its leading number.
TEST(TableEditing, PasteStoresOnlyTowardsTheSelectionEnd) {
  for (const auto& c : Cases("TableEditing", "Paste/cases")) {
    SCOPED_TRACE(c.dump());
    const bool stores = c[4];
    Session s;
    const Source before = s.src();
    s.platform.clipboard = "1\t2\r3\t4\r";
    EditPaste(s.state, s.platform, {c[0], c[1], c[2], c[3]});
    test::ExpectCells(s.state.DataGridText, Cases("TableEditing", "AfterPaste"));
    for (int i = 0; i < 4; ++i) {
      const int p = 2 + i / 2, k = 4 + i % 2;
      EXPECT_EQ(s.src().BalloonData(p, k, 3), stores ? i + 1.0f : before.BalloonData(p, k, 3));
    }
    EXPECT_EQ(s.src().DataSaved, stores ? kFalse : kTrue);
  }
  Session s;
  s.platform.clipboard = "abc\t2.5 dB\r";
  EditPaste(s.state, s.platform, {1, 1, 1, 2});
  EXPECT_EQ(s.src().BalloonData(0, 0, 3), 0.0f);
  EXPECT_EQ(s.src().BalloonData(0, 1, 3), 2.5f);
}

// Before the selectors are live a click selects the band but shows nothing
// new (a live click refreshes: RefreshViews.SelectorEventsDuringARefreshDoNothing).
// Once the source is reset, the views are emptied at once (no stale name,
// table or curve), and every way of storing a typed or pasted value is
// refused with a message instead of being kept where no save finds it.
TEST(TableEditing, EmptySourceShowsEmptyViewsAndRefusesEntries) {
  using Entry = std::function<void(AppState&, Platform&)>;
  const GridSelection cell{1, 3, 1, 3};
  const std::vector<Entry> entries = {
      [](AppState& a, Platform& p) { CommitInfoEntry(a, p, 1, 3, "12", true); },
      [](AppState& a, Platform& p) { CommitInfoEntry(a, p, 2, 3, "12", false); },
      [](AppState& a, Platform& p) { CommitInfoEditBox(a, p, 1, 3, "12"); },
      [](AppState& a, Platform& p) { CommitDataEntry(a, p, 1, 3, "12", true); },
      [](AppState& a, Platform& p) { CommitDataEditBox(a, p, 1, 3, "12"); },
      [cell](AppState& a, Platform& p) { EditCut(a, p, cell); },
      [cell](AppState& a, Platform& p) { EditPaste(a, p, cell); },
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(i);
    Session s;
    ResetSource(s.state, s.platform, true);
    const HeaderFields& h = s.platform.headers.back();
    EXPECT_EQ(h.NamTxt + "|" + h.ManTxt + "|" + h.LoBand + "|" + h.HiBand, "||31.5 Hz|16000 Hz");
    EXPECT_TRUE(s.platform.infoTables.back().empty());
    EXPECT_TRUE(s.platform.dataTables.back().empty());
    EXPECT_TRUE(s.platform.balloons.back().segments.empty());
    EXPECT_TRUE(s.platform.polar.empty());
    s.state.src.BalloonData(0, 2, 1) = 0.0f;
    s.platform.clipboard = "7";
    s.platform.calls.clear();
    entries[i](s.state, s.platform);
    EXPECT_EQ(test::CallsStarting(s.platform, "ShowMessage "),
              std::vector<std::string>{std::string("ShowMessage ") + kNoSourceTitle + "|" +
                                       kNoSourceText});
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(s.src().Lw(3) + s.src().DirQ(3) + s.src().BalloonData(0, 2, 1), 0.0f);
  }
}

TEST(TableEditing, BandSelectorClickBeforeTheSelectorsAreLive) {
  Session s;
  const std::size_t before = s.platform.dataTables.size();
  BandSelectorClicked(s.state, s.platform, 4);
  EXPECT_EQ(s.state.SelectedBand, 5.0f);
  EXPECT_EQ(s.platform.dataTables.size(), before);
}

// The source-kind buttons; the Info window stays.
TEST(TableEditing, SourceKindButtons) {
  for (const auto& c : Cases("TableEditing", "SourceKind/cases")) {
    SCOPED_TRACE(c.dump());
    Session s;
    s.src().SourceKind = c[0];
    s.platform.visible["Info"] = true;
    SourceKindChosen(s.state, s.platform, c[1] != 0);
    EXPECT_EQ(s.src().SourceKind, c[2].get<float>());
    EXPECT_EQ(s.src().DataSaved, c[3] != 0 ? kFalse : kTrue);
    EXPECT_TRUE(s.platform.visible["Info"]);
  }
}

// A number beyond the single range, typed as 40 digits, into an edit box or
// pasted: no field may become infinite (the views would show "inf", the
// balloon would get NaN coordinates, and Save refuses the description).
TEST(TableEditing, NumberBeyondSingleRangeStaysFinite) {
  const std::string huge = "1" + std::string(39, '0');
  Session s;
  s.Type(true, 1, 4, huge, GridKey::Enter);
  CommitInfoEditBox(s.state, s.platform, 2, 5, "1e39");
  CommitDataEditBox(s.state, s.platform, 1, 1, "1e39");
  s.Type(false, 1, 2, huge, GridKey::Enter);
  s.platform.clipboard = "1e39\r";
  EditPaste(s.state, s.platform, {1, 3, 1, 3});
  EXPECT_TRUE(std::isfinite(s.src().Lw(4)));
  EXPECT_TRUE(std::isfinite(s.src().DirQ(5)));
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(std::isfinite(s.src().BalloonData(0, k, 3))) << k;
}

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
  state.src.FirstBand = 1;
  state.src.LastBand = kBandCount;
  state.InfoGridText = TextTable(6, std::vector<std::string>(13));
  Typed(state.Entry, "1{F2}");
  CommitInfoEditBox(state, platform, 1, 3, "99.123");
  EXPECT_FLOAT_EQ(state.src.Lw(3), 99.123f);
  EXPECT_FALSE(state.Entry.Key(GridKey::Navigation).commit);
  state.Entry.Char('2');
  CommitDataEditBox(state, platform, 1, 1, "0.5");
  EXPECT_TRUE(state.Entry.EntryText.empty());
}

// The tables of a source of the 1 kHz band alone (band 6, zero data).
TEST(InfoTable, ShapeHeaderAndLabels) {
  const TextTable t = InfoTable(*test::FilledBand(6, 0, 6, 6));
  const auto labels = Cases("InfoTable", "Labels");
  ASSERT_EQ(t.size(), 6u);
  for (std::size_t r = 0; r < 6; ++r) {
    ASSERT_EQ(t[r].size(), 13u) << "row " << r;
    EXPECT_EQ(t[r][0], labels[r]);
    EXPECT_TRUE(r < 2 || t[r][11] + t[r][12] == "") << "row " << r;  // no totals
  }
  EXPECT_EQ(t[0], Cases("InfoTable", "Header").get<std::vector<std::string>>());
}

// DirQ as stored and the Directivity cell: cut down to two decimals.
TEST(InfoTable, DirectivityIsTruncated) {
  auto src = test::FilledBand(6, 0, 6, 6);
  for (const auto& c : Cases("InfoTable", "Directivity")) {
    src->DirQ(4) = c[0].get<float>();
    EXPECT_EQ(InfoTable(*src)[2][4], c[1]) << c[0];
  }
}

// Every band column is filled from its own field, also outside the range.
TEST(InfoTable, EveryBandColumnFilled) {
  auto src = test::FilledBand(6, 0, 6, 6);  // the range is 1 kHz only
  src->Lw(1) = 12.345f;
  src->DirQ(2) = 4.5f;
  src->Sensitivity(10) = 88.5f;
  src->Impedance(9) = 8.0f;
  src->Efficiency(3) = 0.375f;
  src->Lw(6) = -3.0f;
  test::ExpectCells(InfoTable(*src), Cases("InfoTable", "EveryBandColumn"));
}

TEST(InfoTable, DataTableShapeLabelsAndValues) {
  auto src = test::FilledBand(6, 0, 6, 6);
  src->BalloonData(0, 0, 6) = 0.5f;
  src->BalloonData(0, 1, 6) = 1.23456f;
  src->BalloonData(17, 35, 6) = 12.3457f;
  src->BalloonData(4, 7, 6) = 0.0001f;
  src->BalloonData(4, 8, 6) = 250.0f;
  src->BalloonData(0, 0, 5) = 9.0f;  // another band does not show
  const TextTable t = DataTable(*src, 6);
  ASSERT_EQ(t.size(), 19u);
  for (std::size_t r = 0; r < t.size(); ++r) ASSERT_EQ(t[r].size(), 37u) << "row " << r;
  test::ExpectCells(t, Cases("InfoTable", "DataTable"));
}

TEST(InfoTable, RowTextsJoinCellsWithTabs) {
  const TextTable t = {{"a", "b", "c"}, {"", "x", ""}, {"only"}, {}};
  EXPECT_EQ(RowTexts(t), (std::vector<std::string>{"a\tb\tc", "\tx\t", "only", ""}));
}

// Levels worked out from 10^(L/10) sums; bands outside the range count as
// well, the stored totals take no part.
TEST(PowerTotals, OverallLevelsOverAllTenBands) {
  auto src = std::make_unique<Source>();
  src->FirstBand = src->LastBand = 6;
  for (const auto& c : test::Cases("PowerTotals", "OverallLevels")) {
    for (int b = 1; b <= 10; ++b) src->Lw(b) = c["lw"][b - 1];
    src->Lw(11) = src->Lw(12) = 200.0f;
    const PowerTotals t = ComputePowerTotals(*src);
    EXPECT_NEAR(t.Lin, c["lin"], 1e-9) << c["linText"];
    EXPECT_NEAR(t.A, c["a"], 1e-5) << c["aText"];  // the corrections are singles
    EXPECT_EQ(FormatNumber(t.Lin, "###0.00"), c["linText"]);
    EXPECT_EQ(FormatNumber(t.A, "###0.00"), c["aText"]);
  }
}

TEST(BandTables, ZoneWeightsCoverTheSphere) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int a = 0; a <= 18; ++a) {
    sum += w(a);
    EXPECT_NEAR(w(a), w(18 - a), 1e-8) << a;
  }
  EXPECT_NEAR(sum, 1.0, 1e-6);
  // 0.5·(1 - cos 5°), 0.5·(cos 5° - cos 15°), cos 85°.
  EXPECT_NEAR(w(0), 0.0019026510, 1e-9);
  EXPECT_NEAR(w(1), 0.0151344359, 2e-9);
  EXPECT_NEAR(w(9), 0.0871557427, 1e-8);
}

TEST(BandTables, BandOfFrequencyNeedsTheExactCentre) {
  for (const auto& c : test::Cases("PowerTotals", "BandOfFrequency"))
    EXPECT_EQ(BandOfFrequency(c[0].get<double>()), c[1]) << c[0];
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandOfFrequency(BandFreq(b)), b);
}

}  // namespace
}  // namespace fonderel
