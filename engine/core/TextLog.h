// The text log: the lines that readers, writers and importers append as they
// go, so the user can follow a load or save. The log window shows them; it is
// never written to a file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fonderel {

class TextLog {
 public:
  // Called after each appended line, and with no line after Clear, so a window
  // showing the log can follow it.
  using Listener = std::function<void(const std::string* appended)>;

  void AddLogLine(std::string_view text);
  void Clear();
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  std::vector<std::string> lines_;
  Listener listener_;
};

}  // namespace fonderel
