#include "iso3744/RayReceivers.h"

namespace fonderel {

std::expected<Receivers, FileError> ReadRayReceivers(const std::string& path) {
  return std::unexpected(FileError{path, 0, "CAD geometry files cannot give microphone positions "
                                            "in this version; use a measurement description file"});
}

}  // namespace fonderel
