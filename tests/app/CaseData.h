// Shared by the app and views tests: expected tables kept as JSON under
// tests/data/cases/, a source read from LOUD_3_8.SPK, and the calls a
// recording platform saw that start with a given text.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/SpkFile.h"
#include "support/GoldenText.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel::test {

using Json = nlohmann::json;

// Member `test` of tests/data/cases/<file>.json ("a/b": member b of a); a
// missing file or member throws. Returned by value, so a range-for over it
// is safe.
inline Json Cases(const std::string& file, const std::string& test) {
  std::ifstream in(DataPath("cases/" + file + ".json"));
  Json cases = Json::parse(in).at(Json::json_pointer("/" + test));
  EXPECT_FALSE(cases.empty()) << file << " " << test;
  return cases;
}

// A text of a case file; the program's degree sign is the single byte B0.
inline std::string Text(const Json& j) {
  std::string s = j.get<std::string>();
  for (std::size_t at = s.find("\xC2\xB0"); at != std::string::npos; at = s.find("\xC2\xB0", at))
    s.erase(at, 1);
  return s;
}

// Each [row, column, text] of `cells` against the table.
inline void ExpectCells(const TextTable& table, const Json& cells) {
  for (const auto& c : cells) {
    const std::size_t r = c[0], col = c[1];
    ASSERT_LT(r, table.size());
    ASSERT_LT(col, table[r].size());
    EXPECT_EQ(table[r][col], Text(c[2])) << "cell " << r << "," << col;
  }
}

inline std::vector<std::string> CallsStarting(const RecordingPlatform& p,
                                              const std::string& start) {
  std::vector<std::string> out;
  for (const std::string& c : p.calls)
    if (c.rfind(start, 0) == 0) out.push_back(c);
  return out;
}

// The last caption set, without "Caption "; `none` when there was none.
inline std::string LastCaption(const RecordingPlatform& p, const std::string& none = "(none)") {
  const auto captions = CallsStarting(p, "Caption ");
  return captions.empty() ? none : captions.back().substr(8);
}

// A file dialog's settings against a case's title, filter, filterIndex,
// flags and fileName.
inline void ExpectDialog(const FileDialogSettings& d, const Json& want) {
  EXPECT_EQ(d.title, want.at("title"));
  EXPECT_EQ(d.filter, want.at("filter"));
  EXPECT_EQ(d.filterIndex, want.at("filterIndex"));
  EXPECT_EQ(d.flags, want.at("flags"));
  EXPECT_EQ(d.fileName, want.at("fileName"));
}

// The answers of input boxes (null: Cancel).
inline std::deque<std::optional<std::string>> Inputs(const Json& answers) {
  std::deque<std::optional<std::string>> out;
  for (const auto& a : answers)
    out.push_back(a.is_null() ? std::nullopt : std::optional(a.get<std::string>()));
  return out;
}

// A source of range first..last with data in `band` only, every sample `all`.
inline std::unique_ptr<Source> FilledBand(int band, float all, int first, int last) {
  auto src = std::make_unique<Source>();
  src->FirstBand = static_cast<std::int16_t>(first);
  src->LastBand = static_cast<std::int16_t>(last);
  src->BandPresent(band) = kTrue;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) src->BalloonData(p, k, band) = all;
  return src;
}

// LOUD_3_8.SPK read ("XYZ" by "Acme Audio", bands 3..8), saved, calls cleared.
template <class P = RecordingPlatform>
struct LoadedSource {
  AppState state;
  P platform;
  explicit LoadedSource(const std::string& path = DataPath("LOUD_3_8.SPK")) {
    EXPECT_TRUE(ReadSpkFile(state, platform, path));
    state.src.DataSaved = kTrue;
    platform.calls.clear();
  }
};

}  // namespace fonderel::test
