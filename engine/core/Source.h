// The source description: everything known about the one sound source the
// program edits. Field names are the data model's own; indices are its own
// (bands 1..10, Lw 1..12, plots 0..17, points 0..35, faces 0..100 with faces
// counted from 1). Strings are Windows-1252 bytes, as in the files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/BandTables.h"
#include "core/Indexed.h"

namespace fonderel {

// Booleans of the data model are 16-bit integers: -1 true, 0 false; tests are
// for non-zero.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

inline constexpr int kPlots = 18;         // polar plots per band, 0..17
inline constexpr int kPoints = 36;        // points per plot, 0..35
inline constexpr int kMaxFaces = 100;
inline constexpr int kMaxHoles = 50;
inline constexpr int kMaxDoors = 50;
inline constexpr int kFaceVertices = 4;
inline constexpr int kHoleVertices = 12;
inline constexpr int kDoorVertices = 5;

template <typename T>
using PerBand = Indexed<T, 1, kBandCount>;

// BalloonData(p, k, band): plot p 0..17, point k 0..35, band 1..10.
class Balloon {
 public:
  float& operator()(int p, int k, int band) { return cells_[Slot(p, k, band)]; }
  float operator()(int p, int k, int band) const { return cells_[Slot(p, k, band)]; }
  static bool Holds(int band) { return band >= 1 && band <= kBandCount; }
  void ClearBand(int band) {
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) (*this)(p, k, band) = 0.0f;
  }
  friend bool operator==(const Balloon&, const Balloon&) = default;

 private:
  static std::size_t Slot(int p, int k, int band) {
    if (p < 0 || p >= kPlots || k < 0 || k >= kPoints || band < 1 || band > kBandCount)
        [[unlikely]]
      IndexOutOfRange();
    return static_cast<std::size_t>(((band - 1) * kPlots + p) * kPoints + k);
  }
  std::array<float, kBandCount * kPlots * kPoints> cells_{};
};

struct Source {
  // Header.
  std::string SourceName;
  std::string Manufacturer;
  std::string SourceDate;  // mm-dd-yyyy
  std::string SourceTime;  // hh:mm:ss
  std::string SourceFile;  // path the description was loaded from or last saved to

  // Band bookkeeping.
  std::int16_t FirstBand = 0;  // 0 = no data
  std::int16_t LastBand = 0;
  std::int16_t BandCount = 0;  // as stated by the last SPK file read
  std::int16_t CurBand = 0;
  PerBand<std::int16_t> BandPresent;

  // Per-band scalars.
  PerBand<float> Impedance;               // ohm
  PerBand<float> Efficiency;              // percent
  Indexed<float, 1, 12> Lw;               // dB re 1 pW; 11 and 12: overall Lin and A
  PerBand<float> DirQ;                    // directivity factor
  PerBand<float> Sensitivity;             // dB SPL at 1 W, 1 m
  Balloon BalloonData;

  float SourceKind = 0.0f;                // 0 = noise source, other = loudspeaker
  std::int16_t DataSaved = kTrue;

  // Enclosing geometry (metres).
  std::int16_t NFaces = 0;
  Indexed2<float, 0, kMaxFaces, 1, kFaceVertices> FaceX, FaceY, FaceZ;
  Indexed<std::int16_t, 0, kMaxFaces> FaceNVert, FaceNum, FaceMat, FaceIsWall, FaceHasOpenings;
  std::int16_t NHoles = 0;
  Indexed2<float, 0, kMaxHoles, 1, kHoleVertices> HoleX, HoleY, HoleZ;
  Indexed<std::int16_t, 0, kMaxHoles> HoleNVert, HoleNum, HoleMat, HoleFace;
  std::int16_t NDoors = 0;
  Indexed2<float, 0, kMaxDoors, 1, kDoorVertices> DoorX, DoorY, DoorZ;
  Indexed<std::int16_t, 0, kMaxDoors> DoorNVert, DoorNum, DoorMat, DoorFace;
  double GeoMinX = 0, GeoMinY = 0, GeoMinZ = 0, GeoMaxX = 0, GeoMaxY = 0, GeoMaxZ = 0;

  bool HasData() const { return FirstBand != 0; }
};

// 10·log10(Q) in double precision. A directivity factor of 0 or below has no
// logarithm; it is given as kNoDirectivityIndex so no file or view ever holds a
// non-finite number.
inline constexpr double kNoDirectivityIndex = -100.0;
double DirectivityIndex(float dirQ);

// Decibels as the program computes them: 10·ln(x)/ln(10) in double precision.
double Decibels(double x);

}  // namespace fonderel
