// Edits through the Info and DATAs tables on a loaded source: commits by
// Enter, by navigation keys and by the edit boxes, the Edit menu's clipboard
// commands, the band selector and the source-kind buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/SpkFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "views/RefreshViews.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;

struct Session {
  AppState state;
  RecordingPlatform platform;
  Source& src() { return state.src; }
  const std::string& Info(int r, int c) const { return state.InfoGridText.at(r).at(c); }
  const std::string& Data(int r, int c) const { return state.DataGridText.at(r).at(c); }
};

// LOUD_3_8.SPK (bands 3..8) read and shown: band 3 selected, its plane 0
// begins .5, 1.0, 0.0, 12.3457, .1; plane 1 12.8486, 42.8212, 72.7938, 2.7681.
std::unique_ptr<Session> Loaded() {
  auto s = std::make_unique<Session>();
  EXPECT_TRUE(ReadSpkFile(s->state, s->platform, DataPath("LOUD_3_8.SPK")));
  RefreshViews(s->state, s->platform);
  EXPECT_EQ(s->state.SelectedBand, 3.0f);
  s->state.src.DataSaved = kTrue;
  return s;
}

// Types `chars` into InfoGrid at (row, col) and ends the entry with `end`.
void TypeInfo(Session& s, int row, int col, const std::string& chars, GridKey end) {
  for (char c : chars) s.state.Entry.Char(c);
  const EntryEffect e = s.state.Entry.Key(end);
  ASSERT_TRUE(e.commit);
  CommitInfoEntry(s.state, s.platform, row, col, e.committed, e.commitOnEnter);
}

