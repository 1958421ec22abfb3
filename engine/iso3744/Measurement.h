// The ISO 3744 measurement data: the arrangement of the microphones, the
// room, and the levels. They live in the application state for the whole run,
// across openings of the measurement window; the source reset zeroes only
// the level table (MicLp, kept beside the source description).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/BandTables.h"
#include "core/Indexed.h"
#include "geometry/RayFile.h"

namespace fonderel {

inline constexpr int kMaxMics = 100;  // rows of the level table

// A background level not given (its grid cell is empty).
inline constexpr float kNoBackground = std::numeric_limits<float>::quiet_NaN();

// The receiver positions of a measurement description file or a CAD file.
struct Receivers {
  std::int16_t NReceivers = 0;
  Indexed<float, 0, kMaxReceivers> RecX, RecY, RecZ;
};

struct Measurement {
  std::int16_t MicCount = 9;              // 5, 8, 9, 10 or a layout file's count
  Indexed<float, 1, kBandCount> RevTime;  // reverberation time per band, s
  float DimA = 1.0f;                      // half the length 2a (hemisphere: half the radius)
  float DimB = 0.75f;                     // half the width 2b
  float DimC = 1.0f;                      // height c
  float RoomVolume = 200.0f;              // m3
  // Background noise level per band, dB; kNoBackground where none was given
  // (no correction K1 there). Zeroed with the levels by the source reset.
  Indexed<float, 1, kBandCount> Background = NoBackground();

  // Microphone positions 1..N, their floor images N+1..2N (later unit
  // directions), and the acoustic centre of the source, in metres.
  Indexed<float, 0, 2 * kMaxMics> MicX, MicY, MicZ;
  float SrcX = 0.0f, SrcY = 0.0f, SrcZ = 0.0f;

  std::string MicLayoutFile;  // layout file chosen for "User"; empty until one is
  // The microphones stand at the layout file's receivers, also when their
  // count is that of a standard arrangement (5, 8, 9, 10).
  bool LayoutPositions = false;
  Receivers Rec;         // the receivers of the layout file read last
  std::string MeasFile;  // the measurement file loaded or saved last

  static Indexed<float, 1, kBandCount> NoBackground() {
    Indexed<float, 1, kBandCount> none;
    none.Fill(kNoBackground);
    return none;
  }
  bool HasBackground(int band) const { return !std::isnan(Background(band)); }
};

// The arrangement a microphone count stands for: "5", "8", "9", "10" are the
// standard ones (Nmics positions 0..3), anything else is "User" (position 4).
int ArrangementPosition(int micCount);
bool IsStandardArrangement(int micCount);
// The same for a measurement: "User" whenever its microphones come from a
// layout file.
int ArrangementPosition(const Measurement& m);
bool IsStandardArrangement(const Measurement& m);

}  // namespace fonderel
