// The desktop services of the engine, implemented with Qt on the main window.
// Tests replace the modal dialogs with the hooks below, since nobody is there
// to click them offscreen.
#pragma once

#include <QComboBox>
#include <QPrinter>
#include <functional>
#include <memory>

#include "core/Platform.h"

namespace fonderel {

class MainWindow;

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(MainWindow& window);
  ~QtPlatform() override;

  // When set, these answer instead of the modal dialogs.
  std::function<MessageAnswer(MessageIcon, MessageButtons, const std::string&, const std::string&)>
      messageHook;
  std::function<std::optional<std::string>(const std::string&, const std::string&)> inputHook;
  std::function<std::optional<std::string>(FileDialogKind, const FileDialogSettings&)> fileDialogHook;
  std::function<bool(int)> printerDialogHook;
  std::function<std::optional<std::string>(const std::vector<std::string>&)> loudspeakerHook;

  MessageAnswer ShowMessage(MessageIcon icon, MessageButtons buttons, const std::string& title,
                            const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;
  std::optional<std::string> ShowFileDialog(FileDialogKind kind,
                                            const FileDialogSettings& settings) override;
  bool ShowPrinterDialog(int flags) override;
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) override;
  void ShowAbout() override;
  void Beep() override;
  void SetBusy(bool busy) override;
  void ProcessEvents() override;
  void LoadChildWindows() override;
  void ShowWindow(WindowId window) override;
  void HideWindow(WindowId window) override;
  bool IsWindowVisible(WindowId window) const override;
  void PlaceWindow(WindowId window, TwipsRect rect) override;
  void ResizeWindow(WindowId window, TwipsSize size) override;
  void ShowTextLog() override;
  void HideViews() override;
  void ArrangeWindows(ArrangeCode code) override;
  void SetViewsMinimized(bool minimized) override;
  void MaximizeMainWindow() override;
  TwipsSize MainInnerSize() const override;
  void SetViewGeometryEnabled(bool enabled) override;
  void SetPictureVisible(bool visible) override;
  void ClearPicture() override;
  void SetCaption(const std::string& caption) override;
  void CloseMainWindow() override;
  void SetHeaderFields(const HeaderFields& fields) override;
  void SetInfoTable(const TextTable& cells) override;
  void SetSourceKindButtons(bool loudspeaker) override;
  void SetDataTable(const TextTable& cells) override;
  void FillBandSelectors(const std::vector<std::string>& labels) override;
  void SetBandSelectors(int position) override;
  TwipsSize WindowInnerSize(WindowId window) const override;
  void DrawBalloonPicture(const BalloonPicture& picture) override;
  void ShowPolarChart(int window, const PolarChart& chart) override;
  void ClearPolarChart(int window) override;
  void RequestRefreshAfter(double seconds) override;
  void SetClipboardText(const std::string& text) override;
  std::optional<std::string> ClipboardText() const override;
  void SetEditCommandsEnabled(bool cut, bool copy, bool paste, bool del) override;
  bool PrintBalloonImage() override;
  NumberSeparators LocaleSeparators() const override;
  bool OpenRegionalSettings() override;
  bool OpenDocument(const std::string& path) override;
  double ClockSeconds() const override;
  LocalTime Now() const override;

  QPrinter& Printer() { return *printer_; }

 private:
  QList<QComboBox*> Selectors() const;
  MainWindow& window_;
  std::unique_ptr<QPrinter> printer_;
  int busy_ = 0;
};

// "Text (*.spk)|*.spk|..." as a Qt name filter list ("Text (*.spk)"; the
// pattern "*." of files without extension becomes "*").
QStringList QtNameFilters(const std::string& filter);

}  // namespace fonderel
