#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <limits>
#include <type_traits>

namespace fonderel {
namespace {

// Significant digits (no leading or trailing zeros) and decimal exponent of a
// positive finite value: value = 0.d1d2...dn × 10^exponent.
struct Digits {
  char digits[24];
  int count = 0;
  int exponent = 0;
  std::string_view View() const { return {digits, static_cast<std::size_t>(count)}; }
};

// `precision` > 0: rounded to that many significant digits; 0: the shortest
// digits that read back to the same value of its type.
template <typename T>
Digits DecimalDigits(T magnitude, int precision) {
  char buf[64];
  const auto result = precision > 0
                          ? std::to_chars(buf, buf + sizeof buf, magnitude,
                                          std::chars_format::scientific, precision - 1)
                          : std::to_chars(buf, buf + sizeof buf, magnitude,
                                          std::chars_format::scientific);
  Digits d;
  const char* p = buf;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.') d.digits[d.count++] = *p;
  }
  int exp10 = 0;
  ++p;  // past 'e'
  if (p < result.ptr && *p == '+') ++p;
  std::from_chars(p, result.ptr, exp10);
  d.exponent = exp10 + 1;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// The digits of a value rounded to `precision` significant digits. For a
// float the shortest round-trip digits are the same whenever there are at
// most 7 of them and the first is below 8: there the 7-digit decimals lie
// farther apart than two neighbouring floats, so the nearest 7-digit decimal
// is the only one that reads back as the float. That path is much faster.
template <typename T>
Digits RoundedDigits(T value, int precision) {
  if constexpr (std::is_same_v<T, float>) {
    // Subnormal floats are farther apart: they take the exact way.
    if (precision == 7 && std::fabs(value) >= std::numeric_limits<float>::min()) {
      const Digits shortest = DecimalDigits(std::fabs(value), 0);
      if (shortest.count <= 7 && shortest.digits[0] < '8') return shortest;
    }
  }
  return DecimalDigits(static_cast<double>(std::fabs(value)), precision);
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

// The BASIC-style text into `buf` (room for 48 characters); returns its length.
template <typename T>
std::size_t BasicChars(char* buf, T value, int precision, Lead lead) {
  char* out = buf;
  if (!std::isfinite(value)) {
    const std::string text = NonFiniteText(static_cast<double>(value));
    for (char c : text) *out++ = c;
    return static_cast<std::size_t>(out - buf);
  }
  if (value < 0) {
    *out++ = '-';
  } else if (lead == Lead::Blank) {
    *out++ = ' ';
  }
  if (value == 0) {
    *out++ = '0';
    return static_cast<std::size_t>(out - buf);
  }
  const Digits d = RoundedDigits(value, precision);
  const int n = d.count;
  const int e = d.exponent;
  const auto put = [&out](const char* from, int count) {
    for (int i = 0; i < count; ++i) *out++ = from[i];
  };
  const bool fixed = e > 0 ? e <= precision : n - e <= precision;
  if (fixed) {
    if (e <= 0) {
      *out++ = '.';
      for (int i = 0; i < -e; ++i) *out++ = '0';
      put(d.digits, n);
    } else if (e >= n) {
      put(d.digits, n);
      for (int i = 0; i < e - n; ++i) *out++ = '0';
    } else {
      put(d.digits, e);
      *out++ = '.';
      put(d.digits + e, n - e);
    }
    return static_cast<std::size_t>(out - buf);
  }
  *out++ = d.digits[0];
  if (n > 1) {
    *out++ = '.';
    put(d.digits + 1, n - 1);
  }
  const int shown = e - 1;
  *out++ = 'E';
  *out++ = shown < 0 ? '-' : '+';
  const int a = shown < 0 ? -shown : shown;
  if (a >= 100) *out++ = static_cast<char>('0' + a / 100);
  *out++ = static_cast<char>('0' + a / 10 % 10);
  *out++ = static_cast<char>('0' + a % 10);
  return static_cast<std::size_t>(out - buf);
}

template <typename T>
std::string BasicText(T value, int precision, Lead lead) {
  char buf[48];
  return std::string(buf, BasicChars(buf, value, precision, lead));
}

struct Pattern {
  std::string prefix;
  int minInt = 0;
  bool grouping = false;
  bool point = false;
  int minDec = 0;
  int maxDec = 0;
};

Pattern ParsePattern(std::string_view p) {
  Pattern pat;
  std::size_t i = 0;
  while (i < p.size() && p[i] != '#' && p[i] != '0' && p[i] != '.' && p[i] != ',') {
    pat.prefix += p[i++];
  }
  for (; i < p.size() && p[i] != '.'; ++i) {
    if (p[i] == '0') ++pat.minInt;
    if (p[i] == ',') pat.grouping = true;
  }
  if (i < p.size() && p[i] == '.') {
    pat.point = true;
    for (++i; i < p.size(); ++i) {
      if (p[i] == '0') ++pat.minDec, ++pat.maxDec;
      if (p[i] == '#') ++pat.maxDec;
    }
  }
  return pat;
}

// Rounds the decimal digits half away from zero to `decimals` places and
// returns the integer and fraction digit strings.
void RoundDecimal(const Digits& dd, int decimals, std::string& intPart, std::string& frac) {
  struct {
    std::string digits;
    int exponent;
  } d{std::string(dd.View()), dd.exponent};
  // All digits as a fixed-point string: int part then `decimals` fraction digits.
  const int e = d.exponent;
  std::string all;  // integer digits followed by the fraction digits, unrounded
  std::string ip, fp;
  if (e <= 0) {
    fp.assign(static_cast<std::size_t>(-e), '0');
    fp += d.digits;
  } else if (e >= static_cast<int>(d.digits.size())) {
    ip = d.digits;
    ip.append(static_cast<std::size_t>(e) - d.digits.size(), '0');
  } else {
    ip = d.digits.substr(0, static_cast<std::size_t>(e));
    fp = d.digits.substr(static_cast<std::size_t>(e));
  }
  const bool roundUp = static_cast<int>(fp.size()) > decimals && fp[static_cast<std::size_t>(decimals)] >= '5';
  fp.resize(static_cast<std::size_t>(decimals), '0');
  all = ip + fp;
  if (roundUp) {
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++all[static_cast<std::size_t>(i)];
    } else {
      all.insert(all.begin(), '1');
    }
  }
  intPart = all.substr(0, all.size() - static_cast<std::size_t>(decimals));
  frac = all.substr(all.size() - static_cast<std::size_t>(decimals));
  const std::size_t nz = intPart.find_first_not_of('0');
  intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

template <typename T>
std::string FormatWith(T value, std::string_view pattern) {
  if (!std::isfinite(value)) return NonFiniteText(static_cast<double>(value));
  const Pattern pat = ParsePattern(pattern);
  std::string intPart, frac;
  if (value != 0) {
    RoundDecimal(DecimalDigits(std::fabs(value), 0), pat.maxDec, intPart, frac);
  } else {
    frac.assign(static_cast<std::size_t>(pat.maxDec), '0');
  }
  const bool zero = intPart.empty() && frac.find_first_not_of('0') == std::string::npos;
  while (static_cast<int>(frac.size()) > pat.minDec && frac.back() == '0') frac.pop_back();
  if (static_cast<int>(intPart.size()) < pat.minInt) {
    intPart.insert(0, static_cast<std::size_t>(pat.minInt) - intPart.size(), '0');
  }
  if (pat.grouping) {
    for (int i = static_cast<int>(intPart.size()) - 3; i > 0; i -= 3) {
      intPart.insert(static_cast<std::size_t>(i), 1, ',');
    }
  }
  std::string out = (value < 0 && !zero) ? "-" : "";
  out += pat.prefix;
  out += intPart;
  if (pat.point) {
    out += '.';
    out += frac;
  }
  return out;
}

}  // namespace

std::string SingleText(float value, Lead lead) { return BasicText(value, 7, lead); }
std::string DoubleText(double value, Lead lead) { return BasicText(value, 15, lead); }

void AppendSingleText(std::string& out, float value, Lead lead) {
  char buf[48];
  out.append(buf, BasicChars(buf, value, 7, lead));
}

void AppendDoubleText(std::string& out, double value, Lead lead) {
  char buf[48];
  out.append(buf, BasicChars(buf, value, 15, lead));
}

std::string IntText(long value, Lead lead) {
  std::string s = std::to_string(value);
  return (value >= 0 && lead == Lead::Blank) ? " " + s : s;
}

std::string FormatNumber(double value, std::string_view pattern) {
  return FormatWith(value, pattern);
}
std::string FormatNumber(float value, std::string_view pattern) {
  return FormatWith(value, pattern);
}

void AppendBalloonField(std::string& out, float value) {
  const double scaled = std::floor(static_cast<double>(value) * 10000.0 + 0.5);
  // Beyond 1e14 a float is a whole number anyway; below that the integer
  // arithmetic stays exact.
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e14) {
    if (!std::isfinite(value)) {
      out += RightAlign(NonFiniteText(static_cast<double>(value)), 7);
      return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                 std::chars_format::fixed, 0);
    out.append(buf, r.ptr);
    out += ".0";
    return;
  }
  const auto m = static_cast<std::int64_t>(scaled);
  const bool negative = m < 0;
  const std::int64_t magnitude = negative ? -m : m;
  const std::int64_t whole = magnitude / 10000;
  const std::int64_t frac = magnitude % 10000;
  // Digits of the whole part, last first.
  char wholeDigits[24];
  int wholeCount = 0;
  for (std::int64_t w = whole; w > 0; w /= 10) wholeDigits[wholeCount++] = static_cast<char>('0' + w % 10);
  char buf[40];
  char* p = buf;
  if (frac == 0) {
    // A whole number: its text and ".0", right-aligned in 7 characters.
    const int length = (whole == 0 ? 1 : wholeCount) + (negative && whole != 0 ? 1 : 0) + 2;
    for (int i = length; i < 7; ++i) *p++ = ' ';
    if (whole == 0) {
      *p++ = '0';
    } else {
      if (negative) *p++ = '-';
      for (int i = wholeCount - 1; i >= 0; --i) *p++ = wholeDigits[i];
    }
    *p++ = '.';
    *p++ = '0';
    out.append(buf, static_cast<std::size_t>(p - buf));
    return;
  }
  if (negative ? whole >= 10 : whole >= 100) {
    // Too wide for the field: written in full rather than cut.
    if (negative) *p++ = '-';
    for (int i = wholeCount - 1; i >= 0; --i) *p++ = wholeDigits[i];
  } else if (whole >= 10) {
    *p++ = wholeDigits[1];
    *p++ = wholeDigits[0];
  } else {
    // Two characters before the point: the sign place (blank or minus) and
    // the digit, which is left out for a whole part of 0.
    const char sign = negative ? '-' : ' ';
    if (whole == 0) {
      *p++ = ' ';
      *p++ = sign;
    } else {
      *p++ = sign;
      *p++ = wholeDigits[0];
    }
  }
  *p++ = '.';
  *p++ = static_cast<char>('0' + frac / 1000);
  *p++ = static_cast<char>('0' + frac / 100 % 10);
  *p++ = static_cast<char>('0' + frac / 10 % 10);
  *p++ = static_cast<char>('0' + frac % 10);
  out.append(buf, static_cast<std::size_t>(p - buf));
}

std::string BalloonField(float value) {
  std::string s;
  AppendBalloonField(s, value);
  return s;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  // Only plain decimal numbers: no "inf", "nan" or hexadecimal.
  if (first == last || !(*first == '-' || *first == '.' || (*first >= '0' && *first <= '9'))) return 0;
  double value = 0;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

std::string RightAlign(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
  return out;
}

}  // namespace fonderel
