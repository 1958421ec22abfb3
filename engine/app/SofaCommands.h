// File › Export SOFA...: the source's directivity written as a SOFA file for
// the simulation tools that read that format.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kSofaFilter = "SOFA Files (*.sofa)|*.sofa";

// Asks for the file (proposing the source's name with ".sofa"), writes it and
// logs the result; an error is reported and leaves any existing file as it was.
// `version` is the program's, stamped in the file.
void FileExportSofa(AppState& state, Platform& platform, const std::string& version);

// The name the dialog proposes: the current file's name without its folder,
// its extension replaced by ".sofa"; "*.sofa" when there is none.
std::string SofaProposal(const std::string& sourceFile);

}  // namespace fonderel
