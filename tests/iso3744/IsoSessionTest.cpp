// The measurement window's flows against a scripted desktop: the load step,
// grid commits, the arrangement choice, loading and saving measurement files,
// OK with the heading dialog, and the File menu command around the window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "iso3744/IsoSession.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::TempDir;

class RecordingView : public IsoView {
 public:
  DimensionTexts dims;
  ArrangementView arrangement;
  TextTable grid;
  std::string editBox;
  std::vector<BarChart> charts;
  bool chartShown = false, pictureShown = true, closed = false;
  int headingDialogs = 0;
  std::function<void()> onHeadingDialog;

  void SetDimensionTexts(const DimensionTexts& t) override { dims = t; }
  void SetArrangement(const ArrangementView& a) override { arrangement = a; }
  void SetGrid(const TextTable& cells) override { grid = cells; }
  void SetEditBox(const std::string& text) override { editBox = text; }
  void ShowChart(const BarChart& chart) override {
    charts.push_back(chart);
    chartShown = true;
    pictureShown = false;
  }
  void ShowPicture() override { chartShown = false; pictureShown = true; }
  void HideChartAndPicture() override { chartShown = pictureShown = false; }
  void ShowHeadingDialog() override {
    ++headingDialogs;
    if (onHeadingDialog) onHeadingDialog();
  }
  void CloseWindow() override { closed = true; }
  void PrintWindow() override {}
};

struct Window {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  RecordingView view;
  IsoSession session{*state, platform, view};
  Window() { session.Load(); }
};

TEST(IsoSession, LoadStepSetsTheDefaultsAndTheNineMicrophoneGrid) {
  Window w;
  EXPECT_EQ(w.view.dims.lenght, "2");
  EXPECT_EQ(w.view.dims.volume, "200");
  EXPECT_EQ(w.state->Iso.MicCount, 9);
  EXPECT_EQ(w.view.arrangement.nmicsPosition, 2);
  EXPECT_EQ(w.view.arrangement.lengthLabel, "lenght (2a)");
  ASSERT_EQ(w.view.grid.size(), 11u);
  EXPECT_EQ(w.view.grid[0][0], "Freq.(Hz)");
  EXPECT_EQ(w.view.grid[0][1], " 31.5");
  EXPECT_EQ(w.view.grid[9][0], "Lp(9) - dB");
  EXPECT_EQ(w.view.grid[10][0], "RT (s)");
  EXPECT_EQ(w.view.grid[10][3], "0.00");
  EXPECT_EQ(w.session.InputSaved, -1.0f);
}

TEST(IsoSession, GridCommitsRoundAsTheCellShows) {
  struct Case {
    int row, col;
    const char* typed;
    bool enter;
    const char* cell;
    float stored;
    float inputSaved;
  } cases[] = {
      {3, 2, "85.27", true, "85.3", 85.3f, 0.0f},
      {1, 1, "102.04", false, "102.0", 102.0f, -1.0f},
      {10, 4, "1.234", true, "1.23", 1.23f, 0.0f},
      {10, 5, "2.5", false, "2.5", 2.5f, -1.0f},
      {10, 6, "1e99", true, "0.0", 0.0f, 0.0f},
  };
  for (const Case& c : cases) {
    Window w;
    EXPECT_EQ(w.session.GridCommit(c.row, c.col, c.typed, c.enter), c.cell) << c.typed;
    const float stored = c.row <= 9 ? w.state->MicLp(c.row, c.col) : w.state->Iso.RevTime(c.col);
    EXPECT_EQ(stored, c.stored) << c.typed;
    EXPECT_EQ(w.session.InputSaved, c.inputSaved) << c.typed;
  }
  Window w;
  EXPECT_EQ(w.session.EditBoxEnter(2, 2, "-3.25"), "-3.3") << "a minus sign typed into Cell";
  EXPECT_EQ(w.state->MicLp(2, 2), -3.3f);
  EXPECT_EQ(w.session.InputSaved, -1.0f);
}

TEST(IsoSession, DimensionsAndArrangementChoice) {
  Window w;
  w.session.DimensionEdited(DimensionField::Lenght, "4");
  EXPECT_EQ(w.state->Iso.DimA, 2.0f);
  EXPECT_EQ(w.session.InputSaved, 0.0f);
  w.session.NmicsClick(3);
  EXPECT_EQ(w.state->Iso.MicCount, 10);
  EXPECT_EQ(w.view.arrangement.lengthLabel, "Radius");
  EXPECT_FALSE(w.view.arrangement.widthHeightShown);
  EXPECT_EQ(w.view.grid.size(), 12u);
  // "User" cancelled falls back to the nine-microphone box.
  w.session.NmicsClick(4);
  EXPECT_TRUE(w.platform.Called("OpenDialog Load a measurement description file"));
  EXPECT_EQ(w.state->Iso.MicCount, 9);
  EXPECT_EQ(w.view.arrangement.nmicsPosition, 2);
}

