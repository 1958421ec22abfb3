// An SD1 file holds per band 36 half-planes of 19 attenuations (dB below the
// on-axis value, one decimal, fields of 6 characters) and one level of 5
// characters at column 18 + 6·i of line 6. The SD1 reader takes the level as
// the on-axis level, Lw = level + 11 - DI(axis), and Q as the largest value
// of the balloon over its mean, so the writer computes the level from the
// rounded attenuations exactly as the reader will weigh them.
#include "export/CattExport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/BandTables.h"
#include "core/NumberText.h"
#include "export/DirectionMaps.h"
#include "export/ExportCommon.h"

namespace fonderel {
namespace {

constexpr int kHalfPlanes = 36;
constexpr int kAngles = 19;
constexpr double kDeepest = 99.9;  // the largest attenuation a 6-character field keeps
constexpr const char* kCrLf = "\r\n";

using Grid = std::array<std::array<float, kAngles>, kHalfPlanes>;

// A number as the reader's list input gives it back.
float ReadBack(const std::string& text) {
  float value = 0.0f;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

struct BandGrid {
  Grid attenuation{};  // as written, dB
  bool clipped = false;
  bool empty = false;  // no value above 0: written flat
};

BandGrid MakeGrid(const Source& src, int band) {
  BandGrid g;
  float top = 0.0f;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) top = std::max(top, src.BalloonData(p, k, band));
  const float axis = src.BalloonData(0, 0, band);
  const double reference = axis > 0.0f ? axis : top;
  g.empty = !(top > 0.0f);
  for (int h = 0; h < kHalfPlanes; ++h) {
    for (int a = 0; a < kAngles; ++a) {
      const BalloonCell c = CattCell(h, a);
      const double v = src.BalloonData(c.plot, c.point, band);
      double x = g.empty ? 0.0 : v > 0.0 ? Decibels(reference / v) : kDeepest;
      if (x > kDeepest) {
        x = kDeepest;
        g.clipped = true;
      }
      g.attenuation[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)] =
          ReadBack(FormatNumber(x, "##0.0"));
    }
  }
  return g;
}

// What the reader makes of a grid: the on-axis value over the weighted mean
// and the largest value over it (Q).
struct ReadBackBand {
  float onAxis = 0.0f;
  float dirQ = 0.0f;
};

ReadBackBand Weigh(const Grid& grid) {
  static const Indexed<float, 0, 18> weight = ZoneWeight();
  std::array<std::array<float, kPoints>, kPlots> cells{};
  double d = 0.0, s = 0.0;
  auto place = [&](int h, int a) {
    const float v = static_cast<float>(std::pow(
        10.0, -static_cast<double>(grid[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)]) /
                  10.0));
    const BalloonCell c = CattCell(h, a);
    cells[static_cast<std::size_t>(c.plot)][static_cast<std::size_t>(c.point)] = v;
    d += static_cast<double>(v) * static_cast<double>(weight(a));
    s += static_cast<double>(weight(a));
  };
  // The reader's order: the later groups write the rear cells last.
  for (int h = 0; h <= 9; ++h)
    for (int a = 0; a <= 18; ++a) place(h, a);
  for (int h = 28; h <= 35; ++h)
    for (int a = 0; a <= 18; ++a) place(h, a);
  for (int h = 19; h <= 27; ++h)
    for (int a = 1; a <= 18; ++a) place(h, a);
  for (int h = 10; h <= 18; ++h)
    for (int a = 1; a <= 18; ++a) place(h, a);
  const double mean = d / s;
  ReadBackBand out;
  for (const auto& plot : cells)
    for (float v : plot)
      out.dirQ = std::max(out.dirQ, static_cast<float>(static_cast<double>(v) / mean));
  out.onAxis = static_cast<float>(static_cast<double>(cells[0][0]) / mean);
  return out;
}

bool HasElectricalData(const Source& src) {
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    if (src.Sensitivity(b) != 0.0f || src.Impedance(b) != 0.0f || src.Efficiency(b) != 0.0f)
      return true;
  }
  return false;
}

}  // namespace

