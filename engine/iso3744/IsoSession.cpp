#include "iso3744/IsoSession.h"

#include <cmath>
#include <limits>

#include "app/FileCommands.h"
#include "app/Startup.h"
#include "core/NumberText.h"
#include "import/ImportCommon.h"
#include "iso3744/MeasFile.h"
#include "iso3744/MeasurementGrade.h"
#include "iso3744/MeasurementInput.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"
#include "iso3744/SpectrumFiles.h"

namespace fonderel {
namespace {

constexpr const char* kMeasFilterSave =
    "Measurement Data Files (*.DAT)|*.DAT|Comma Separated Files (*.PRN)|*.PRN";
constexpr const char* kMeasFilterLoad =
    "Measurement Result Files (*.dat)|*.dat|Comma Separated Files (*.prn)|*.prn|BK2260 ASCII "
    "files (*.txt)|*.txt";
constexpr const char* kLayoutFilter =
    "Measurement Description Files (*.mea)|*.mea|TarveskCAD Files (*.ray)|*.ray";
constexpr const char* kSpectrumFilter =
    "NoiseWork/B&K4133 files (*.txt)|*.txt|Larson Davis LD-3200 files (*.)|*.|Comma Separated "
    "Files (*.prn)|*.prn";

std::string FileNamePart(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// A typed number as a float; beyond the float range it is stored as 0.
float Typed(double v) {
  return std::fabs(v) <= std::numeric_limits<float>::max() ? static_cast<float>(v) : 0.0f;
}

// A background cell: empty where no level is given.
std::string BackgroundCell(const Measurement& m, int band) {
  return m.HasBackground(band) ? FormatNumber(m.Background(band), "##0.0#") : std::string();
}

// A typed background level; a text that starts with no number gives none.
float TypedBackground(const std::string& text) {
  const auto start = text.find_first_not_of(" \t");
  if (start == std::string::npos ||
      std::string_view("0123456789.+-").find(text[start]) == std::string_view::npos) {
    return kNoBackground;
  }
  return Typed(LeadingNumber(text));
}

}  // namespace

TextTable MeasurementGrid(const AppState& state) {
  const int n = state.Iso.MicCount;
  TextTable t(static_cast<std::size_t>(n + 3), std::vector<std::string>(kBandCount + 1));
  t[0][0] = "Freq.(Hz)";
  for (int b = 1; b <= kBandCount; ++b) t[0][static_cast<std::size_t>(b)] = SingleText(BandFreq(b));
  for (int m = 1; m <= n && m <= kMaxMics; ++m) {
    auto& row = t[static_cast<std::size_t>(m)];
    row[0] = "Lp(" + IntText(m, Lead::None) + ") - dB";
    for (int b = 1; b <= kBandCount; ++b) {
      row[static_cast<std::size_t>(b)] = FormatNumber(state.MicLp(m, b), "##0.0#");
    }
  }
  auto& rt = t[static_cast<std::size_t>(n + 1)];
  rt[0] = "RT (s)";
  for (int b = 1; b <= kBandCount; ++b) {
    rt[static_cast<std::size_t>(b)] = FormatNumber(state.Iso.RevTime(b), "##0.00");
  }
  auto& lb = t[static_cast<std::size_t>(n + 2)];
  lb[0] = kBackgroundRowTitle;
  for (int b = 1; b <= kBandCount; ++b)
    lb[static_cast<std::size_t>(b)] = BackgroundCell(state.Iso, b);
  return t;
}

BarChart SoundPowerChart(const Source& src, const std::vector<std::string>& notes) {
  BarChart chart;
  chart.title = "Sound Power Level";
  for (int b = 1; b <= kBandCount; ++b) {
    chart.labels.push_back(SingleText(BandFreq(b), Lead::None));
    chart.values.push_back(src.Lw(b));
    chart.colours.push_back({0, 0, 255});
  }
  chart.labels.push_back("Lin");
  chart.values.push_back(src.Lw(11));
  chart.colours.push_back({255, 0, 0});
  chart.labels.push_back("A");
  chart.values.push_back(src.Lw(12));
  chart.colours.push_back({0, 160, 0});
  chart.notes = notes;
  return chart;
}

IsoSession::IsoSession(AppState& state, Platform& platform, IsoView& view)
    : state_(state), platform_(platform), view_(view) {}

void IsoSession::Load() {
  // The measurement lives for the whole run: a reopened window shows the
  // dimensions, the room volume and the arrangement typed before.
  ShowDimensions();
  if (IsStandardArrangement(state_.Iso)) {
    NmicsClick(ArrangementPosition(state_.Iso));
  } else {
    SetupMeasurementLayout();
  }
  InputSaved = -1.0f;
}

void IsoSession::ShowDimensions() {
  const Measurement& m = state_.Iso;
  DimensionTexts t{SingleText(2 * m.DimA, Lead::None), SingleText(2 * m.DimB, Lead::None),
                   SingleText(m.DimC, Lead::None), SingleText(m.RoomVolume, Lead::None)};
  volumeText_ = t.volume;
  view_.SetDimensionTexts(t);
}

void IsoSession::NmicsClick(int position) {
  static constexpr std::int16_t kCounts[] = {5, 8, 9, 10};
  if (position < 0 || position > 4) return;
  if (position < 4) {
    state_.Iso.MicCount = kCounts[position];
    state_.Iso.LayoutPositions = false;
  } else {
    LoadMicLayout();
  }
  SetupMeasurementLayout();
}

void IsoSession::SetupMeasurementLayout() {
  const Measurement& m = state_.Iso;
  view_.ShowPicture();
  platform_.Beep();
  ArrangementView a;
  const bool hemisphere = IsStandardArrangement(m) && m.MicCount == 10;
  a.lengthLabel = hemisphere ? "Radius" : "lenght (2a)";
  a.widthHeightShown = !hemisphere;
  a.nmicsPosition = ArrangementPosition(m);
  a.sketch = SketchArrangement(m);
  view_.SetArrangement(a);
  view_.SetGrid(MeasurementGrid(state_));
  view_.SetEditBox(CellEditText(1, 1));
}

void IsoSession::LoadMicLayout() {
  Measurement& m = state_.Iso;
  const FileDialogSettings settings{"Load a measurement description file",
                                    kLayoutFilter,
                                    1,
                                    kDialogFileMustExist,
                                    "*.RAY",
                                    state_.DialogInitialDir};
  const auto path = platform_.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) {
    m.MicCount = 9;
    m.LayoutPositions = false;
    return;
  }
  auto layout = ReadLayoutFile(state_.src, platform_, *path);
  if (!layout) {
    if (!layout.error().cancelled) ReportRead(layout.error());
    m.MicCount = 9;
    m.LayoutPositions = false;
    return;
  }
  if (const auto note = ApplyLayoutFile(m, *layout, *path)) state_.AddLogLine(*note);
  if (layout->mea) InputSaved = -1.0f;
  ShowDimensions();
}

void IsoSession::DimensionEdited(DimensionField field, const std::string& text) {
  Measurement& m = state_.Iso;
  const float v = Typed(LeadingNumber(text));
  switch (field) {
    case DimensionField::Lenght:
      m.DimA = v / 2;
      break;
    case DimensionField::Widt:
      m.DimB = v / 2;
      break;
    case DimensionField::Heigh:
      m.DimC = v;
      break;
    case DimensionField::Volume:
      m.RoomVolume = v;
      volumeText_ = text;
      break;
  }
  InputSaved = 0.0f;
}

std::string IsoSession::EditBoxEnter(int row, int col, const std::string& text) {
  const int n = state_.Iso.MicCount;
  if (row == n + 2 && col >= 1 && col <= kBandCount) {
    state_.Iso.Background(col) = TypedBackground(text);
    return BackgroundCell(state_.Iso, col);
  }
  if (row < 1 || row > n + 1 || col < 1 || col > kBandCount) return text;
  const std::string cell = FormatNumber(Typed(LeadingNumber(text)), row <= n ? "##0.0" : "##0.0#");
  const float stored = Typed(LeadingNumber(cell));
  if (row <= n) {
    state_.MicLp(row, col) = stored;
  } else {
    state_.Iso.RevTime(col) = stored;
  }
  return cell;
}

std::string IsoSession::GridCommit(int row, int col, const std::string& entry, bool onEnter) {
  const std::string cell = EditBoxEnter(row, col, entry);
  if (onEnter) InputSaved = 0.0f;
  return cell;
}

std::string IsoSession::CellEditText(int row, int col) const {
  const int n = state_.Iso.MicCount;
  if (row == n + 2 && col >= 1 && col <= kBandCount) {
    return state_.Iso.HasBackground(col) ? SingleText(state_.Iso.Background(col)) : std::string();
  }
  if (row < 1 || row > n + 1 || col < 1 || col > kBandCount) return {};
  return SingleText(row <= n ? state_.MicLp(row, col) : state_.Iso.RevTime(col));
}

bool IsoSession::Compute() {
  state_.Iso.RoomVolume = Typed(LeadingNumber(volumeText_));
  auto result = ComputeSoundPower(state_);
  if (!result) {
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning", result.error());
    return false;
  }
  lastResult_ = *result;
  lastNotes_ = K2Warnings(state_.Iso, *result);
  for (std::string& line : GradeLines(GradeMeasurement(state_, *result)))
    lastNotes_.push_back(std::move(line));
  return true;
}

void IsoSession::PrintWindow() {
  if (!platform_.ShowPrinterDialog(0)) return;
  if (view_.PrintWindow()) return;
  state_.AddLogLine("Error: " + std::string(kPrintFailedText));
  platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Print Error",
                        kPrintFailedText);
}