TEST(IsoSession, UserLayoutFromAMeasurementDescriptionFile) {
  Window w;
  w.platform.files.push_back(DataPath("iso3744/BOX4.MEA"));
  w.session.NmicsClick(4);
  EXPECT_EQ(w.state->Iso.MicCount, 4);
  EXPECT_EQ(w.view.arrangement.nmicsPosition, 4);
  EXPECT_EQ(w.view.dims.lenght, "3");
  EXPECT_EQ(w.view.dims.widt, "2");
  EXPECT_EQ(w.view.dims.heigh, "1.25");
  EXPECT_EQ(w.view.dims.volume, "150");
  EXPECT_EQ(w.view.arrangement.sketch.points.size(), 5u);
}

TEST(IsoSession, UserLayoutFromACadFileKeepsTheSourcePosition) {
  Window w;
  w.state->Iso.SrcZ = 0.25f;
  w.platform.files.push_back(DataPath("iso3744/ROOM6.RAY"));
  w.session.NmicsClick(4);
  EXPECT_EQ(w.state->Iso.MicCount, 6);
  EXPECT_EQ(w.view.arrangement.nmicsPosition, 4);
  EXPECT_EQ(w.view.dims.lenght, "4");
  EXPECT_EQ(w.view.dims.heigh, "1.5");
  EXPECT_EQ(w.view.dims.volume, "200") << "a CAD file gives no room volume";
  EXPECT_EQ(w.state->Iso.SrcZ, 0.25f);
  EXPECT_EQ(w.state->src.NFaces, 1) << "the file's geometry comes with it";
  EXPECT_EQ(w.state->Iso.Rec.RecX(3), -2.0f);
  w.session.OK();
  EXPECT_EQ(w.state->src.FirstBand, 1);
}

TEST(IsoSession, LoadingAResultFileOfTwelveMicrophonesAsksForTheLayout) {
  Window w;
  w.platform.files.push_back(DataPath("iso3744/TWELVE_SHORT.DAT"));
  w.session.LoadFromFile();
  EXPECT_EQ(w.platform.fileDialogs[0].fileName, "*.DAT");
  EXPECT_TRUE(w.platform.Called("OpenDialog Load a measurement description file"));
  EXPECT_EQ(w.state->src.SourceName, "FAN");
  EXPECT_EQ(w.state->MicLp(12, 1), 70.5f);
  EXPECT_EQ(w.session.InputSaved, -1.0f);
}

TEST(IsoSession, UnreadableFileKeepsThePreviousInput) {
  TempDir dir;
  for (const char* name : {"BAD.DAT", "BAD.PRN", "BAD.TXT"}) {
    Window w;
    w.state->MicLp(1, 1) = 42.0f;
    test::Spit(dir / name, "\"Source Name:\",\"X\"\r\nnonsense\r\n");
    w.platform.files.push_back(dir / name);
    w.session.LoadFromFile();
    EXPECT_EQ(w.state->MicLp(1, 1), 42.0f) << name;
    EXPECT_EQ(w.state->src.SourceName, "") << name;
    EXPECT_EQ(w.state->Iso.MicCount, 9) << name;
    ASSERT_FALSE(w.platform.calls.empty());
    EXPECT_EQ(w.platform.calls.back().rfind("ShowMessage Read Error|" + (dir / name), 0), 0u) << name;
  }
}

TEST(IsoSession, SavingWithoutANameAsksForItWritesAndCloses) {
  TempDir dir;
  Window w;
  w.platform.files.push_back(dir / "OUT.DAT");
  w.view.onHeadingDialog = [&] { w.state->src.SourceName = "PUMP"; };
  w.session.SaveToFile();
  EXPECT_EQ(w.view.headingDialogs, 1);
  EXPECT_TRUE(w.view.closed);
  const std::string bytes = Slurp(dir / "OUT.DAT");
  EXPECT_EQ(bytes.substr(0, 30), "\"Source Name:\",\"PUMP\"\r\n\"Manufa");
  EXPECT_EQ(w.state->src.SourceDate, "12-06-2026");
  EXPECT_NE(bytes.find("\"Lw =      \",10.00,10.00"), std::string::npos) << "computed before writing";
}

