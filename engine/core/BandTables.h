// Constant per-band tables shared by every subsystem.
#pragma once

#include "core/Indexed.h"

namespace fonderel {

inline constexpr int kBandCount = 10;  // octave bands 31.5 Hz .. 16 kHz, indices 1..10

// Nominal octave-band centre frequencies (Hz) by band index 1..10.
inline constexpr Indexed<float, 1, kBandCount> BandFreq = [] {
  Indexed<float, 1, kBandCount> t;
  const float f[] = {31.5f, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
  for (int b = 1; b <= kBandCount; ++b) t(b) = f[b - 1];
  return t;
}();

// A-weighting corrections (dB) by band index 1..10.
inline constexpr Indexed<float, 1, kBandCount> AWeighting = [] {
  Indexed<float, 1, kBandCount> t;
  const float a[] = {-39.4f, -26.2f, -16.1f, -8.6f, -3.2f, 0.0f, 1.2f, 1.0f, -1.1f, -6.6f};
  for (int b = 1; b <= kBandCount; ++b) t(b) = a[b - 1];
  return t;
}();

// Share of the sphere in each 10-degree zone of angle from the axis, zones
// 0..18; the weights sum to 1. Importers use them to form the mean of a balloon.
Indexed<float, 0, 18> ZoneWeight();

// The band index whose centre frequency equals `hz` exactly, or 0.
int BandOfFrequency(double hz);

}  // namespace fonderel