void IsoSession::WriteReport() {
  if (!reportWriter || !Compute()) return;
  const FileDialogSettings settings{"Save the measurement report",
                                    "PDF Files (*.pdf)|*.pdf",
                                    1,
                                    kDialogOverwritePrompt | kDialogHideReadOnly,
                                    "*.pdf",
                                    state_.DialogInitialDir};
  const auto path = platform_.ShowFileDialog(FileDialogKind::Save, settings);
  if (!path) return;
  const IsoReport report =
      BuildIsoReport(state_, *lastResult_, GradeMeasurement(state_, *lastResult_));
  platform_.SetBusy(true);
  auto written = reportWriter(report, *path);
  platform_.SetBusy(false);
  if (!written) {
    state_.AddLogLine("Error: " + written.error().Text());
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Save Error",
                          written.error().Text());
    return;
  }
  state_.AddLogLine("Measurement report written to " + *path);
}

void IsoSession::DispLw() {
  if (!Compute()) return;
  platform_.Beep();
  view_.ShowChart(SoundPowerChart(state_.src, lastNotes_));
}

void IsoSession::OK() {
  view_.HideChartAndPicture();
  if (!Compute()) {
    view_.ShowPicture();
    return;
  }
  platform_.SetBusy(true);
  auto built = BuildNoiseBalloon(state_, platform_.Now());
  platform_.SetBusy(false);
  if (!built || *built == BalloonOutcome::NoLayout) {
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning",
                          built ? std::string(kNeedLayoutText) : built.error());
    view_.ShowPicture();
    return;
  }
  const LocalTime now = platform_.Now();
  if (state_.src.SourceDate.empty()) state_.src.SourceDate = DateText(now);
  if (state_.src.SourceTime.empty()) state_.src.SourceTime = TimeText(now);
  PendingAction = 2.0f;
  FinishMeasurement();
}

