// fonderel-cli: batch conversion and inspection of source files on the engine
// alone. Exit status: 0 success, 1 a file could not be read or written, 2 a
// usage error.
#pragma once

#include <ostream>

namespace fonderel {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace fonderel
