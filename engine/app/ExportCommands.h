// File › Export...: the source written in any format the program writes (SPK,
// SOFA, the simulators' text formats), chosen by the file name's extension.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

// Asks for the file (the dialog offers every writable format and starts at
// SOFA), writes it and logs the result with what the format could not carry;
// a name without extension gets ".sofa". An error, or an extension that names
// no format, is reported and leaves any existing file as it was. The source,
// its file name and its saved state are not touched. `version` is the
// program's, stamped in SOFA files.
void FileExport(AppState& state, Platform& platform, const std::string& version);

// The name the dialog proposes: the current file's name without its folder,
// its extension replaced by `extension`; "*" + extension when there is none.
std::string ExportProposal(const std::string& sourceFile, const std::string& extension);

}  // namespace fonderel
