// The orientation of a SOFA file's source and listener. SourceView/SourceUp
// (and ListenerView/ListenerUp) make a right-handed frame: x along View, z
// along the part of Up across View, y = z × x. Receivers are given in the
// listener's frame; the balloon is the source's frame, its axis x and plot 9
// holding z, so a receiver's direction goes listener → file → source.
#pragma once

#include <expected>
#include <string>

#include "sofa/NetCdfFile.h"
#include "sofa/SofaGrid.h"

namespace fonderel {

struct Frame {
  UnitVector x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
};

// The frame of `view` and `up` ("SourceView", "SourceUp"), of their first row
// and in the coordinates their Type names (cartesian unless "spherical"); the
// file's own axes when the file has neither. Fails, saying why, on a View or
// Up of length 0 or one parallel to the other.
std::expected<Frame, std::string> ReadFrame(const NetCdfFile& file, const std::string& view,
                                            const std::string& up);

// A direction given in `from` seen in `to`.
UnitVector Reframe(const UnitVector& v, const Frame& from, const Frame& to);

}  // namespace fonderel
