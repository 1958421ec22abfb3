// What every fonderel-cli subcommand shares: the output streams, the exit
// statuses, loading a source as File Open does, and the error line.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "CliPlatform.h"
#include "core/AppState.h"
#include "core/FileError.h"

namespace fonderel {

inline constexpr int kFileFailure = 1;
inline constexpr int kUsageFailure = 2;

struct Io {
  std::ostream& out;
  std::ostream& err;
};

// Prints "fonderel-cli: <error>" on standard error; returns kFileFailure.
int Fail(const Io& io, const FileError& error);

// Loads a source file the way File Open does: an empty description, then the
// reader that the file name selects. False, with `status` set and the reason
// printed, when the file could not be read.
bool Load(AppState& state, CliPlatform& platform, const std::string& path, const Io& io,
          int& status);

// A subcommand kept in a file of its own: `Add…Command(app)` adds it to the
// program and returns it with the code that runs when it is chosen.
struct SubCommand {
  CLI::App* command = nullptr;
  std::function<int(AppState&, CliPlatform&, const Io&)> run;
};

// Adds --speaker and --manufacturer, the answers an importer may ask for, to
// a subcommand that reads a source file.
void AddImportAnswers(CLI::App* command);
// The value given to one of those options on the chosen subcommand, or "".
std::string ImportAnswer(const CLI::App& app, const std::string& name);

}  // namespace fonderel
