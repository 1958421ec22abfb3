// List-input reading of the text formats: items separated by commas, blanks
// or line ends, strings optionally in double quotes, plus whole-line and
// raw-character reads. Accepts CR LF, LF or CR line ends. Every read reports
// a FileError that names the file and the line instead of failing silently.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

#include "core/FileError.h"

namespace fonderel {

class FieldReader {
 public:
  // `text` must outlive the reader; `file` names it in errors.
  FieldReader(std::string_view text, std::string file);

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The line of the current position (1-based).
  int Line() const { return line_; }
  const std::string& File() const { return file_; }

  // A string item: quoted (up to the closing quote) or bare (up to a comma or
  // the line end, blanks around it dropped).
  std::expected<std::string, FileError> ReadString();
  // A number item; "0.5", ".5", "-.25", "1E+07" and "+3" are accepted,
  // anything else (also inf and nan, and values beyond the float range) is an
  // error. Line ends before the item are skipped.
  std::expected<float, FileError> ReadSingle();
  std::expected<double, FileError> ReadDouble();
  // A number item that must be a whole number in the 16-bit range.
  std::expected<std::int16_t, FileError> ReadInteger();
  // The rest of the current line, without its line end; moves to the next line.
  std::expected<std::string, FileError> ReadLine();
  // Drops the rest of the current line.
  std::expected<void, FileError> SkipLine();
  // Up to `count` characters of the current line (never across its end).
  std::string PeekLine(std::size_t count) const;
  // Moves past up to `count` characters of the current line.
  void SkipChars(std::size_t count);
  // Moves past characters of the current line up to and including the next
  // blank (or to the line end when there is none).
  void SkipPastBlank();
  // Moves past the letters at the current position (the rest of a tag word,
  // so that "Face-5" leaves "-5" to read).
  void SkipLetters();
  // The line of the last number item read.
  int ItemLine() const { return tokenLine_; }

  FileError Error(std::string message) const { return {file_, line_, std::move(message)}; }
  FileError ErrorAt(int line, std::string message) const { return {file_, line, std::move(message)}; }

 private:
  void SkipBlanks();
  bool AtLineEnd() const;
  void ConsumeLineEnd();
  void ConsumeDelimiter();
  std::expected<double, FileError> ReadNumberToken(double lowest, double highest);

  std::string_view text_;
  std::string file_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int tokenLine_ = 1;      // line of the last number item
  std::string_view token_;  // text of the last number item
};

// `text` made safe to quote in an error message: at most 24 characters,
// control and non-ASCII bytes as \xNN.
std::string Quoted(std::string_view text);

}  // namespace fonderel
