#include "iso3744/InstrumentExports.h"

#include <charconv>
#include <cmath>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/Source.h"
#include "core/Try.h"
#include "iso3744/MeaFile.h"
#include "iso3744/SpectrumFiles.h"

namespace fonderel {
namespace {

FileError TooMany(const std::string& file, int line) {
  return {file, line, "more than " + std::to_string(kMaxMics) + " microphones"};
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '"')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '"' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The tab-ended fields of a line (a last field without its tab is not one).
std::vector<std::string_view> TabFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos && fields.size() < kBkColumns;
       tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  return fields;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::expected<double, FileError> Number(std::string_view field, const std::string& file, int line) {
  const std::string_view t = Trimmed(field);
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v) ||
      std::fabs(v) > 1e30) {
    return std::unexpected(FileError{file, line, "expected a level, found " + Quoted(field)});
  }
  return v;
}

}  // namespace

std::expected<ExportLevels, FileError> ParsePrnExport(std::string_view bytes, const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  for (int i = 0; i < 9; ++i) TRY(in.SkipLine());
  ExportLevels out;
  while (!in.AtEnd()) {
    if (static_cast<int>(out.MicLp.size()) == kMaxMics) return std::unexpected(TooMany(file, in.Line()));
    const int line = in.Line();
    BandLevels lp;
    TRY_READ(first, in.ReadString());
    const std::string_view tail =
        std::string_view(first).substr(first.size() > 5 ? first.size() - 5 : 0);
    lp(1) = static_cast<float>(LeadingNumber(tail));
    for (int b = 2; b <= 9; ++b) {
      TRY_READ(v, in.ReadSingle());
      lp(b) = v;
    }
    TRY_READ(total, in.ReadSingle());
    double s9 = 0;
    for (int b = 1; b <= 9; ++b) s9 += std::pow(10.0, lp(b) / 10.0);
    const double st = std::pow(10.0, total / 10.0);
    if (st > s9) {
      const double band10 = Decibels(st - s9);
      if (!std::isfinite(band10)) {
        return std::unexpected(FileError{file, line, "the overall level is beyond the float range"});
      }
      lp(10) = static_cast<float>(band10);
    } else {
      lp(10) = lp(9) - 10.0f;
    }
    out.MicLp.push_back(lp);
  }
  if (out.MicLp.empty()) return std::unexpected(in.Error("no microphone records after line 9"));
  return out;
}

std::expected<ExportLevels, FileError> ParseBkExport(std::string_view bytes, const std::string& file) {
  const std::vector<std::string_view> lines = Lines(WithoutTrailingBlanks(bytes));
  if (lines.empty()) return std::unexpected(FileError{file, 0, "the file is empty"});
  const std::vector<std::string_view> names = TabFields(lines[0]);
  int k0 = -1;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (Trimmed(names[k]) == "LEQ_25HZ") {
      k0 = static_cast<int>(k);
      break;
    }
  }
  if (k0 < 0) return std::unexpected(FileError{file, 1, "no column named \"LEQ_25HZ\""});
  const int lastColumn = k0 + 3 * (kBandCount - 1);  // the 12.5 kHz third octave
  if (lastColumn >= kBkColumns) {
    return std::unexpected(FileError{file, 1, "the column \"LEQ_25HZ\" is too far right for the "
                                              "third octaves up to 12.5 kHz"});
  }
  ExportLevels out;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int line = static_cast<int>(i) + 1;
    if (lines[i].find_first_not_of(" \t") == std::string_view::npos) continue;
    if (static_cast<int>(out.MicLp.size()) == kBkLines) {
      return std::unexpected(FileError{file, line, "more than " + std::to_string(kBkLines) +
                                                       " microphone lines"});
    }
    const std::vector<std::string_view> fields = TabFields(lines[i]);
    if (static_cast<int>(fields.size()) <= lastColumn) {
      return std::unexpected(FileError{file, line, "expected " + std::to_string(lastColumn + 1) +
                                                       " tab-ended fields, found " +
                                                       std::to_string(fields.size())});
    }
    const auto v = [&](int col) { return Number(fields[static_cast<std::size_t>(col)], file, line); };
    BandLevels lp;
    for (int b = 1; b <= 9; ++b) {
      const int c = k0 + 3 * (b - 1);
      TRY_READ(l1, v(c));
      TRY_READ(l2, v(c + 1));
      TRY_READ(l3, v(c + 2));
      const auto sum = ThirdOctaveSum(l1, l2, l3);
      if (!sum) return std::unexpected(FileError{file, line, "levels beyond the float range"});
      lp(b) = *sum;
    }
    TRY_READ(l10, v(lastColumn));
    lp(10) = static_cast<float>(l10);
    out.MicLp.push_back(lp);
  }
  if (out.MicLp.empty()) return std::unexpected(FileError{file, 2, "no microphone lines"});
  return out;
}

void ApplyExportLevels(AppState& state, const ExportLevels& levels) {
  state.Iso.MicCount = static_cast<std::int16_t>(levels.MicLp.size());
  for (std::size_t i = 0; i < levels.MicLp.size(); ++i) {
    for (int b = 1; b <= kBandCount; ++b) state.MicLp(static_cast<int>(i) + 1, b) = levels.MicLp[i](b);
  }
}

}  // namespace fonderel
