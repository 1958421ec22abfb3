// File > Attach source geometry and View > Geometry.
#pragma once

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kRayDialogTitle = "Open a Tarvesk CAD geometry file";
inline constexpr const char* kRayFilter = "Tarvesk CAD Files (*.ray)|*.ray";

// Reads a chosen CAD geometry file into the source's enclosing geometry and
// enables View > Geometry. The rest of the description stays; it is marked
// unsaved, since the geometry is saved with it. A refused file is reported
// and leaves the geometry as it was.
void AttachRAY(AppState& state, Platform& platform);
// The same for a path already chosen; false when the file was refused.
bool AttachRayPath(AppState& state, Platform& platform, const std::string& path);

// The description holds an enclosing geometry: View › Geometry is enabled.
bool HasGeometry(const Source& src);

// Shows the geometry view.
void ViewGeometry(AppState& state, Platform& platform);

}  // namespace fonderel
