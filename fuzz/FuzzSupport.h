// What the fuzz targets share: a check that traps (so libFuzzer records the
// input as a crash) and an in-memory file for readers that take a path.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fonderel::fuzz {

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// One memfd, refilled for every input and read through /proc/self/fd.
struct MemoryFile {
  int fd = ::memfd_create("fonderel-fuzz", 0);
  std::string path = "/proc/self/fd/" + std::to_string(fd);

  void Fill(const std::uint8_t* data, std::size_t size) {
    Require(fd >= 0);
    Require(::ftruncate(fd, 0) == 0);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
      Require(n > 0);
      done += static_cast<std::size_t>(n);
    }
  }
};

}  // namespace fonderel::fuzz
