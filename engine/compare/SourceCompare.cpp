#include "compare/SourceCompare.h"

#include <cmath>

#include "export/ExportCommon.h"

namespace fonderel {
namespace {

// Q in dB; a Q of 0 or below has no logarithm and counts as the floor.
double QDecibels(float q) {
  return q > 0.0f ? Decibels(static_cast<double>(q)) : kFloorDb;
}

}  // namespace

bool BandHeldBy(const Source& src, int band) {
  return band >= src.FirstBand && band <= src.LastBand && src.BandPresent(band) != 0;
}

bool BandDifference::Within(double tolerance) const {
  return inA && inB && std::fabs(lw) <= tolerance && std::fabs(q) <= tolerance &&
         balloon <= tolerance;
}

std::vector<BandDifference> CompareSources(const Source& a, const Source& b) {
  std::vector<BandDifference> rows;
  for (int band = 1; band <= kBandCount; ++band) {
    BandDifference row;
    row.band = band;
    row.inA = BandHeldBy(a, band);
    row.inB = BandHeldBy(b, band);
    if (!row.inA && !row.inB) continue;
    if (row.inA && row.inB) {
      row.lw = static_cast<double>(b.Lw(band)) - static_cast<double>(a.Lw(band));
      row.q = QDecibels(b.DirQ(band)) - QDecibels(a.DirQ(band));
      const RelativeLevels levelA(a, band), levelB(b, band);
      for (int p = 0; p < kPlots; ++p) {
        for (int k = 0; k < kPoints; ++k) {
          const double d = std::fabs(levelB(p, k) - levelA(p, k));
          if (d > row.balloon) {
            row.balloon = d;
            row.plot = p;
            row.point = k;
          }
        }
      }
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace fonderel
