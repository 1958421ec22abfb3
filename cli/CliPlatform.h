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

 private:
  std::ostream& err_;
};

}  // namespace fonderel