void IsoSession::FinishMeasurement() {
  view_.ShowHeadingDialog();
  if (PendingAction == 1.0f) {
    PendingAction = 0.0f;
    WriteMeasFile(state_.Iso.MeasFile);
  }
  if (PendingAction == 2.0f) {
    PendingAction = 0.0f;
    if (InputSaved != -1.0f) {
      switch (platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::YesNoCancel,
                                    "Warning", kUnsavedInputText)) {
        case MessageAnswer::Cancel:
          SetupMeasurementLayout();
          return;
        case MessageAnswer::Yes:
          SaveToFile();
          break;
        default:
          break;
      }
    }
    state_.src.DataSaved = kFalse;
  }
  view_.CloseWindow();
  platform_.ProcessEvents();
}

void IsoSession::WriteMeasFile(const std::string& path) {
  if (state_.src.Lw(12) < 10.0f) Compute();
  platform_.SetBusy(true);
  auto written = WriteMeasText(state_, path);
  platform_.SetBusy(false);
  if (!written) {
    state_.AddLogLine("Error: " + written.error().Text());
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Save Error",
                          written.error().Text());
    return;
  }
  InputSaved = -1.0f;
}

void IsoSession::SaveToFile() {
  const std::string& last = state_.Iso.MeasFile;
  const FileDialogSettings settings{"Save an ISO 3744 file",
                                    kMeasFilterSave,
                                    1,
                                    kDialogOverwritePrompt | kDialogHideReadOnly,
                                    last.empty() ? "*.DAT" : FileNamePart(last),
                                    state_.DialogInitialDir};
  const auto path = platform_.ShowFileDialog(FileDialogKind::Save, settings);
  if (!path) return;
  state_.Iso.MeasFile = *path;
  const LocalTime now = platform_.Now();
  if (state_.src.SourceDate.empty()) state_.src.SourceDate = DateText(now);
  if (state_.src.SourceTime.empty()) state_.src.SourceTime = TimeText(now);
  if (state_.src.SourceName.empty()) {
    PendingAction = 1.0f;
    FinishMeasurement();
    return;
  }
  WriteMeasFile(*path);
}

