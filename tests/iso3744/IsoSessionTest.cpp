// The measurement window's flows against a scripted desktop, one script of
// tests/data/iso3744-cases/session.json a case: the load step, grid commits, the
// arrangement choice, loading and saving files, OK, and the File menu command.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "iso3744/IsoCases.h"
#include "iso3744/IsoSession.h"

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
  std::vector<BarChart> charts;
  bool pictureShown = true, closed = false;
  int headingDialogs = 0;
  std::function<void()> onHeadingDialog;

  void SetDimensionTexts(const DimensionTexts& t) override { dims = t; }
  void SetArrangement(const ArrangementView& a) override { arrangement = a; }
  void SetGrid(const TextTable& cells) override { grid = cells; }
  void SetEditBox(const std::string&) override {}
  void ShowChart(const BarChart& chart) override {
    charts.push_back(chart);
    pictureShown = false;
  }
  void ShowPicture() override { pictureShown = true; }
  void HideChartAndPicture() override { pictureShown = false; }
  void ShowHeadingDialog() override {
    ++headingDialogs;
    if (onHeadingDialog) onHeadingDialog();
  }
  void CloseWindow() override { closed = true; }
  bool PrintWindow() override { return true; }
};

struct Window {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  RecordingPlatform platform;
  RecordingView view;
  IsoSession session{*state, platform, view};
  TempDir dir;
  Window() { session.Load(); }
};

// What a key of session.json names, as JSON.
nlohmann::json Observe(const Window& w, const std::string& ret, const std::string& key) {
  const AppState& s = *w.state;
  const auto& v = w.view;
  std::istringstream in(key);
  std::string name;
  int i = 0, j = 0;
  in >> name >> i >> j;
  if (name == "called") return w.platform.Called(key.substr(7));
  if (name == "calledUnsavedInput") return w.platform.Called(std::string("ShowMessage Warning|") + kUnsavedInputText);
  if (name == "readErrorFor") return w.platform.calls.back().rfind("ShowMessage Read Error|" + (w.dir / key.substr(13)), 0) == 0;
  if (name == "savedStarts") return Slurp(w.dir / "OUT.DAT").rfind(key.substr(12), 0) == 0;
  if (name == "savedHas") return Slurp(w.dir / "OUT.DAT").find(key.substr(9)) != std::string::npos;
  if (name == "grid") return v.grid.at(i).at(j);
  if (name == "micLp") return s.MicLp(i, j);
  if (name == "editText") return w.session.CellEditText(i, j);
  if (name == "revTime") return s.Iso.RevTime(i);
  if (name == "recX") return s.Iso.Rec.RecX(i);
  const std::map<std::string, nlohmann::json> plain = {
      {"ret", ret}, {"lenght", v.dims.lenght}, {"widt", v.dims.widt}, {"heigh", v.dims.heigh},
      {"volume", v.dims.volume}, {"mics", s.Iso.MicCount}, {"nmicsPosition", v.arrangement.nmicsPosition},
      {"lengthLabel", v.arrangement.lengthLabel}, {"widthHeightShown", v.arrangement.widthHeightShown},
      {"gridRows", v.grid.size()}, {"sketchPoints", v.arrangement.sketch.points.size()},
      {"inputSaved", w.session.InputSaved}, {"sourceName", s.src.SourceName}, {"sourceDate", s.src.SourceDate}, {"dimA", s.Iso.DimA},
      {"srcZ", s.Iso.SrcZ}, {"nFaces", s.src.NFaces}, {"firstBand", s.src.FirstBand},
      {"dataSaved", s.src.DataSaved}, {"closed", v.closed}, {"pictureShown", v.pictureShown},
      {"headingDialogs", v.headingDialogs}, {"charts", v.charts.size()},
      {"lastCall", w.platform.calls.empty() ? "" : w.platform.calls.back()},
      {"firstDialogFileName", w.platform.fileDialogs.empty() ? "" : w.platform.fileDialogs.front().fileName},
      {"lastDialogTitle", w.platform.fileDialogs.empty() ? "" : w.platform.fileDialogs.back().title}};
  if (plain.contains(name)) return plain.at(name);
  if (v.charts.empty()) return nullptr;
  if (name == "chartLabels") return v.charts.back().labels;
  if (name == "chartNotes") return v.charts.back().notes;
  if (name == "chartValue0") return v.charts.back().values.at(0);
  ADD_FAILURE() << "no key " << key;
  return nullptr;
}

TEST(IsoSession, ScriptedCases) {
  const auto cases = test::IsoJson("session", "cases");
  EXPECT_EQ(cases.size(), 21u);
  for (const auto& [what, script] : cases.items()) {
    Window w;
    std::string ret;
    for (const auto& op : script) {
      const std::string o = op[0];
      if (o == "commit") ret = w.session.GridCommit(op[1], op[2], op[3].get<std::string>(), op[4]);
      else if (o == "editBox") ret = w.session.EditBoxEnter(op[1], op[2], op[3].get<std::string>());
      else if (o == "dimension") w.session.DimensionEdited(DimensionField::Lenght, op[1].get<std::string>());
      else if (o == "volume") w.session.VolumeTyped(op[1].get<std::string>());
      else if (o == "nmics") w.session.NmicsClick(op[1]);
      else if (o == "file") w.platform.files.push_back(DataPath(op[1].get<std::string>()));
      else if (o == "badFile") {
        test::Spit(w.dir / op[1].get<std::string>(), "\"Source Name:\",\"X\"\r\nnonsense\r\n");
        w.platform.files.push_back(w.dir / op[1].get<std::string>());
      } else if (o == "saveAs") {
        w.platform.files.push_back(w.dir / "OUT.DAT");
        w.view.onHeadingDialog = [&w, name = op[1].get<std::string>()] { w.state->src.SourceName = name; };
        w.session.SaveToFile();
      } else if (o == "set") test::Set(*w.state, op[1]);
      else if (o == "answer") w.platform.answers.push_back(MessageAnswer::No);
      else if (o == "ok") w.session.OK();
      else if (o == "load") w.session.LoadFromFile();
      else if (o == "displw") w.session.DispLw();
      else if (o == "chartClick") w.session.ChartClicked();
      else if (o == "micSpectrum") w.session.LoadMicSpectrum(op[1]);
      else if (o == "expect") {
        for (const auto& [key, want] : op[1].items()) {
          const nlohmann::json got = Observe(w, ret, key);
          if (want.is_number() && got.is_number())
            EXPECT_NEAR(got.get<float>(), want.get<float>(), key == "chartValue0" ? 1e-5 : 0) << what << ": " << key;
          else
            EXPECT_EQ(got, want) << what << ": " << key;
        }
      } else ADD_FAILURE() << "no op " << o;
    }
  }
}

// A full table of microphones shows its last row like the others.
TEST(IsoSession, GridOfTheMostMicrophones) {
  auto state = std::make_unique<AppState>();
  state->Iso.MicCount = kMaxMics;
  state->MicLp(kMaxMics, 1) = 70.25f;
  state->MicLp(kMaxMics, kBandCount) = 81.5f;
  const TextTable grid = MeasurementGrid(*state);
  ASSERT_EQ(grid.size(), std::size_t{kMaxMics + 3});
  const auto& last = grid[kMaxMics];
  EXPECT_EQ(last[0] + "|" + last[1] + "|" + last[kBandCount], "Lp(100) - dB|70.25|81.5");
  EXPECT_EQ(grid[kMaxMics + 2][0], "Lb - dB");
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
