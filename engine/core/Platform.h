// The only door from the engine to the desktop. The Qt program implements it
// with windows and dialogs; tests use a scripted implementation that records
// what was shown and answers dialogs from a queue.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace fonderel {

enum class MessageIcon { None, Stop, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The child windows that commands show, hide and place.
enum class ViewWindow { Header, Info, Data, Balloon, PolarMain, TextLog, Creation, Polar, Geometry };
inline constexpr int kPolarWindows = 18;

struct WindowId {
  ViewWindow kind;
  int index = 0;  // which polar curve window, 0..17
  friend bool operator==(const WindowId&, const WindowId&) = default;
  friend auto operator<=>(const WindowId&, const WindowId&) = default;
};

// Window geometry in twips (15 twips to a pixel at 96 dpi).
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};
struct TwipsSize {
  int width = 0, height = 0;
};

// Settings of the common file dialog. The filter is "text|pattern" pairs
// joined by '|'.
struct FileDialogSettings {
  std::string title;
  std::string filter;
  int filterIndex = 1;
  int flags = 0;
  std::string fileName;
  std::string initialDir;
};
enum class FileDialogKind { Open, Save };
inline constexpr int kDialogOverwritePrompt = 2;
inline constexpr int kDialogHideReadOnly = 4;
inline constexpr int kDialogPrintSetup = 64;
inline constexpr int kDialogFileMustExist = 4096;

// The MDI arrange operations with their codes.
enum class ArrangeCode { Cascade = 0, TileHorizontal = 1, TileVertical = 2, ArrangeIcons = 3 };

// The separators of the regional number format the program runs under.
struct NumberSeparators {
  std::string decimalPoint;
  std::string thousands;
};

struct LocalTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Rows of cell texts; row 0 and column 0 are the fixed header row and label column.
using TextTable = std::vector<std::vector<std::string>>;

// One line of the balloon wire frame, in twips of the balloon picture, with
// its RGB colour.
struct Segment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int red = 0, green = 0, blue = 0;
};

// The balloon picture: where it sits in its window and what is drawn on it.
struct BalloonPicture {
  TwipsRect rect;
  std::vector<Segment> segments;  // empty: a cleared picture
};

// One polar chart: 36 radial values at 10-degree steps on a 0..50 scale.
struct PolarChart {
  std::array<double, 36> values{};
  std::string caption;
};

// What the Header window shows.
struct HeaderFields {
  std::string NamTxt, ManTxt, LoBand, HiBand;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Dialogs. A cancelled dialog answers nullopt (or false).
  virtual MessageAnswer ShowMessage(MessageIcon icon, MessageButtons buttons,
                                    const std::string& title, const std::string& text) = 0;
  virtual std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                              const std::string& defaultText) = 0;
  virtual std::optional<std::string> ShowFileDialog(FileDialogKind kind,
                                                    const FileDialogSettings& settings) = 0;
  virtual bool ShowPrinterDialog(int flags) = 0;
  // The SelectLoudspeaker window: the chosen name, or nullopt when declined.
  virtual std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) = 0;
  virtual void ShowAbout() = 0;
  virtual void Beep() = 0;

  // Hourglass while a file is read or written, the default pointer afterwards.
  virtual void SetBusy(bool busy) = 0;
  // Lets pending window messages run during long loops.
  virtual void ProcessEvents() = 0;

  // Windows. The child windows are created hidden once the start-up is past
  // the regional-settings check.
  virtual void LoadChildWindows() = 0;
  virtual void ShowWindow(WindowId window) = 0;  // visible, in its normal state
  virtual void HideWindow(WindowId window) = 0;
  virtual bool IsWindowVisible(WindowId window) const = 0;
  virtual void PlaceWindow(WindowId window, TwipsRect rect) = 0;
  virtual void ResizeWindow(WindowId window, TwipsSize size) = 0;
  virtual void ShowTextLog() = 0;
  // Hides the Header, Info, balloon, balloon-data, polar band selector, polar
  // curve and text log windows, the creation window and the geometry view.
  virtual void HideViews() = 0;
  virtual void ArrangeWindows(ArrangeCode code) = 0;
  // Minimises (or restores) the view windows.
  virtual void SetViewsMinimized(bool minimized) = 0;
  virtual void MaximizeMainWindow() = 0;
  virtual TwipsSize MainInnerSize() const = 0;
  virtual void SetViewGeometryEnabled(bool enabled) = 0;
  // The picture box at the top of the main window's work area.
  virtual void SetPictureVisible(bool visible) = 0;
  virtual void ClearPicture() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Ends the program's main window (the closing questions are the engine's).
  virtual void CloseMainWindow() = 0;

  // What the views show.
  virtual void SetHeaderFields(const HeaderFields& fields) = 0;
  virtual void SetInfoTable(const TextTable& cells) = 0;
  virtual void SetSourceKindButtons(bool loudspeaker) = 0;
  virtual void SetDataTable(const TextTable& cells) = 0;
  // The three band selectors (DATAs, Balloon, PolarMain): their ten entries,
  // and the entry each shows (without raising their click events).
  virtual void FillBandSelectors(const std::vector<std::string>& labels) = 0;
  virtual void SetBandSelectors(int position) = 0;
  // The inner size of a child window, in twips.
  virtual TwipsSize WindowInnerSize(WindowId window) const = 0;
  virtual void DrawBalloonPicture(const BalloonPicture& picture) = 0;
  virtual void ShowPolarChart(int window, const PolarChart& chart) = 0;
  virtual void ClearPolarChart(int window) = 0;
  // Calls RefreshViews once after the given time (a dropped refresh must be
  // followed by one that brings the views in line).
  virtual void RequestRefreshAfter(double seconds) = 0;

  // The clipboard as text, and the Edit menu's four commands.
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::optional<std::string> ClipboardText() const = 0;
  virtual void SetEditCommandsEnabled(bool cut, bool copy, bool paste, bool del) = 0;

  // Printing the balloon window's image on the printer chosen last.
  virtual bool PrintBalloonImage() = 0;

  // The desktop.
  virtual NumberSeparators LocaleSeparators() const = 0;
  // Opens the desktop's regional settings; false when it has none to open.
  virtual bool OpenRegionalSettings() = 0;
  // Opens a document (the manual) in the desktop's viewer; false on failure.
  virtual bool OpenDocument(const std::string& path) = 0;

  // The clock: seconds since midnight, and the local date and time.
  virtual double ClockSeconds() const = 0;
  virtual LocalTime Now() const = 0;
};

}  // namespace fonderel
