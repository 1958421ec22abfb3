#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace fonderel {
namespace {

// Significant digits (no leading or trailing zeros) and decimal exponent of a
// positive finite value: value = 0.d1d2...dn × 10^exponent.
struct Digits {
  std::string digits;
  int exponent = 0;
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
  const std::string_view text(buf, static_cast<std::size_t>(result.ptr - buf));
  const std::size_t e = text.find('e');
  Digits d;
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits += c;
  }
  int exp10 = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exp10);
  d.exponent = exp10 + 1;
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

template <typename T>
std::string BasicText(T value, int precision, Lead lead) {
  if (!std::isfinite(value)) return NonFiniteText(static_cast<double>(value));
  std::string out;
  if (value < 0) {
    out = "-";
  } else if (lead == Lead::Blank) {
    out = " ";
  }
  if (value == 0) return out + "0";
  const Digits d = DecimalDigits(static_cast<double>(std::fabs(value)), precision);
  const int n = static_cast<int>(d.digits.size());
  const int e = d.exponent;
  const bool fixed = e > 0 ? e <= precision : n - e <= precision;
  if (fixed) {
    if (e <= 0) {
      out += '.';
      out.append(static_cast<std::size_t>(-e), '0');
      out += d.digits;
    } else if (e >= n) {
      out += d.digits;
      out.append(static_cast<std::size_t>(e - n), '0');
    } else {
      out += d.digits.substr(0, static_cast<std::size_t>(e));
      out += '.';
      out += d.digits.substr(static_cast<std::size_t>(e));
    }
    return out;
  }
  out += d.digits[0];
  if (n > 1) {
    out += '.';
    out += d.digits.substr(1);
  }
  const int shown = e - 1;
  out += shown < 0 ? "E-" : "E+";
  const int a = shown < 0 ? -shown : shown;
  if (a < 10) out += '0';
  out += std::to_string(a);
  return out;
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
void RoundDecimal(const Digits& d, int decimals, std::string& intPart, std::string& frac) {
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
  // Beyond 1e14 a float is a whole number anyway; keep the integer arithmetic
  // exact below that.
  if (std::isfinite(scaled) && std::fabs(scaled) < 1e14) {
    const auto m = static_cast<std::int64_t>(scaled);
    const std::int64_t whole = m / 10000;
    const std::int64_t frac = m % 10000 < 0 ? -(m % 10000) : m % 10000;
    if (frac != 0) {
      const bool negative = m < 0;
      const std::int64_t wholeAbs = negative ? -whole : whole;
      const char fraction[4] = {char('0' + frac / 1000), char('0' + frac / 100 % 10),
                                char('0' + frac / 10 % 10), char('0' + frac % 10)};
      if (negative ? wholeAbs >= 10 : wholeAbs >= 100) {
        // Too wide for the field: written in full rather than cut.
        if (negative) out += '-';
        out += std::to_string(wholeAbs);
      } else if (wholeAbs >= 10) {
        out += char('0' + wholeAbs / 10);
        out += char('0' + wholeAbs % 10);
      } else {
        // Two characters before the point: the sign place (blank or minus)
        // and the digit, the digit being left out for a whole part of 0.
        const char sign = negative ? '-' : ' ';
        if (wholeAbs == 0) {
          out += ' ';
          out += sign;
        } else {
          out += sign;
          out += char('0' + wholeAbs);
        }
      }
      out += '.';
      out.append(fraction, 4);
      return;
    }
    std::string text = std::to_string(whole) + ".0";
    if (text.size() < 7) out.append(7 - text.size(), ' ');
    out += text;
    return;
  }
  if (!std::isfinite(value)) {
    out += RightAlign(NonFiniteText(static_cast<double>(value)), 7);
    return;
  }
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                               std::chars_format::fixed, 0);
  out.append(buf, r.ptr);
  out += ".0";
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
