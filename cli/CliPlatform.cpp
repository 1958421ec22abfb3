#include "CliPlatform.h"

#include <ctime>

#include "core/Cp1252.h"

namespace fonderel {

MessageAnswer CliPlatform::ShowMessage(MessageIcon icon, MessageButtons buttons,
                                       const std::string& title, const std::string& text) {
  std::string oneLine = text;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  err_ << "fonderel-cli: " << MixedTextToUtf8(title) << " " << MixedTextToUtf8(oneLine) << '\n';
  return NullPlatform::ShowMessage(icon, buttons, title, text);
}

LocalTime CliPlatform::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<std::string> CliPlatform::ChooseLoudspeaker(const std::vector<std::string>& names) {
  offeredNames = names;
  for (const std::string& name : names) {
    if (name == speaker) return name;
  }
  return std::nullopt;
}

std::optional<std::string> CliPlatform::InputBox(const std::string&, const std::string&,
                                                 const std::string&) {
  return manufacturer;
}

}  // namespace fonderel
