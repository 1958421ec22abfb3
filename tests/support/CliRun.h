// Runs fonderel-cli in-process with captured output, for the CLI tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"

namespace fonderel::test {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The tab-separated cells of a row, empty ones included.
inline std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells(1);
  for (char c : row) {
    if (c == '\t') {
      cells.emplace_back();
    } else {
      cells.back().push_back(c);
    }
  }
  return cells;
}

inline CliRun Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "fonderel-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace fonderel::test