// 1, 2, ., 5 in row 1 column 3 (125 Hz) ended by Enter or by the Down arrow.
// Lin and A before: 10·log10 of Σ10^(Lw/10) over bands 3..8 plus four 0 dB
// bands; after: the same with 12.5 dB in place of 95.3 dB.
TEST(TableEditing, InfoEntryEnterOrNavigation) {
  const struct {
    GridKey end;
    std::int16_t saved;
    std::size_t tablesPushed;
    const char *lin, *a;
  } cases[] = {
      {GridKey::Enter, kFalse, 2, "105.66", "104.11"},        // the cell, then the refresh
      {GridKey::Navigation, kFalse, 1, "106.04", "104.12"},  // the old totals stay
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.end == GridKey::Enter ? "Enter" : "Down");
    auto s = Loaded();
    EXPECT_EQ(s->Info(1, 11), "106.04");
    EXPECT_EQ(s->Info(1, 12), "104.12");
    const std::size_t before = s->platform.infoTables.size();
    TypeInfo(*s, 1, 3, "12.5", c.end);
    EXPECT_EQ(s->src().Lw(3), 12.5f);
    EXPECT_EQ(s->src().DataSaved, c.saved);
    ASSERT_EQ(s->platform.infoTables.size(), before + c.tablesPushed);
    EXPECT_EQ(s->platform.infoTables[before][1][3], "12.50");
    const TextTable& last = s->platform.infoTables.back();
    EXPECT_EQ(last[1][3], "12.50");
    EXPECT_EQ(last[1][11], c.lin);
    EXPECT_EQ(last[1][12], c.a);
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

// A "55" committed at (row, col) and the slot of InfoFields it lands in
// (-1: none, only the cell text changes).
TEST(TableEditing, InfoCommitTargets) {
  const struct {
    int row, col, slot;
  } cases[] = {
      {1, 3, 2},   {1, 11, 10}, {1, 12, 11}, {2, 4, 15}, {3, 6, 27}, {4, 10, 41},
      {5, 1, 42},  {2, 11, -1}, {3, 12, -1}, {5, 11, -1}, {0, 4, -1}, {2, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << " col " << c.col);
    auto s = Loaded();
    std::vector<float> expected = InfoFields(s->src());
    if (c.slot >= 0) expected[static_cast<std::size_t>(c.slot)] = 55.0f;
    const TextTable table = s->state.InfoGridText;
    TypeInfo(*s, c.row, c.col, "55", GridKey::Navigation);
    EXPECT_EQ(InfoFields(s->src()), expected);
    TextTable expectedTable = table;
    if (c.row >= 1 && c.col >= 1) {
      expectedTable[static_cast<std::size_t>(c.row)][static_cast<std::size_t>(c.col)] = "55.00";
    }
    EXPECT_EQ(s->state.InfoGridText, expectedTable);
  }
}

// Enter in the Lin cell stores Lw(11); the refresh shows the computed total again.
TEST(TableEditing, EnterInTheLinCell) {
  auto s = Loaded();
  TypeInfo(*s, 1, 11, "80", GridKey::Enter);
  EXPECT_EQ(s->src().Lw(11), 80.0f);
  EXPECT_EQ(s->platform.infoTables.back()[1][11], "106.04");
}

TEST(TableEditing, IcellEnterKeepsTextAndFullNumber) {
  auto s = Loaded();
  const std::size_t before = s->platform.infoTables.size();
  CommitInfoEditBox(s->state, s->platform, 2, 4, "4.5678");
  EXPECT_EQ(s->src().DirQ(4), 4.5678f);
  EXPECT_EQ(s->src().DataSaved, kFalse);
  ASSERT_EQ(s->platform.infoTables.size(), before + 2);
  EXPECT_EQ(s->platform.infoTables[before][2][4], "4.5678");  // as typed
  EXPECT_EQ(s->platform.infoTables.back()[2][4], "4.56");     // the refresh truncates
  EXPECT_EQ(InfoEditBoxText(s->state, 1, 3), "95.30");
}

TEST(TableEditing, DataGridEntryAndEditBox) {
  auto s = Loaded();
  EXPECT_EQ(DataEditBoxText(s->state, 1, 1), " .5");
  EXPECT_EQ(DataEditBoxText(s->state, 1, 4), " 12.3457");

  for (char c : std::string("0.1234")) s->state.Entry.Char(c);
  EntryEffect e = s->state.Entry.Key(GridKey::Enter);
  CommitDataEntry(s->state, s->platform, 2, 3, e.committed, e.commitOnEnter);
  EXPECT_EQ(s->src().BalloonData(1, 2, 3), 0.12f);
  EXPECT_EQ(s->Data(2, 3), "0.12");
  EXPECT_EQ(s->platform.dataTables.back()[2][3], "0.12");
  EXPECT_EQ(s->src().DataSaved, kFalse);

  s->src().DataSaved = kTrue;
  for (char c : std::string("7.777")) s->state.Entry.Char(c);
  e = s->state.Entry.Key(GridKey::Navigation);
  CommitDataEntry(s->state, s->platform, 2, 4, e.committed, e.commitOnEnter);
  EXPECT_EQ(s->src().BalloonData(1, 3, 3), 7.78f);
  EXPECT_EQ(s->src().DataSaved, kFalse);

  CommitDataEditBox(s->state, s->platform, 3, 5, "0.1234");
  EXPECT_EQ(s->src().BalloonData(2, 4, 3), 0.1234f);
  EXPECT_EQ(s->Data(3, 5), "0.12");
  EXPECT_EQ(DataEditBoxText(s->state, 3, 5), " .1234");
  EXPECT_EQ(s->src().DataSaved, kFalse);
}

// Selection 2 × 3 from grid (1, 2): plane 0 and 1, points 1..3 of band 3.
constexpr GridSelection kSel2x3{1, 2, 2, 4};
const char kOldSix[] = "1.000\t0.000\t12.346\r42.821\t72.794\t2.768\r";

TEST(TableEditing, CutZeroesTheSelectionOfTheSelectedBand) {
  auto s = Loaded();
  const float band4 = s->src().BalloonData(0, 1, 4);
  EditCut(s->state, s->platform, kSel2x3);
  EXPECT_EQ(s->platform.clipboard, std::string(kOldSix));
  for (int p = 0; p <= 1; ++p) {
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(s->src().BalloonData(p, k, 3), 0.0f) << p << "," << k;
      EXPECT_EQ(s->Data(p + 1, k + 1), "") << p << "," << k;
    }
  }
  EXPECT_EQ(s->src().BalloonData(0, 0, 3), 0.5f);
  EXPECT_EQ(s->src().BalloonData(0, 4, 3), 0.1f);
  EXPECT_EQ(s->src().BalloonData(2, 1, 3), 53.2941f);
  EXPECT_EQ(s->Data(1, 1), "0.500");
  EXPECT_EQ(s->Data(1, 5), "0.100");
  EXPECT_EQ(s->Data(3, 2), "53.294");
  EXPECT_EQ(s->src().BalloonData(0, 1, 4), band4);
  EXPECT_EQ(s->platform.dataTables.back(), s->state.DataGridText);
  EXPECT_EQ(s->src().DataSaved, kFalse);
  EXPECT_EQ(s->platform.editEnabled, "XXXX");
}

TEST(TableEditing, CopyAndDelete) {
  auto s = Loaded();
  EditCopy(s->state, s->platform, kSel2x3);
  EXPECT_EQ(s->platform.clipboard, std::string(kOldSix));
  EXPECT_EQ(s->Data(1, 4), "12.346");
  EXPECT_EQ(s->platform.editEnabled, "XXXX");

  EditDelete(s->state, s->platform, kSel2x3);
  EXPECT_EQ(s->Data(1, 4), "");
  EXPECT_EQ(s->Data(2, 2), "");
  EXPECT_EQ(s->src().BalloonData(0, 3, 3), 12.3457f);
  EXPECT_EQ(s->src().BalloonData(1, 1, 3), 42.8212f);
  EXPECT_EQ(s->platform.dataTables.back()[1][4], "");
  // A band change and back shows the old values again.
  s->state.SelectorsLive = true;
  BandSelectorClicked(s->state, s->platform, 3);
  BandSelectorClicked(s->state, s->platform, 2);
  EXPECT_EQ(s->Data(1, 4), "12.346");
  EXPECT_EQ(s->Data(2, 2), "42.821");
}

