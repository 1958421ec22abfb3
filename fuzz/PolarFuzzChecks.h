// What the polar-plot fuzz targets require of a result.
#pragma once

#include <cmath>
#include <memory>

#include "core/AppState.h"
#include "core/NullPlatform.h"
#include "polar/PolarInterpolation.h"

namespace fonderel::fuzzcheck {

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// Bands first..last hold a finite balloon whose largest value is Q; the
// other bands are empty.
inline void CheckBands(const Source& s, int first, int last) {
  Require(s.FirstBand == first && s.LastBand == last);
  for (int b = 1; b <= kBandCount; ++b) {
    const bool held = b >= first && b <= last;
    Require(std::isfinite(s.Lw(b)) && std::isfinite(s.DirQ(b)) && std::isfinite(s.Efficiency(b)));
    Require((s.BandPresent(b) != 0) == held);
    if (!held) continue;
    float largest = 0.0f;
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const float v = s.BalloonData(p, k, b);
        Require(std::isfinite(v) && v >= 0.0f);
        largest = std::fmax(largest, v);
      }
    }
    Require(largest == s.DirQ(b) && largest > 0.0f);
  }
}

inline void CheckTablesAndInterpolate(const PolarTables& t) {
  for (int k = 0; k < kPoints; ++k) {
    for (int b = 1; b <= kBandCount; ++b) {
      Require(std::isfinite(t.HorizPolar(k, b)) && std::isfinite(t.VertPolar(k, b)));
    }
  }
  NullPlatform platform;
  auto state = std::make_unique<AppState>();
  if (!InterpolatePolarTables(t, *state, platform)) {
    Require(!state->src.HasData() && state->src.BandPresent == Source().BandPresent);
    return;
  }
  CheckBands(state->src, 1, kBandCount);
}

}  // namespace fonderel::fuzzcheck
