// Edits through the Info and DATAs tables on a loaded source: commits by
// Enter, by navigation keys and by the edit boxes, the Edit menu's clipboard
// commands, the band selector and the source-kind buttons.
#include "views/TableEditing.h"

#include <cmath>

#include "app/CaseData.h"
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
  const std::string& Info(int r, int c) const { return state.InfoGridText.at(r).at(c); }
  // Types `chars` and ends the entry with `end`; the entry is committed at (row, col).
  void Type(bool info, int row, int col, const std::string& chars, GridKey end) {
    for (char c : chars) state.Entry.Char(c);
    const EntryEffect e = state.Entry.Key(end);
    ASSERT_TRUE(e.commit);
    if (info) {
      CommitInfoEntry(state, platform, row, col, e.committed, e.commitOnEnter);
    } else {
      CommitDataEntry(state, platform, row, col, e.committed, e.commitOnEnter);
    }
  }
};

// 1, 2, ., 5 in row 1 column 3 (125 Hz) ended by Enter or by the Down arrow.
// Lin and A before: 10·log10 of Σ10^(Lw/10) over bands 3..8 plus four 0 dB
// bands; after: the same with 12.5 dB in place of 95.3 dB.
TEST(TableEditing, InfoEntryEnterOrNavigation) {
  for (const auto& c : Cases("TableEditing", "InfoEntry/cases")) {
    SCOPED_TRACE(c.dump());
    Session s;
    EXPECT_EQ(s.Info(1, 11) + " " + s.Info(1, 12), "106.04 104.12");
    const std::size_t before = s.platform.infoTables.size();
    s.Type(true, 1, 3, "12.5", c[0] ? GridKey::Enter : GridKey::Navigation);
    EXPECT_EQ(s.src().Lw(3), 12.5f);
    EXPECT_EQ(s.src().DataSaved, kFalse);
    ASSERT_EQ(s.platform.infoTables.size(), before + c[1].get<std::size_t>());
    EXPECT_EQ(s.platform.infoTables[before][1][3], "12.50");
    const TextTable& last = s.platform.infoTables.back();
    EXPECT_EQ(last[1][3] + " " + last[1][11] + " " + last[1][12],
              "12.50 " + c[2].get<std::string>() + " " + c[3].get<std::string>());
  }
}

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

// Enter in the Lin cell stores Lw(11); the refresh shows the computed total
// again. The Info edit box keeps the text as typed and the full number.
TEST(TableEditing, LinCellAndInfoEditBox) {
  Session s;
  s.Type(true, 1, 11, "80", GridKey::Enter);
  EXPECT_EQ(s.src().Lw(11), 80.0f);
  EXPECT_EQ(s.platform.infoTables.back()[1][11], "106.04");
  s.src().DataSaved = kTrue;
  const std::size_t before = s.platform.infoTables.size();
  CommitInfoEditBox(s.state, s.platform, 2, 4, "4.5678");
  EXPECT_EQ(s.src().DirQ(4), 4.5678f);
  EXPECT_EQ(s.src().DataSaved, kFalse);
  ASSERT_EQ(s.platform.infoTables.size(), before + 2);
  EXPECT_EQ(s.platform.infoTables[before][2][4], "4.5678");  // as typed
  EXPECT_EQ(s.platform.infoTables.back()[2][4], "4.56");     // the refresh truncates
  EXPECT_EQ(InfoEditBoxText(s.state, 1, 3), "95.30");
}