void IsoSession::ReportRead(const FileError& error) {
  state_.AddLogLine("Error: " + error.Text());
  platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Read Error", error.Text());
}

void IsoSession::SelectArrangementForCount() {
  NmicsClick(ArrangementPosition(state_.Iso.MicCount));
  InputSaved = -1.0f;
}

void IsoSession::LoadFromFile() {
  std::string proposal = "*.DAT";
  if (!state_.Iso.MeasFile.empty()) {
    proposal = FileNamePart(state_.Iso.MeasFile);
    if (EndsWithUpper(proposal, ".PRN")) proposal.replace(proposal.size() - 4, 4, ".DAT");
  }
  const FileDialogSettings settings{"Load an ISO 3744 file",
                                    kMeasFilterLoad,
                                    1,
                                    kDialogFileMustExist | kDialogHideReadOnly,
                                    proposal,
                                    state_.DialogInitialDir};
  const auto path = platform_.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  state_.Iso.MeasFile = *path;
  if (MeasKindOfPath(*path) == MeasKind::Other) return;
  platform_.SetBusy(true);
  auto read = LoadMeasurement(state_, *path);
  platform_.SetBusy(false);
  if (!read) return ReportRead(read.error());
  if (MeasKindOfPath(*path) == MeasKind::Result) ShowDimensions();
  SelectArrangementForCount();
}

void IsoSession::LoadMicSpectrum(int row) {
  const int n = state_.Iso.MicCount;
  if (row < 1) return;
  if (row > n) {
    platform_.Beep();
    return;
  }
  const FileDialogSettings settings{"Load The Spectrum of Mic no." + IntText(row),
                                    kSpectrumFilter,
                                    1,
                                    kDialogFileMustExist | kDialogHideReadOnly,
                                    "",
                                    state_.DialogInitialDir};
  const auto path = platform_.ShowFileDialog(FileDialogKind::Open, settings);
  if (!path) return;
  platform_.SetBusy(true);
  auto read = ReadSpectrumFile(*path);
  platform_.SetBusy(false);
  if (!read) return ReportRead(read.error());
  for (int b = 1; b <= kBandCount; ++b) state_.MicLp(row, b) = read->Lp(b);
  if (read->SourceName) state_.src.SourceName = *read->SourceName;
  if (read->SourceDate) state_.src.SourceDate = *read->SourceDate;
  SetupMeasurementLayout();
  InputSaved = -1.0f;
}

void FileCreateNoise(AppState& state, Platform& platform, const std::function<void()>& showWindow) {
  if (!CheckRegionalSettings(platform)) return;
  if (!AskAboutUnsavedData(state, platform)) return;
  ResetSource(state, platform, true);
  state.src.DataSaved = kTrue;
  showWindow();
  platform.Beep();
  if (state.src.DataSaved == kTrue) return;
  if (platform.ShowMessage(MessageIcon::Exclamation, MessageButtons::YesNoCancel, "Warning",
                           kUnsavedSpkText) == MessageAnswer::Yes) {
    FileSaveAs(state, platform);
  }
}

}  // namespace fonderel
