// The nearest receiver of every balloon direction, found in one pass over the
// receivers. The sphere is cut into 5-degree cells of elevation and azimuth;
// each cell lists the balloon directions that lie within the largest allowed
// gap of some point of the cell, so a receiver is compared with a few dozen
// directions instead of all 648, and a file of a million receivers takes well
// under a second.
#pragma once

#include <array>
#include <cstddef>
#include <expected>
#include <string>
#include <vector>

#include "core/Source.h"
#include "sofa/SofaGrid.h"

namespace fonderel {

using NearestTable = std::array<std::array<std::size_t, kPoints>, kPlots>;

// For every (plot, point) the index of the nearest receiver; on a tie the
// first. Fails, naming the direction, where no receiver lies within
// `maxGapDegrees` (at most 60) of a balloon direction.
std::expected<NearestTable, std::string> FindNearestReceivers(
    const std::vector<UnitVector>& receivers, double maxGapDegrees);

}  // namespace fonderel
