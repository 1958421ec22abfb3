// What went wrong reading or writing a file: which file, which line, what.
#pragma once

#include <string>

namespace fonderel {

struct FileError {
  std::string file;
  int line = 0;  // 1-based; 0 when the error belongs to the whole file
  std::string message;
  // The user declined a choice the reader asked for: nothing was read, and
  // there is nothing to report in a message box.
  bool cancelled = false;
  // The reader's own text for the user: a message box shows `message` alone,
  // with the stop icon, where other errors show the file and the line.
  bool ownMessage = false;

  // "HORN.SPK, line 31: expected a number, found "x"" or "HORN.SPK: message".
  std::string Text() const {
    return line > 0 ? file + ", line " + std::to_string(line) + ": " + message
                    : file + ": " + message;
  }
};

}  // namespace fonderel