// Paste of a 2 × 2 block with the current cell at each corner of the selection.
TEST(TableEditing, PasteStoresOnlyTowardsTheSelectionEnd) {
  const struct {
    GridSelection sel;
    bool stores;
  } cases[] = {
      {{3, 5, 4, 6}, true},
      {{4, 5, 3, 6}, false},  // made upwards
      {{3, 6, 4, 5}, false},  // made leftwards
      {{4, 6, 3, 5}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sel.row << "," << c.sel.col << " to " << c.sel.rowSel
                                      << "," << c.sel.colSel);
    auto s = Loaded();
    const float old = s->src().BalloonData(2, 4, 3);
    s->platform.clipboard = "1\t2\r3\t4\r";
    EditPaste(s->state, s->platform, c.sel);
    EXPECT_EQ(s->Data(3, 5), "1");
    EXPECT_EQ(s->Data(3, 6), "2");
    EXPECT_EQ(s->Data(4, 5), "3");
    EXPECT_EQ(s->Data(4, 6), "4");
    EXPECT_TRUE(s->platform.Called("ProcessEvents"));
    if (c.stores) {
      EXPECT_EQ(s->src().BalloonData(2, 4, 3), 1.0f);
      EXPECT_EQ(s->src().BalloonData(2, 5, 3), 2.0f);
      EXPECT_EQ(s->src().BalloonData(3, 4, 3), 3.0f);
      EXPECT_EQ(s->src().BalloonData(3, 5, 3), 4.0f);
    } else {
      EXPECT_EQ(s->src().BalloonData(2, 4, 3), old);
    }
    EXPECT_EQ(s->src().DataSaved, c.stores ? kFalse : kTrue);
  }
}

TEST(TableEditing, PasteOfTextStoresItsLeadingNumber) {
  auto s = Loaded();
  s->platform.clipboard = "abc\t2.5 dB\r";
  EditPaste(s->state, s->platform, {1, 1, 1, 2});
  EXPECT_EQ(s->src().BalloonData(0, 0, 3), 0.0f);
  EXPECT_EQ(s->src().BalloonData(0, 1, 3), 2.5f);
}

TEST(TableEditing, BandSelectorClick) {
  for (const bool live : {false, true}) {
    SCOPED_TRACE(live ? "live" : "not live");
    auto s = Loaded();
    s->state.SelectorsLive = live;
    const std::size_t before = s->platform.dataTables.size();
    BandSelectorClicked(s->state, s->platform, 4);
    EXPECT_EQ(s->state.SelectedBand, 5.0f);
    EXPECT_EQ(s->platform.dataTables.size(), before + (live ? 1 : 0));
    if (live) {
      EXPECT_EQ(s->platform.dataTables.back()[1][2], "33.932");  // band 5, plane 0, point 1
    }
  }
}

// SourceKind before, the button clicked; SourceKind after and whether the
// data count as changed.
TEST(TableEditing, SourceKindButtons) {
  const struct {
    float before;
    bool loudspeaker;
    float after;
    bool changed;
  } cases[] = {
      {0.0f, true, -1.0f, true},  {0.0f, false, 0.0f, false}, {-1.0f, false, 0.0f, true},
      {-1.0f, true, -1.0f, false}, {1.0f, true, 1.0f, false},  {1.0f, false, 0.0f, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.before << (c.loudspeaker ? " loudspeaker" : " noise"));
    auto s = Loaded();
    s->src().SourceKind = c.before;
    s->platform.visible["Info"] = true;
    s->platform.calls.clear();
    SourceKindChosen(s->state, s->platform, c.loudspeaker);
    EXPECT_EQ(s->src().SourceKind, c.after);
    EXPECT_EQ(s->src().DataSaved, c.changed ? kFalse : kTrue);
    EXPECT_FALSE(s->platform.Called("Hide Info"));
    EXPECT_TRUE(s->platform.visible["Info"]);
  }
}

// A number beyond the single range, typed as 40 digits, into an edit box or
// pasted: no field may become infinite (the views would show "inf", the
// balloon would get NaN coordinates, and Save refuses the description).
TEST(TableEditing, NumberBeyondSingleRangeStaysFinite) {
  const std::string huge = "1" + std::string(39, '0');
  auto s = Loaded();
  TypeInfo(*s, 1, 4, huge, GridKey::Enter);
  CommitInfoEditBox(s->state, s->platform, 2, 5, "1e39");
  CommitDataEditBox(s->state, s->platform, 1, 1, "1e39");
  for (char c : huge) s->state.Entry.Char(c);
  const EntryEffect e = s->state.Entry.Key(GridKey::Enter);
  CommitDataEntry(s->state, s->platform, 1, 2, e.committed, e.commitOnEnter);
  s->platform.clipboard = "1e39\r";
  EditPaste(s->state, s->platform, {1, 3, 1, 3});
  EXPECT_TRUE(std::isfinite(s->src().Lw(4)));
  EXPECT_TRUE(std::isfinite(s->src().DirQ(5)));
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(std::isfinite(s->src().BalloonData(0, k, 3))) << k;
}

}  // namespace
}  // namespace fonderel
