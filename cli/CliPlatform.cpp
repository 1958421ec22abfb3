#include "CliPlatform.h"

#include "core/Cp1252.h"

namespace fonderel {

MessageAnswer CliPlatform::ShowMessage(MessageIcon, MessageButtons buttons,
                                       const std::string& title, const std::string& text) {
  std::string oneLine = text;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  err_ << "fonderel-cli: " << Cp1252ToUtf8(title) << " " << Cp1252ToUtf8(oneLine) << '\n';
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

}  // namespace fonderel
