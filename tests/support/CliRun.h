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

inline CliRun Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "fonderel-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace fonderel::test