std::expected<std::string, FileError> CattBytes(const Source& src, std::vector<std::string>& notes,
                                                const std::string& path) {
  if (auto ok = CheckWritable(src, path); !ok) return std::unexpected(ok.error());

  bool nameChanged = false;
  const std::string name = FieldText(src.SourceName, "", ' ', nameChanged);
  bool makerChanged = false;
  const std::string maker = FieldText(src.Manufacturer, "", ' ', makerChanged);

  std::string out;
  out.reserve(40000 * static_cast<std::size_t>(src.LastBand - src.FirstBand + 1));
  out += "CATT-SD1\r\nVERSION = 1\r\nSOURCE NAME =" + name + kCrLf;
  out += "COMMENT: " + (maker.empty() ? std::string("written by Fonderel") : maker) + kCrLf;
  out += "Octave band centre frequencies <";
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    if (b > src.FirstBand) out += ' ';
    out += SingleText(BandFreq(b), Lead::None);
  }
  out += kCrLf;

  std::vector<BandGrid> grids;
  std::vector<int> clipped, flat, otherQ;
  std::string qChanges;
  out += "LEVELS dB re 1pW:";
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    grids.push_back(MakeGrid(src, b));
    const BandGrid& g = grids.back();
    if (g.clipped) clipped.push_back(b);
    if (g.empty) flat.push_back(b);
    const ReadBackBand back = Weigh(g.attenuation);
    const double level = static_cast<double>(src.Lw(b)) - 11.0 + Decibels(back.onAxis);
    const std::string field = RightAlign(FormatNumber(level, "##0.0"), 5);
    if (field.size() > 5) {
      return std::unexpected(FileError{path, 0,
                                       "the on-axis level of the " + BandText(b) + " band, " +
                                           field +
                                           " dB, does not fit the 5 characters of its field"});
    }
    out += (b > src.FirstBand ? " " : "") + field;
    if (src.DirQ(b) > 0.0f &&
        std::fabs(Decibels(static_cast<double>(back.dirQ) / src.DirQ(b))) > 0.05) {
      if (!qChanges.empty()) qChanges += ", ";
      qChanges += BandText(b) + " " + FormatNumber(src.DirQ(b), "##0.00") + " -> " +
                  FormatNumber(back.dirQ, "##0.00");
    }
  }
  out += "\r\nWritten by Fonderel\r\nSYMMETRY = NONE\r\nUNIT = dB\r\n";

  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    const Grid& grid = grids[static_cast<std::size_t>(b - src.FirstBand)].attenuation;
    out += "SD1 directivity " + BandText(b) + kCrLf + "  h\\a";
    for (int a = 0; a < kAngles; ++a) out += RightAlign(std::to_string(10 * a), 6);
    out += kCrLf;
    for (const auto& halfPlane : grid) {
      for (float x : halfPlane) out += RightAlign(FormatNumber(x, "##0.0"), 6);
      out += kCrLf;
    }
  }

  if (nameChanged) notes.push_back("line ends in the source name were written as blanks");
  if (!maker.empty()) {
    notes.push_back(
        "the manufacturer is written on the comment line, which SD1 readers do not "
        "read");
  }
  if (HasElectricalData(src)) {
    notes.push_back(
        "sensitivity, impedance and efficiency are not carried: an SD1 file has no "
        "field for them");
  }
  if (!qChanges.empty()) {
    notes.push_back(
        "Q is not carried: an SD1 reader takes the balloon's largest value over its "
        "mean (" +
        qChanges + ")");
  }
  if (!clipped.empty()) {
    notes.push_back("values more than 99.9 dB under the on-axis value (" + BandListText(clipped) +
                    ") were written as 99.9 dB down");
  }
  if (!flat.empty()) {
    notes.push_back(BandsPhrase(flat, "holds", "hold") + " no balloon: written omnidirectional");
  }
  AddHeaderNotes(src, "CATT SD1", notes);
  return out;
}

}  // namespace fonderel
