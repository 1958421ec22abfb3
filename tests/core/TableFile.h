// Case tables kept as files under tests/data/tables/: one case a line, cells
// split by tabs, '#' lines are comments. In a cell a backslash starts \xNN,
// \r, \n, \t, \0 or a doubled backslash, each standing for its byte.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fonderel::test {

inline std::string Unescaped(const std::string& cell) {
  std::string out;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] != '\\' || i + 1 == cell.size()) {
      out += cell[i];
      continue;
    }
    const char c = cell[++i];
    if (c == 'x') {
      out += static_cast<char>(std::stoi(cell.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (const std::size_t at = std::string_view("rnt0").find(c); at != std::string::npos) {
      out += std::string_view("\r\n\t\0", 4)[at];
    } else {
      out += c;
    }
  }
  return out;
}

using Row = std::vector<std::string>;

inline std::vector<Row> TableRows(const std::string& name) {
  std::ifstream in(std::string(FONDEREL_TEST_DATA) + "/tables/" + name, std::ios::binary);
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    Row row;
    for (std::size_t from = 0;;) {
      const std::size_t tab = line.find('\t', from);
      row.push_back(Unescaped(line.substr(from, tab - from)));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << "no table " << name;
  return rows;
}

}  // namespace fonderel::test
