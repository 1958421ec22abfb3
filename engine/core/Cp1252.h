// Conversion between the files' Windows-1252 bytes and UTF-8, for the
// boundaries (the GUI, JSON output). The engine itself keeps bytes.
#pragma once

#include <string>
#include <string_view>

namespace fonderel {

std::string Cp1252ToUtf8(std::string_view bytes);
// A text that may carry a file path (log lines, messages, error texts): the
// path's bytes are the file system's UTF-8 and stay as they are; every other
// byte is Windows-1252. Used wherever such a text is shown or printed.
std::string MixedTextToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace fonderel
