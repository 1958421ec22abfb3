#include "core/Cp1252.h"

#include <array>
#include <cstdint>

namespace fonderel {
namespace {

// Code points of bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte
// undefined (those map to the C1 control of the same value).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The length of the well-formed UTF-8 sequence of two or more bytes that
// starts at `at`, or 0. Windows-1252 text practically never forms one.
std::size_t Utf8SequenceAt(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  const std::size_t extra = lead >= 0xC2 && lead <= 0xDF   ? 1
                            : lead >= 0xE0 && lead <= 0xEF ? 2
                            : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                           : 0;
  if (extra == 0 || at + extra >= s.size()) return 0;
  char32_t c = lead & (0x3F >> extra);
  for (std::size_t j = 1; j <= extra; ++j) {
    const auto cont = static_cast<unsigned char>(s[at + j]);
    if ((cont & 0xC0) != 0x80) return 0;
    c = (c << 6) | (cont & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
  return extra + 1;
}

}  // namespace

std::string MixedTextToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    if (const std::size_t n = Utf8SequenceAt(bytes, i); n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
    } else {
      AppendUtf8(out, CodePoint(static_cast<unsigned char>(bytes[i++])));
    }
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, CodePoint(static_cast<unsigned char>(b)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
      out += '?';
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = true;
    for (int j = 1; j <= extra; ++j) {
      const auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(j)]);
      if ((cont & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (cont & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || c < kSmallest[extra] || (c >= 0xD800 && c <= 0xDFFF)) {
      out += '?';
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    char byte = '?';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      byte = static_cast<char>(c);
    } else {
      for (unsigned b = 0; b < kHigh.size(); ++b) {
        if (kHigh[b] == c) byte = static_cast<char>(0x80 + b);
      }
      if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0) byte = static_cast<char>(c);
    }
    out += byte;
  }
  return out;
}

}  // namespace fonderel
