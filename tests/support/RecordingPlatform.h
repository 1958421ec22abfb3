// A scripted Platform for tests: records every call as a line of text and
// answers dialogs from queues. An empty queue answers as a user who cancels
// (message boxes with only Ok answer Ok).
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Platform.h"

namespace fonderel::test {

inline std::string Name(WindowId w) {
  static const char* const kNames[] = {"Header", "Info",     "Data",     "Balloon",
                                       "PolarMain", "TextLog", "Creation", "Polar", "Geometry"};
  std::string name = kNames[static_cast<int>(w.kind)];
  if (w.kind == ViewWindow::Polar) name += std::to_string(w.index);
  return name;
}

class RecordingPlatform : public Platform {
 public:
  std::vector<std::string> calls;
  std::deque<MessageAnswer> answers;
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::string>> files;
  std::deque<bool> printers;
  std::deque<std::optional<std::string>> speakers;  // answers of the loudspeaker selection
  std::vector<std::vector<std::string>> speakerLists;  // the names each selection offered
  std::vector<FileDialogSettings> fileDialogs;  // the settings each file dialog was shown with
  std::map<std::string, bool> visible;          // by window name
  std::vector<HeaderFields> headers;
  std::vector<TextTable> infoTables;       // every Info table pushed, last one last
  std::vector<TextTable> dataTables;
  std::vector<bool> kindButtons;           // loudspeaker button on, per refresh
  std::vector<std::string> selectorLabels;
  std::vector<int> selectorPositions;
  std::vector<BalloonPicture> balloons;
  std::map<int, PolarChart> polar;         // what each polar window shows now
  std::vector<double> refreshRequests;     // seconds asked for a trailing refresh
  std::optional<std::string> clipboard;
  std::map<WindowId, TwipsSize> innerSizes;
  std::string editEnabled = "----";        // Cut, Copy, Paste, Delete as X or -
  NumberSeparators separators{".", ","};
  bool regionalPanel = false;
  bool documentOpens = true;
  TwipsSize inner{15000, 9000};
  mutable double clock = 1000.0;  // seconds since midnight
  double clockStep = 1.0;    // added after every reading, so refreshes are not throttled
  LocalTime now{2026, 12, 6, 17, 45, 9};

