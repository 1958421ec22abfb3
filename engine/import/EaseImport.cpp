#include "import/EaseImport.h"

#include "core/SafeFile.h"

namespace fonderel {

std::expected<void, FileError> ImportEaseFile(AppState&, Platform&, const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::unexpected(bytes.error());
  return std::unexpected(FileError{path, 0, "this kind of file cannot be imported yet"});
}

}  // namespace fonderel