TEST(IsoSession, OkBuildsTheSourceAndAsksAboutUnsavedInput) {
  // Cancel at the question keeps the window open; OK again with No finishes.
  Window w;
  w.session.GridCommit(1, 1, "90", true);
  w.session.OK();
  EXPECT_TRUE(w.platform.Called(std::string("ShowMessage Warning|") + kUnsavedInputText));
  EXPECT_FALSE(w.view.closed);
  EXPECT_TRUE(w.view.pictureShown);
  EXPECT_EQ(w.state->src.FirstBand, 1);
  w.platform.answers.push_back(MessageAnswer::No);
  w.session.OK();
  EXPECT_TRUE(w.view.closed);
  EXPECT_EQ(w.state->src.DataSaved, kFalse);
  EXPECT_EQ(w.view.headingDialogs, 2);
}

TEST(IsoSession, OkRefusesUndefinedInputAndKeepsTheWindowOpen) {
  Window w;
  w.session.NmicsClick(3);
  w.session.DimensionEdited(DimensionField::Lenght, "0");
  w.session.OK();
  EXPECT_FALSE(w.view.closed);
  EXPECT_EQ(w.state->src.FirstBand, 0);
  EXPECT_EQ(w.view.headingDialogs, 0);
  EXPECT_TRUE(w.platform.Called(
      "ShowMessage Warning|The measurement surface has no area: check the dimensions of the "
      "enveloping surface."));
  // A microphone at the source centre stops OK after the sound power.
  Window c;
  c.state->Iso.MicCount = 1;
  c.state->Iso.MicLayoutFile = "one.mea";
  c.state->Iso.Rec.NReceivers = 1;
  c.session.OK();
  EXPECT_FALSE(c.view.closed);
  EXPECT_EQ(c.state->src.FirstBand, 0);
  EXPECT_TRUE(c.platform.Called(
      "ShowMessage Warning|Microphone 1 (or its floor image) stands at the source centre."));
}

TEST(IsoSession, DisplayLwChartsTwelveBarsAndTheK2Limit) {
  Window w;
  w.session.VolumeTyped("20");
  w.session.GridCommit(10, 3, "0.15", true);
  w.session.DispLw();
  ASSERT_EQ(w.view.charts.size(), 1u);
  const BarChart& c = w.view.charts[0];
  ASSERT_EQ(c.labels.size(), 12u);
  EXPECT_EQ(c.labels[0], "31.5");
  EXPECT_EQ(c.labels[9], "16000");
  EXPECT_EQ(c.labels[10], "Lin");
  EXPECT_EQ(c.labels[11], "A");
  EXPECT_NEAR(c.values[0], 10.0, 1e-5);
  ASSERT_EQ(c.notes.size(), 1u);
  EXPECT_EQ(c.notes[0], "The room does not meet the ISO 3744 limit for K2 (4 dB) in the 125 Hz "
                        "band: K2 = 4.6 dB.");
  w.session.ChartClicked();
  EXPECT_TRUE(w.view.pictureShown);
}

TEST(IsoSession, SpectrumOfOneMicrophone) {
  Window w;
  w.session.LoadMicSpectrum(10);
  EXPECT_EQ(w.platform.calls.back(), "Beep") << "the reverberation row";
  w.platform.files.push_back(DataPath("iso3744/OCTAVES.TXT"));
  w.session.LoadMicSpectrum(4);
  EXPECT_EQ(w.platform.fileDialogs.back().title, "Load The Spectrum of Mic no. 4");
  EXPECT_EQ(w.state->MicLp(4, 10), 70.0f);
  EXPECT_EQ(w.state->src.SourceName, "rument B&K 4133") << "line 1 from its sixth character";
  EXPECT_EQ(w.view.grid[4][10], "70.0");
}

TEST(FileCreateNoise, ResetsRunsTheWindowAndOffersToSave) {
  auto state = std::make_unique<AppState>();
  RecordingPlatform platform;
  state->src.DataSaved = kFalse;
  state->MicLp(1, 1) = 99.0f;
  platform.answers = {MessageAnswer::No, MessageAnswer::No};
  bool shown = false;
  FileCreateNoise(*state, platform, [&] {
    shown = true;
    EXPECT_EQ(state->MicLp(1, 1), 0.0f) << "the reset zeroes the levels";
    state->src.DataSaved = kFalse;  // the window created a source
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(platform.Called(std::string("ShowMessage Warning|") + kUnsavedSpkText));
  // Cancel at the first question ends the command before the reset.
  platform.answers = {MessageAnswer::Cancel};
  state->MicLp(1, 1) = 5.0f;
  shown = false;
  FileCreateNoise(*state, platform, [&] { shown = true; });
  EXPECT_FALSE(shown);
  EXPECT_EQ(state->MicLp(1, 1), 5.0f);
}

}  // namespace
}  // namespace fonderel