  bool Called(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

  MessageAnswer ShowMessage(MessageIcon, MessageButtons buttons, const std::string& title,
                            const std::string& text) override {
    calls.push_back("ShowMessage " + title + "|" + text);
    return Next(answers, buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
  }
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string&) override {
    calls.push_back("InputBox " + title + "|" + prompt);
    return Next(inputs);
  }
  std::optional<std::string> ShowFileDialog(FileDialogKind kind,
                                            const FileDialogSettings& settings) override {
    calls.push_back(std::string(kind == FileDialogKind::Open ? "OpenDialog " : "SaveDialog ") +
                    settings.title);
    fileDialogs.push_back(settings);
    return Next(files);
  }
  bool ShowPrinterDialog(int flags) override {
    calls.push_back("PrinterDialog " + std::to_string(flags));
    return Next(printers, false);
  }
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) override {
    calls.push_back("ChooseLoudspeaker"), speakerLists.push_back(names);
    return Next(speakers);
  }
  void ShowAbout() override { calls.push_back("ShowAbout"); }
  void Beep() override { calls.push_back("Beep"); }
  void SetBusy(bool busy) override { calls.push_back(busy ? "SetBusy on" : "SetBusy off"); }
  void ProcessEvents() override { calls.push_back("ProcessEvents"); }
  void LoadChildWindows() override { calls.push_back("LoadChildWindows"); }
  void ShowWindow(WindowId w) override { calls.push_back("Show " + Name(w)), visible[Name(w)] = true; }
  void HideWindow(WindowId w) override { calls.push_back("Hide " + Name(w)), visible[Name(w)] = false; }
  bool IsWindowVisible(WindowId w) const override {
    const auto it = visible.find(Name(w));
    return it != visible.end() && it->second;
  }
  void PlaceWindow(WindowId w, TwipsRect r) override {
    calls.push_back("Place " + Name(w) + " " + std::to_string(r.left) + "," + std::to_string(r.top) +
                    "," + std::to_string(r.width) + "," + std::to_string(r.height));
  }
  void ResizeWindow(WindowId w, TwipsSize s) override {
    calls.push_back("Resize " + Name(w) + " " + std::to_string(s.width) + "," +
                    std::to_string(s.height));
  }
  void ShowTextLog() override { calls.push_back("ShowTextLog"), visible["TextLog"] = true; }
  void HideViews() override { calls.push_back("HideViews"); }
  void ArrangeWindows(ArrangeCode code) override {
    calls.push_back("Arrange " + std::to_string(static_cast<int>(code)));
  }
  void SetViewsMinimized(bool m) override { calls.push_back(m ? "Minimize views" : "Restore views"); }
  void MaximizeMainWindow() override { calls.push_back("Maximize"); }
  TwipsSize MainInnerSize() const override { return inner; }
  void SetViewGeometryEnabled(bool enabled) override {
    calls.push_back(enabled ? "ViewGeometry on" : "ViewGeometry off");
  }
  void SetPictureVisible(bool v) override { calls.push_back(v ? "Picture shown" : "Picture hidden"); }
  void ClearPicture() override { calls.push_back("ClearPicture"); }
  void SetCaption(const std::string& caption) override { calls.push_back("Caption " + caption); }
  void CloseMainWindow() override { calls.push_back("CloseMainWindow"); }
  void SetHeaderFields(const HeaderFields& fields) override { headers.push_back(fields); }
  void SetInfoTable(const TextTable& cells) override { infoTables.push_back(cells); }
  void SetSourceKindButtons(bool loudspeaker) override { kindButtons.push_back(loudspeaker); }
  void SetDataTable(const TextTable& cells) override { dataTables.push_back(cells); }
  void FillBandSelectors(const std::vector<std::string>& labels) override { selectorLabels = labels; }
  void SetBandSelectors(int position) override { selectorPositions.push_back(position); }
  TwipsSize WindowInnerSize(WindowId window) const override {
    const auto it = innerSizes.find(window);
    return it == innerSizes.end() ? TwipsSize{3600, 3400} : it->second;
  }
  void DrawBalloonPicture(const BalloonPicture& picture) override { balloons.push_back(picture); }
  void ShowPolarChart(int window, const PolarChart& chart) override {
    calls.push_back("ShowPolarChart " + std::to_string(window)), polar[window] = chart;
  }
  void ClearPolarChart(int window) override {
    calls.push_back("ClearPolarChart " + std::to_string(window)), polar.erase(window);
  }
  void RequestRefreshAfter(double seconds) override { refreshRequests.push_back(seconds); }
  void SetClipboardText(const std::string& text) override { calls.push_back("SetClipboardText"), clipboard = text; }
  std::optional<std::string> ClipboardText() const override { return clipboard; }
  void SetEditCommandsEnabled(bool cut, bool copy, bool paste, bool del) override {
    editEnabled = {cut ? 'X' : '-', copy ? 'X' : '-', paste ? 'X' : '-', del ? 'X' : '-'};
  }
  bool PrintBalloonImage() override { return calls.push_back("PrintBalloonImage"), true; }
  NumberSeparators LocaleSeparators() const override { return separators; }
  bool OpenRegionalSettings() override { return calls.push_back("OpenRegionalSettings"), regionalPanel; }
  bool OpenDocument(const std::string& path) override {
    return calls.push_back("OpenDocument " + path), documentOpens;
  }
  double ClockSeconds() const override { return std::exchange(clock, clock + clockStep); }
  LocalTime Now() const override { return now; }

 private:
  template <class T>
  static T Next(std::deque<T>& queue, T none = T{}) {
    if (queue.empty()) return none;
    T v = queue.front();
    queue.pop_front();
    return v;
  }
};

}  // namespace fonderel::test
