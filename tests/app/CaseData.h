// Shared by the app and views tests: expected tables kept as JSON under
// tests/data/cases/, a source read from LOUD_3_8.SPK, and the calls a
// recording platform saw that start with a given text.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
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
