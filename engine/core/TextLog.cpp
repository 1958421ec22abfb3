#include "core/TextLog.h"

namespace fonderel {

void TextLog::AddLogLine(std::string_view text) {
  lines_.emplace_back(text);
  if (listener_) listener_(&lines_.back());
}

void TextLog::Clear() {
  lines_.clear();
  if (listener_) listener_(nullptr);
}

}  // namespace fonderel
