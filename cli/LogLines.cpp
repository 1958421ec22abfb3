#include "LogLines.h"

namespace fonderel {

std::vector<std::string> PrintedLogLines(const std::vector<std::string>& lines) {
  static const std::string kModelerHeading = "Import a Modeler 3.X speaker file from: ";
  std::vector<std::string> printed = lines;
  for (std::size_t i = 0; i + 2 < printed.size(); ++i) {
    // The heading, an empty line, then the word.
    if (printed[i].starts_with(kModelerHeading) && printed[i + 1].empty()) {
      printed[i + 2] = "First word of the file:" + printed[i + 2];
    }
  }
  return printed;
}

}  // namespace fonderel
