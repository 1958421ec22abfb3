// Expected texts kept as files under tests/data/texts/ (log lines, printed
// tables): the lines a test got are compared with the file's lines, where
// "{name}" stands for a path the test gives by that name. With
// FONDEREL_UPDATE_TEXTS=1 the file is written from what the code gives
// instead; read the diff before committing it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fonderel::test {

using Placeholders = std::vector<std::pair<std::string, std::string>>;  // "{path}", path

inline std::string Replaced(std::string line, const std::string& from, const std::string& to) {
  for (std::size_t at = line.find(from); !from.empty() && at != std::string::npos;
       at = line.find(from, at + to.size()))
    line.replace(at, from.size(), to);
  return line;
}

inline void ExpectGoldenLines(const std::vector<std::string>& lines, const std::string& name,
                              const Placeholders& placeholders = {}) {
  const std::string file = std::string(FONDEREL_TEST_DATA) + "/texts/" + name;
  if (const char* update = std::getenv("FONDEREL_UPDATE_TEXTS"); update && *update == '1') {
    std::ofstream out(file, std::ios::binary);
    for (std::string line : lines) {
      for (const auto& [key, value] : placeholders) line = Replaced(line, value, key);
      out << line << '\n';
    }
    return;
  }
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << "no golden text " << file;
  std::vector<std::string> expected;
  for (std::string line; std::getline(in, line);) {
    for (const auto& [key, value] : placeholders) line = Replaced(line, key, value);
    expected.push_back(line);
  }
  EXPECT_EQ(lines, expected) << "golden text " << file;
}

}  // namespace fonderel::test
