// The desktop services as a command-line tool has them: no windows; messages
// go to standard error.
#pragma once

#include <ostream>

#include "core/NullPlatform.h"

namespace fonderel {

class CliPlatform : public NullPlatform {
 public:
  explicit CliPlatform(std::ostream& err) : err_(err) {}

  // Prints the message; a question has no one to answer it, so it is
  // answered Cancel (or No where there is no Cancel).
  MessageAnswer ShowMessage(MessageIcon icon, MessageButtons buttons, const std::string& title,
                            const std::string& text) override;
  // The loudspeaker given with --speaker, when the file holds it.
  std::optional<std::string> ChooseLoudspeaker(const std::vector<std::string>& names) override;
  // The one question an importer asks, the manufacturer: --manufacturer, or
  // an empty answer.
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;

  // The local date and time an importer stamps on a new source.
  LocalTime Now() const override;

  std::string speaker;                    // --speaker, in Windows-1252
  std::string manufacturer;               // --manufacturer, in Windows-1252
  std::vector<std::string> offeredNames;  // what the last loudspeaker choice offered

 private:
  std::ostream& err_;
};

}  // namespace fonderel
