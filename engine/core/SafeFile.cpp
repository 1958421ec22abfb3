#include "core/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fonderel {
namespace {

FileError SystemError(const std::string& path, const char* what, int err) {
  return {path, 0, std::string(what) + ": " + std::strerror(err)};
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
 public:
  TempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }
  void Release() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

}  // namespace

std::expected<std::string, FileError> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::unexpected(SystemError(path, "cannot open the file", errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return std::unexpected(SystemError(path, "cannot read the file", err));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::unexpected(FileError{path, 0, "not a regular file"});
  }
  if (static_cast<std::size_t>(st.st_size) > kMaxFileBytes) {
    ::close(fd);
    return std::unexpected(FileError{path, 0, "the file is too large to be a source file"});
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (true) {
    if (done == bytes.size()) {
      // The file may have grown since fstat; read on in chunks up to the limit.
      if (bytes.size() >= kMaxFileBytes) break;
      bytes.resize(std::min(kMaxFileBytes, bytes.size() + 65536));
    }
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return std::unexpected(SystemError(path, "cannot read the file", err));
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

std::expected<void, FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  // Write beside what a symbolic link points to, so the link survives.
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return std::unexpected(SystemError(path, "cannot create the file", errno));
  TempFile temp(fd, name.data());

  struct stat st {};
  mode_t mode = 0;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(temp.Fd(), mode) != 0) {
    return std::unexpected(SystemError(path, "cannot set the file's permissions", errno));
  }

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(temp.Fd(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::unexpected(SystemError(path, "cannot write the file", errno));
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(temp.Fd()) != 0) return std::unexpected(SystemError(path, "cannot write the file", errno));
  if (temp.Close() != 0) return std::unexpected(SystemError(path, "cannot write the file", errno));
  if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
    return std::unexpected(SystemError(path, "cannot replace the file", errno));
  }
  temp.Release();
  return {};
}

}  // namespace fonderel
