// The last files opened or saved, newest first, as the File menu lists them
// above Exit. The desktop keeps the list between runs; the engine keeps it in
// order and tells the desktop when it changed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace fonderel {

inline constexpr std::size_t kRecentFileCount = 4;

class RecentFiles {
 public:
  const std::vector<std::string>& Files() const { return files_; }

  // Puts the path at the top; an entry already there moves up, the oldest
  // beyond four drops off.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  // The list as the desktop stored it: empty and repeated entries are
  // skipped, at most four kept. Does not call the listener.
  void Assign(const std::vector<std::string>& files);

  // Called after every change made by Add or Remove.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void Changed();
  std::vector<std::string> files_;
  std::function<void()> listener_;
};

}  // namespace fonderel
