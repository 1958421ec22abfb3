// The only door from the engine to the desktop. The Qt program implements it
// with windows and dialogs; tests use a scripted implementation that records
// what was shown and answers dialogs from a queue.
#pragma once

#include <string>

namespace fonderel {

enum class MessageIcon { None, Stop, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Platform {
 public:
  virtual ~Platform() = default;

  virtual MessageAnswer ShowMessage(MessageIcon icon, MessageButtons buttons,
                                    const std::string& title, const std::string& text) = 0;
  // Hourglass while a file is read or written, the default pointer afterwards.
  virtual void SetBusy(bool busy) = 0;
  // Lets pending window messages run during long loops.
  virtual void ProcessEvents() = 0;

  virtual void ShowTextLog() = 0;
  // Hides the Header, Info, balloon, balloon-data, polar band selector, polar
  // curve and text log windows.
  virtual void HideViews() = 0;
  virtual void SetViewGeometryEnabled(bool enabled) = 0;
  // Clears the drawing of the main window's picture box.
  virtual void ClearPicture() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

}  // namespace fonderel
