// What a user may get wrong on the command line itself, and how the tool
// answers: --version, an unknown command, a band number, convert's OUT.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

namespace fonderel {

// The help text of a FILE or IN argument: the formats read.
inline constexpr const char* kSourceFileHelp =
    "Source file to read: SPK (.spk), EASE 3.0 or 2.0 (.eas), CATT SD1 (.txt), CLF1 or CLF2 "
    "text (.tab, or .txt whose first line is <CLF1> or <CLF2>), SOFA directivity (.sofa), "
    "Modeler 3.0 (.mdl) or 3.1 (no extension), chosen by the file's extension";

// Adds --version, which prints "fonderel-cli" and the project's version.
void AddVersionFlag(CLI::App& app);

// When the first word that is no option names none of the app's subcommands:
// prints which word it did not know and the subcommands there are, and
// returns true.
bool ReportUnknownCommand(const CLI::App& app, int argc, const char* const* argv,
                          std::ostream& err);

// The check of a --band option: a whole number 1 to 10.
CLI::Validator BandNumber();

// An OUT that is empty, ends in "/" or names an existing folder cannot take a
// file: prints why and returns false.
bool OutputPathUsable(const std::string& out, std::ostream& err);

}  // namespace fonderel
