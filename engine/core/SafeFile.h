// Whole-file reads and safe whole-file writes.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "core/FileError.h"

namespace fonderel {

// Files larger than this are refused before they are read: no format of the
// program comes near it.
inline constexpr std::size_t kMaxFileBytes = 64u << 20;

std::expected<std::string, FileError> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file in the target's folder, flushes it to
// disk and renames it over the target only when complete. A failure at any
// step removes the temporary file and leaves an existing target untouched.
// A new file gets the usual permissions; a replaced one keeps its own.
std::expected<void, FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace fonderel