TEST(TableEditing, DataGridEntryAndEditBox) {
  Session s;
  EXPECT_EQ(DataEditBoxText(s.state, 1, 1), " .5");
  EXPECT_EQ(DataEditBoxText(s.state, 1, 4), " 12.3457");
  s.Type(false, 2, 3, "0.1234", GridKey::Enter);
  EXPECT_EQ(s.src().BalloonData(1, 2, 3), 0.12f);
  test::ExpectCells(s.state.DataGridText, {{2, 3, "0.12"}});
  test::ExpectCells(s.platform.dataTables.back(), {{2, 3, "0.12"}});
  EXPECT_EQ(s.src().DataSaved, kFalse);
  s.src().DataSaved = kTrue;
  s.Type(false, 2, 4, "7.777", GridKey::Navigation);
  EXPECT_EQ(s.src().BalloonData(1, 3, 3), 7.78f);
  EXPECT_EQ(s.src().DataSaved, kFalse);
  s.src().DataSaved = kTrue;
  CommitDataEditBox(s.state, s.platform, 3, 5, "0.1234");
  EXPECT_EQ(s.src().BalloonData(2, 4, 3), 0.1234f);
  test::ExpectCells(s.state.DataGridText, {{3, 5, "0.12"}});
  EXPECT_EQ(DataEditBoxText(s.state, 3, 5), " .1234");
  EXPECT_EQ(s.src().DataSaved, kFalse);
}

// Selection 2 × 3 from grid (1, 2): plane 0 and 1, points 1..3 of band 3.
constexpr GridSelection kSel2x3{1, 2, 2, 4};
const char kOldSix[] = "1.000\t0.000\t12.346\r42.821\t72.794\t2.768\r";

// Cut zeroes the selection of the selected band only; Copy changes nothing.
TEST(TableEditing, CutAndCopy) {
  for (const bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "Cut" : "Copy");
    Session s;
    const Source before = s.src();
    (cut ? EditCut : EditCopy)(s.state, s.platform, kSel2x3);
    EXPECT_EQ(s.platform.clipboard, std::string(kOldSix));
    EXPECT_EQ(s.platform.editEnabled, "XXXX");
    for (int p = 0; p <= 2; ++p) {
      for (int k = 0; k <= 4; ++k) {
        const bool zeroed = cut && p <= 1 && k >= 1 && k <= 3;
        EXPECT_EQ(s.src().BalloonData(p, k, 3), zeroed ? 0.0f : before.BalloonData(p, k, 3));
        EXPECT_EQ(s.src().BalloonData(p, k, 4), before.BalloonData(p, k, 4));
      }
    }
    test::ExpectCells(s.state.DataGridText, Cases("TableEditing", cut ? "AfterCut" : "Unchanged"));
    EXPECT_EQ(s.platform.dataTables.back(), s.state.DataGridText);
    EXPECT_EQ(s.src().DataSaved, cut ? kFalse : kTrue);
  }
}

// Delete empties the cells only: a band change and back shows the old values.
TEST(TableEditing, DeleteEmptiesTheCellsOnly) {
  Session s;
  EditDelete(s.state, s.platform, kSel2x3);
  test::ExpectCells(s.state.DataGridText, Cases("TableEditing", "AfterDelete"));
  test::ExpectCells(s.platform.dataTables.back(), Cases("TableEditing", "AfterDelete"));
  EXPECT_EQ(s.src().BalloonData(0, 3, 3), 12.3457f);
  EXPECT_EQ(s.src().BalloonData(1, 1, 3), 42.8212f);
  s.state.SelectorsLive = true;
  BandSelectorClicked(s.state, s.platform, 3);
  BandSelectorClicked(s.state, s.platform, 2);
  test::ExpectCells(s.state.DataGridText, Cases("TableEditing", "Unchanged"));
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

TEST(TableEditing, BandSelectorClick) {
  for (const bool live : {false, true}) {
    SCOPED_TRACE(live ? "live" : "not live");
    Session s;
    s.state.SelectorsLive = live;
    const std::size_t before = s.platform.dataTables.size();
    BandSelectorClicked(s.state, s.platform, 4);
    EXPECT_EQ(s.state.SelectedBand, 5.0f);
    ASSERT_EQ(s.platform.dataTables.size(), before + (live ? 1 : 0));
    EXPECT_EQ(s.platform.dataTables.back()[1][2], live ? "33.932" : "1.000");  // plane 0, point 1
  }
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

}  // namespace
}  // namespace fonderel
