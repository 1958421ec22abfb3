#include "sofa/SofaNearest.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/NumberText.h"

namespace fonderel {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kCellDegrees = 5;
constexpr int kRows = 180 / kCellDegrees;     // elevation −90..90
constexpr int kColumns = 360 / kCellDegrees;  // azimuth 0..360
// No point of a cell lies farther than this from its centre: half its height
// along the meridian, then at most half its width along the parallel.
constexpr double kCellRadiusDegrees = kCellDegrees;
// Listing the cells costs about as much as comparing this many receivers with
// every direction; a smaller file is searched plainly.
constexpr std::size_t kPlainSearchLimit = kRows * kColumns;

double Dot(const UnitVector& a, const UnitVector& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

int CellOf(const UnitVector& v) {
  const double elevation = std::asin(std::clamp(v.z, -1.0, 1.0)) / kDegree;
  double azimuth = std::atan2(v.y, v.x) / kDegree;
  if (azimuth < 0) azimuth += 360.0;
  const int row = std::clamp(static_cast<int>((elevation + 90.0) / kCellDegrees), 0, kRows - 1);
  const int column = std::clamp(static_cast<int>(azimuth / kCellDegrees), 0, kColumns - 1);
  return row * kColumns + column;
}

// The balloon directions each cell must compare its receivers with.
struct CellLists {
  std::vector<std::uint32_t> first;       // per cell, into `directions`; one more at the end
  std::vector<std::uint16_t> directions;  // plot * kPoints + point
};

CellLists ListDirectionsPerCell(const std::array<UnitVector, kPlots * kPoints>& balloon,
                                double maxGapDegrees) {
  // A little slack so round-off cannot leave out a direction on the border.
  const double reach = std::cos((maxGapDegrees + kCellRadiusDegrees + 0.01) * kDegree);
  CellLists lists;
  lists.first.reserve(kRows * kColumns + 1);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      lists.first.push_back(static_cast<std::uint32_t>(lists.directions.size()));
      const UnitVector centre =
          FromSpherical((column + 0.5) * kCellDegrees, (row + 0.5) * kCellDegrees - 90.0);
      for (std::size_t d = 0; d < balloon.size(); ++d) {
        if (Dot(centre, balloon[d]) >= reach)
          lists.directions.push_back(static_cast<std::uint16_t>(d));
      }
    }
  }
  lists.first.push_back(static_cast<std::uint32_t>(lists.directions.size()));
  return lists;
}

}  // namespace

std::expected<NearestTable, std::string> FindNearestReceivers(
    const std::vector<UnitVector>& receivers, double maxGapDegrees) {
  std::array<UnitVector, kPlots * kPoints> balloon;
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) balloon[p * kPoints + k] = BalloonDirection(p, k);
  }
  // Only receivers within the gap count: a farther one leaves its direction uncovered anyway.
  const double minCos = std::cos(maxGapDegrees * kDegree);
  std::array<double, kPlots * kPoints> best;
  best.fill(-2.0);
  std::array<std::size_t, kPlots * kPoints> nearest{};
  const auto compare = [&](std::size_t r, std::size_t d) {
    const double c = Dot(receivers[r], balloon[d]);
    if (c > best[d] && c >= minCos) best[d] = c, nearest[d] = r;
  };
  if (receivers.size() <= kPlainSearchLimit) {
    for (std::size_t r = 0; r < receivers.size(); ++r) {
      for (std::size_t d = 0; d < balloon.size(); ++d) compare(r, d);
    }
  } else {
    const CellLists lists = ListDirectionsPerCell(balloon, maxGapDegrees);
    for (std::size_t r = 0; r < receivers.size(); ++r) {
      const int cell = CellOf(receivers[r]);
      for (std::uint32_t i = lists.first[cell]; i < lists.first[cell + 1]; ++i) {
        compare(r, lists.directions[i]);
      }
    }
  }
  NearestTable table{};
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      if (best[p * kPoints + k] < minCos) {
        return std::unexpected("the receivers do not cover the sphere: no receiver lies within " +
                               SingleText(static_cast<float>(maxGapDegrees), Lead::None) +
                               " degrees of the direction of polar plot " + std::to_string(p) +
                               ", point " + std::to_string(k) + " (" + std::to_string(10 * p) +
                               " degrees, " + std::to_string(10 * k) + " degrees)");
      }
      table[p][k] = nearest[p * kPoints + k];
    }
  }
  return table;
}

}  // namespace fonderel
