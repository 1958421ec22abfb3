#include "app/RecentFiles.h"

#include <algorithm>

namespace fonderel {

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(files_, path);
  files_.insert(files_.begin(), path);
  if (files_.size() > kRecentFileCount) files_.resize(kRecentFileCount);
  Changed();
}

void RecentFiles::Remove(const std::string& path) {
  if (std::erase(files_, path) > 0) Changed();
}

void RecentFiles::Assign(const std::vector<std::string>& files) {
  files_.clear();
  for (const std::string& f : files) {
    if (files_.size() == kRecentFileCount) break;
    if (!f.empty() && std::ranges::find(files_, f) == files_.end()) files_.push_back(f);
  }
}

void RecentFiles::Changed() {
  if (listener_) listener_();
}

}  // namespace fonderel
