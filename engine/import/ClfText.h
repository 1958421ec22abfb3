// The CLF text file (CLF1: octaves on a 10-degree grid; CLF2: third octaves
// on a 5-degree grid) read as it stands: its tags and, per <BAND>, the full
// balloon after the symmetry is unfolded and the arcs put in default order.
// Turning that into the program's source is ClfImport's work.
#pragma once

#include <cmath>
#include <expected>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileError.h"

namespace fonderel {

enum class ClfSymmetry { None, Rotational, Horizontal, Vertical, Full };

// A value the file marks <nodata>.
inline constexpr double kClfNoData = std::numeric_limits<double>::quiet_NaN();
// A direction behind a half-sphere source: it radiates nothing there.
inline constexpr double kClfSilent = -std::numeric_limits<double>::infinity();

struct ClfBand {
  double hz = 0;
  int series = 0;  // index in the version's band series (see ClfSeriesHz)
  int line = 0;    // line of its <BAND> tag
  // Levels in dB, arcs × angles of the full grid (36 × 19 or 72 × 37), arc
  // 0 up, default order. <nodata> is filled in along its arc; behind a
  // half-sphere source the value is kClfSilent.
  std::vector<double> db;
};

struct ClfText {
  int version = 1;  // 1: CLF1, 2: CLF2
  std::string modelName;
  std::string manufacturer;
  bool halfSphere = false;
  ClfSymmetry symmetry = ClfSymmetry::None;
  bool reversed = false;
  bool absolute = false;  // <BALLOON-REF> <absolute>: levels, not attenuations
  // Per band of the series from <MINBAND> (or from the first <BAND>), nullopt
  // for <nodata> or beyond the list. A single <IMPEDANCE> value is nominal.
  std::vector<std::optional<double>> sensitivity, impedance, axialSpectrum;
  int listStart = 0;  // series index of the lists' first value
  std::vector<ClfBand> bands;

  int Step() const { return version == 1 ? 1 : 2; }  // grid cells per 10 degrees
  int Arcs() const { return 36 * Step(); }           // arcs of the full circle
  int Angles() const { return 18 * Step() + 1; }     // values 0..180 degrees
  // The value of a per-band list for band series index `series`.
  std::optional<double> ListValue(const std::vector<std::optional<double>>& list, int series) const;
};

// The centre frequencies of a version's band series: CLF1 the ten octaves
// 31.5 Hz .. 16 kHz, CLF2 the thirty thirds 25 Hz .. 20 kHz.
const std::vector<double>& ClfSeriesHz(int version);

// Reads `bytes`; errors name `path` and the line.
std::expected<ClfText, FileError> ReadClfText(std::string_view bytes, const std::string& path);

// True when `firstLine` starts a CLF text file ("<CLF1>" or "<CLF2>").
bool IsClfFirstLine(std::string_view firstLine);

}  // namespace fonderel
