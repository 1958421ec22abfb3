// A desktop with nothing on it: for the command-line tool, benchmarks and
// fuzzing. Questions are answered Cancel (or No, or Ok where that is the only
// button) and dialogs count as cancelled.
#pragma once

#include "core/Platform.h"

namespace fonderel {

class NullPlatform : public Platform {
 public:
  MessageAnswer ShowMessage(MessageIcon, MessageButtons buttons, const std::string&,
                            const std::string&) override {
    switch (buttons) {
      case MessageButtons::Ok:
        return MessageAnswer::Ok;
      case MessageButtons::YesNo:
        return MessageAnswer::No;
      case MessageButtons::OkCancel:
      case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowFileDialog(FileDialogKind, const FileDialogSettings&) override {
    return std::nullopt;
  }
  bool ShowPrinterDialog(int) override { return false; }
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>&) override {
    return std::nullopt;
  }
  void ShowAbout() override {}
  void Beep() override {}
  void SetBusy(bool) override {}
  void ProcessEvents() override {}
  void LoadChildWindows() override {}
  void ShowWindow(WindowId) override {}
  void HideWindow(WindowId) override {}
  bool IsWindowVisible(WindowId) const override { return false; }
  void PlaceWindow(WindowId, TwipsRect) override {}
  void ResizeWindow(WindowId, TwipsSize) override {}
  void ShowTextLog() override {}
  void HideViews() override {}
  void ArrangeWindows(ArrangeCode) override {}
  void SetViewsMinimized(bool) override {}
  void MaximizeMainWindow() override {}
  TwipsSize MainInnerSize() const override { return {}; }
  void SetViewGeometryEnabled(bool) override {}
  void SetPictureVisible(bool) override {}
  void ClearPicture() override {}
  void SetCaption(const std::string&) override {}
  void CloseMainWindow() override {}
  void SetHeaderFields(const HeaderFields&) override {}
  void SetInfoTable(const TextTable&) override {}
  void SetSourceKindButtons(bool) override {}
  void SetDataTable(const TextTable&) override {}
  void FillBandSelectors(const std::vector<std::string>&) override {}
  void SetBandSelectors(int) override {}
  TwipsSize WindowInnerSize(WindowId) const override { return {}; }
  void DrawBalloonPicture(const BalloonPicture&) override {}
  void ShowPolarChart(int, const PolarChart&) override {}
  void ClearPolarChart(int) override {}
  void RequestRefreshAfter(double) override {}
  void SetClipboardText(const std::string&) override {}
  std::optional<std::string> ClipboardText() const override { return std::nullopt; }
  void SetEditCommandsEnabled(bool, bool, bool, bool) override {}
  bool PrintBalloonImage() override { return false; }
  NumberSeparators LocaleSeparators() const override { return {".", ","}; }
  bool OpenRegionalSettings() override { return false; }
  bool OpenDocument(const std::string&) override { return false; }
  double ClockSeconds() const override { return 0; }
  LocalTime Now() const override { return {}; }
};

}  // namespace fonderel
