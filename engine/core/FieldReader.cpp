#include "core/FieldReader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>


namespace fonderel {

std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  constexpr std::size_t kShown = 24;
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (text.size() > kShown) out += "...";
  return out + "\"";
}

FieldReader::FieldReader(std::string_view text, std::string file)
    : text_(text), file_(std::move(file)) {}

bool FieldReader::AtLineEnd() const {
  return pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n';
}

void FieldReader::ConsumeLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
    ++line_;
  }
}

void FieldReader::SkipBlanks() {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

// After an item: blanks, then one comma or one line end.
void FieldReader::ConsumeDelimiter() {
  SkipBlanks();
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
  } else {
    ConsumeLineEnd();
  }
}

std::expected<std::string, FileError> FieldReader::ReadString() {
  SkipBlanks();
  if (AtEnd()) return std::unexpected(Error("expected a text, found the end of the file"));
  std::string value;
  if (text_[pos_] == '"') {
    ++pos_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '"' && !AtLineEnd()) ++pos_;
    value.assign(text_.substr(start, pos_ - start));
    if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
    value.assign(text_.substr(start, pos_ - start));
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  }
  ConsumeDelimiter();
  return value;
}

std::expected<double, FileError> FieldReader::ReadNumberToken(double lowest, double highest) {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == ' ' || c == '\t') {
      ++pos_;
    } else if (c == '\r' || c == '\n') {
      ConsumeLineEnd();
    } else {
      break;
    }
  }
  if (AtEnd()) return std::unexpected(Error("expected a number, found the end of the file"));
  const std::size_t start = pos_;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') break;
    ++pos_;
  }
  const std::string_view token = text_.substr(start, pos_ - start);
  token_ = token;
  const int line = line_;
  tokenLine_ = line;
  std::string_view digits = token;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  double value = 0;
  const bool startsWell = !digits.empty() && (digits.front() == '-' || digits.front() == '.' ||
                                              (digits.front() >= '0' && digits.front() <= '9'));
  const auto [end, ec] = startsWell ? std::from_chars(digits.data(), digits.data() + digits.size(), value)
                                    : std::from_chars_result{digits.data(), std::errc::invalid_argument};
  if (ec == std::errc::result_out_of_range || (ec == std::errc() && end == digits.data() + digits.size() &&
                                               std::isfinite(value) && (value < lowest || value > highest))) {
    return std::unexpected(ErrorAt(line, "number out of range: " + Quoted(token)));
  }
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
    if (token.empty()) return std::unexpected(ErrorAt(line, "expected a number, found an empty item"));
    return std::unexpected(ErrorAt(line, "expected a number, found " + Quoted(token)));
  }
  ConsumeDelimiter();
  return value;
}

std::expected<float, FileError> FieldReader::ReadSingle() {
  const double limit = std::numeric_limits<float>::max();
  auto v = ReadNumberToken(-limit, limit);
  if (!v) return std::unexpected(v.error());
  return static_cast<float>(*v);
}

std::expected<double, FileError> FieldReader::ReadDouble() {
  const double limit = std::numeric_limits<double>::max();
  return ReadNumberToken(-limit, limit);
}

std::expected<std::int16_t, FileError> FieldReader::ReadInteger() {
  auto v = ReadNumberToken(-32768.5, 32767.5);
  if (!v) return std::unexpected(v.error());
  const int line = tokenLine_;
  // Whole numbers only; "3.0" is accepted as 3.
  if (*v != std::nearbyint(*v)) {
    return std::unexpected(ErrorAt(line, "expected a whole number, found " + Quoted(token_)));
  }
  return static_cast<std::int16_t>(*v);
}

std::expected<std::string, FileError> FieldReader::ReadLine() {
  if (AtEnd()) return std::unexpected(Error("expected a line, found the end of the file"));
  const std::size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  std::string value(text_.substr(start, pos_ - start));
  ConsumeLineEnd();
  return value;
}

std::expected<void, FileError> FieldReader::SkipLine() {
  auto line = ReadLine();
  if (!line) return std::unexpected(line.error());
  return {};
}

std::string FieldReader::PeekLine(std::size_t count) const {
  std::size_t end = pos_;
  while (end < text_.size() && end - pos_ < count && text_[end] != '\r' && text_[end] != '\n') ++end;
  return std::string(text_.substr(pos_, end - pos_));
}

void FieldReader::SkipChars(std::size_t count) {
  for (; count > 0 && !AtLineEnd(); --count) ++pos_;
}

void FieldReader::SkipLetters() {
  while (!AtLineEnd() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

void FieldReader::SkipPastBlank() {
  while (!AtLineEnd() && text_[pos_] != ' ') ++pos_;
  if (!AtLineEnd()) ++pos_;
}

}  // namespace fonderel
