// The receivers of a CAD geometry file (*.ray), for the "User" arrangement.
#pragma once

#include <expected>
#include <string>

#include "core/FileError.h"
#include "iso3744/Measurement.h"

namespace fonderel {

std::expected<Receivers, FileError> ReadRayReceivers(const std::string& path);

}  // namespace fonderel
