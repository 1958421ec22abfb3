#include "iso3744/SpectrumFiles.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Source.h"
#include "core/Try.h"
#include "iso3744/MeaFile.h"

namespace fonderel {
namespace {

constexpr int kMaxPairs = 33;    // (frequency, level) pairs or labels of a spectrum
constexpr int kMaxRecords = 31;  // records of the plain table

FileError TooFew(const FieldReader& in, int have, int first, int need) {
  return in.ErrorAt(in.Line(), "the spectrum holds " + std::to_string(have) +
                                       " entries; the ten octave bands from entry " +
                                       std::to_string(first + 1) + " need " + std::to_string(need));
}

std::expected<void, FileError> SumThirds(const FieldReader& in, const std::vector<float>& level,
                                         int k0, Spectrum& out) {
  const int count = static_cast<int>(level.size());
  if (k0 + 3 * kBandCount > count) return std::unexpected(TooFew(in, count, k0, 3 * kBandCount));
  for (int b = 1; b <= kBandCount; ++b) {
    const int k = k0 + 3 * (b - 1);
    const auto sum = ThirdOctaveSum(level[static_cast<std::size_t>(k)],
                                    level[static_cast<std::size_t>(k + 1)],
                                    level[static_cast<std::size_t>(k + 2)]);
    if (!sum) return std::unexpected(in.ErrorAt(in.Line(), "the levels of band " + std::to_string(b) +
                                                               " have no finite sum"));
    out.Lp(b) = *sum;
  }
  return {};
}

std::expected<void, FileError> TakeOctaves(const FieldReader& in, const std::vector<float>& level,
                                           int k0, Spectrum& out) {
  const int count = static_cast<int>(level.size());
  if (k0 + kBandCount > count) return std::unexpected(TooFew(in, count, k0, kBandCount));
  for (int b = 1; b <= kBandCount; ++b) out.Lp(b) = level[static_cast<std::size_t>(k0 + b - 1)];
  return {};
}

// The second text form: 13 lines, a skipped line, then (frequency text,
// ignored text, level) records; the ten bands start at the last 31.5 Hz record.
std::expected<Spectrum, FileError> ParsePlainTable(std::string_view bytes, const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  for (int i = 0; i < 14; ++i) TRY(in.SkipLine());
  std::vector<float> level;
  int k1 = 0;
  while (!in.AtEnd()) {
    if (static_cast<int>(level.size()) == kMaxRecords) {
      return std::unexpected(in.Error("more than " + std::to_string(kMaxRecords) + " records"));
    }
    TRY_READ(freq, in.ReadString());
    TRY(in.ReadString());
    TRY_READ(lp, in.ReadSingle());
    if (LeadingNumber(freq) == 31.5) k1 = static_cast<int>(level.size());
    level.push_back(lp);
  }
  Spectrum out;
  TRY(TakeOctaves(in, level, k1, out));
  out.SourceName = std::string();
  return out;
}

}  // namespace

std::optional<float> ThirdOctaveSum(double l1, double l2, double l3) {
  const double e = std::pow(10.0, l1 / 10) + std::pow(10.0, l2 / 10) + std::pow(10.0, l3 / 10);
  const double db = Decibels(e);
  if (!std::isfinite(db) || std::fabs(db) > 3.0e38) return std::nullopt;
  return static_cast<float>(db);
}

bool EndsWithUpper(const std::string& path, std::string_view tail) {
  if (path.size() < tail.size()) return false;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = path[path.size() - tail.size() + i];
    if (std::toupper(static_cast<unsigned char>(c)) != tail[i]) return false;
  }
  return true;
}

std::expected<Spectrum, FileError> ParseTextSpectrum(std::string_view bytes, const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  TRY_READ(first, in.ReadLine());
  if (first.size() < 11 || first.substr(1, 10) != "Instrument") return ParsePlainTable(bytes, file);
  Spectrum out;
  out.SourceName = first.substr(5);
  TRY_READ(second, in.ReadLine());
  out.SourceDate = second.size() > 5 ? second.substr(5) : std::string();
  for (int i = 0; i < 4; ++i) TRY(in.SkipLine());
  TRY_READ(seventh, in.ReadLine());
  // The bandwidth code, 3 for third octaves, truncated as a whole number
  // would be but kept a double: any number may stand there.
  const double code = seventh.size() > 18 ? std::trunc(LeadingNumber(seventh.substr(18))) : 0;
  TRY(in.SkipLine());
  std::vector<float> freq, level;
  while (!in.AtEnd()) {
    TRY_READ(f, in.ReadSingle());
    TRY_READ(lp, in.ReadSingle());
    // A pair without a positive frequency is overwritten by the next one.
    if (!(f > 0.0f)) continue;
    if (static_cast<int>(freq.size()) == kMaxPairs) {
      return std::unexpected(in.ErrorAt(in.ItemLine(), "more than " + std::to_string(kMaxPairs) +
                                                           " frequencies"));
    }
    freq.push_back(f);
    level.push_back(lp);
  }
  int k0 = 0;
  for (std::size_t k = 0; k < freq.size(); ++k) {
    if (freq[k] == 25.0f) k0 = static_cast<int>(k);
  }
  if (code == 3) {
    TRY(SumThirds(in, level, k0, out));
  } else {
    TRY(TakeOctaves(in, level, k0, out));
  }
  return out;
}

std::expected<Spectrum, FileError> ParseLabelledSpectrum(std::string_view bytes,
                                                         const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  Spectrum out;
  TRY_READ(name, in.ReadString());
  TRY_READ(date, in.ReadString());
  TRY(in.ReadString());
  std::vector<std::string> labels;
  while (true) {
    if (in.AtEnd()) return std::unexpected(in.Error("no \"dB(A)\" field after the band labels"));
    TRY_READ(field, in.ReadString());
    if (field == "dB(A)") break;
    // The table holds the labels and "dB(A)" itself.
    if (static_cast<int>(labels.size()) == kMaxPairs - 1) {
      return std::unexpected(in.Error("more than " + std::to_string(kMaxPairs) +
                                      " fields up to \"dB(A)\""));
    }
    labels.push_back(std::move(field));
  }
  // The field just before "dB(A)" is not a band.
  if (!labels.empty()) labels.pop_back();
  int k0 = 0;
  for (std::size_t k = 0; k < labels.size(); ++k) {
    if (LeadingNumber(labels[k]) == 25.0) k0 = static_cast<int>(k);
  }
  std::vector<float> level;
  for (std::size_t k = 0; k < labels.size(); ++k) {
    TRY_READ(lp, in.ReadSingle());
    level.push_back(lp);
  }
  TRY(SumThirds(in, level, k0, out));
  out.SourceName = std::move(name);
  out.SourceDate = std::move(date);
  return out;
}

std::expected<Spectrum, FileError> ReadSpectrumFile(const std::string& path) {
  TRY_READ(bytes, ReadWholeFile(path));
  return EndsWithUpper(path, "TXT") ? ParseTextSpectrum(bytes, path)
                                    : ParseLabelledSpectrum(bytes, path);
}

}  // namespace fonderel
