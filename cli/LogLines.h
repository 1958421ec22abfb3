// The text log as fonderel-cli prints it (convert --log).
#pragma once

#include <string>
#include <vector>

namespace fonderel {

// The log's lines, each made to say what it is. The Modeler reader logs the
// first word of its file as a bare number right after its heading; on a
// terminal that number reads as noise, so it is labelled here.
std::vector<std::string> PrintedLogLines(const std::vector<std::string>& lines);

}  // namespace fonderel
