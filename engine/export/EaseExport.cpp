// A record per band: "SpeakerName", the manufacturer, frequency (Hz),
// sensitivity (dB SPL at 1 W, 1 m), impedance (ohm), Q, efficiency (%),
// electrical power (W), the band flag and 19 lines of 19 attenuations (dB
// below the on-axis value, half-planes -90..90 degrees, two decimals). Numbers
// are the shortest texts that read back as the same single-precision value.
// The reader derives Lw from power and efficiency and spreads it over the
// bands read (125 Hz to 8 kHz only), so the power written undoes both.
#include "export/EaseExport.h"

#include <algorithm>
#include <cmath>

#include "core/BandTables.h"
#include "core/NumberText.h"
#include "export/DirectionMaps.h"
#include "export/ExportCommon.h"

namespace fonderel {
namespace {

constexpr double kDeepest = 100.0;        // attenuation written for silence
constexpr float kLeastEfficiency = 0.5f;  // the reader's value for 0 % or less
// Bands whose power the reader spreads and that make its band range.
constexpr int kLowestRangeBand = 3;
constexpr int kHighestRangeBand = 9;

bool HasBalloon(const Source& src, int band) {
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k)
      if (src.BalloonData(p, k, band) > 0.0f) return true;
  return false;
}

// An attenuation rounded to two decimals in its shortest text.
std::string AttenuationText(double x) {
  double rounded = std::round(x * 100.0) / 100.0;
  if (rounded == 0.0) rounded = 0.0;
  return ShortestText(static_cast<float>(rounded));
}

// The band's grid as 19 lines; true in `clipped` when a value lay deeper
// than kDeepest.
std::string GridLines(const Source& src, int band, bool& clipped) {
  float top = 0.0f;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k) top = std::max(top, src.BalloonData(p, k, band));
  const float axis = src.BalloonData(0, 0, band);
  const double reference = axis > 0.0f ? axis : top;
  std::string out;
  for (int r = -9; r <= 9; ++r) {
    for (int a = 0; a <= 18; ++a) {
      const BalloonCell c = EaseCell(r, a);
      const double v = src.BalloonData(c.plot, c.point, band);
      double x = v > 0.0 ? Decibels(reference / v) : kDeepest;
      if (x > kDeepest) {
        x = kDeepest;
        clipped = true;
      }
      if (a > 0) out += ',';
      out += AttenuationText(x);
    }
    out += "\r\n";
  }
  return out;
}

// The largest difference between the source and what the reader makes of
// the half it gets, mirrored onto the other half.
struct MirrorLoss {
  double db = 0.0;
  int band = 0;
  BalloonCell cell;
};

void MeasureMirrorLoss(const Source& src, int band, MirrorLoss& loss) {
  const RelativeLevels level(src, band);
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const BalloonCell from = EaseMirrorSource({p, k});
      const double db = std::fabs(level(p, k) - level(from.plot, from.point));
      if (db > loss.db) loss = {db, band, {p, k}};
    }
  }
}

}  // namespace

std::expected<std::string, FileError> EaseBytes(const Source& src, std::vector<std::string>& notes,
                                                const std::string& path) {
  if (auto ok = CheckWritable(src, path); !ok) return std::unexpected(ok.error());

  bool nameChanged = false;
  std::string name = FieldText(src.SourceName, "\"", '\'', nameChanged);
  const bool unnamed = name.find_first_not_of(" \t") == std::string::npos;
  if (unnamed) name = "Fonderel source";
  // A bare field ends at a comma and loses its outer blanks; quotes keep both.
  if (name.find(',') != std::string::npos || name.front() == ' ' || name.back() == ' ' ||
      name.front() == '\t' || name.back() == '\t') {
    name = '"' + name + '"';
  }
  bool makerChanged = false;
  const std::string maker = FieldText(src.Manufacturer, "\"", '\'', makerChanged);

  std::vector<int> withGrid, withoutGrid, outsideRange, efficiencyRaised, clipped;
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    (HasBalloon(src, b) ? withGrid : withoutGrid).push_back(b);
  }
  const double spread = Decibels(static_cast<double>(std::max<std::size_t>(1, withGrid.size())));
  bool inRange = false;
  for (int b : withGrid) {
    if (b < kLowestRangeBand || b > kHighestRangeBand)
      outsideRange.push_back(b);
    else
      inRange = true;
  }
  if (!inRange) {
    return std::unexpected(FileError{
        path, 0, "an EASE 3.0 text file needs a band from 125 Hz to 8 kHz with a balloon"});
  }

  std::string out = "Format,EASE 3.0 Text Speaker Export\r\n";
  MirrorLoss loss;
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    const bool grid = HasBalloon(src, b);
    float efficiency = src.Efficiency(b);
    if (efficiency <= 0.0f) {
      efficiency = kLeastEfficiency;
      efficiencyRaised.push_back(b);
    }
    // Lw = 10·log10(P·eff/100 / 1 pW) - spread, solved for P.
    const double share = grid && b >= kLowestRangeBand && b <= kHighestRangeBand ? spread : 0.0;
    const double power = std::pow(10.0, (static_cast<double>(src.Lw(b)) + share) / 10.0) * 1e-12 *
                         100.0 / static_cast<double>(efficiency);
    const float powerWritten = static_cast<float>(power);
    if (!(powerWritten > 0.0f) || !std::isfinite(powerWritten)) {
      return std::unexpected(
          FileError{path, 0,
                    "the power level of the " + BandText(b) +
                        " band gives an electrical power beyond the number range"});
    }
    out += "SpeakerName," + name + "\r\n";
    out += "\"Manufacturer: \",\"" + maker + "\"\r\n";
    out += "Frequency," + ShortestText(BandFreq(b)) + "\r\n";
    out += "Sensitivity," + ShortestText(src.Sensitivity(b)) + "\r\n";
    out += "Impedance," + ShortestText(src.Impedance(b)) + "\r\n";
    out += "Q," + ShortestText(src.DirQ(b)) + "\r\n";
    out += "Efficiency," + ShortestText(efficiency) + "\r\n";
    out += "Power," + ShortestText(powerWritten) + "\r\n";
    out += grid ? "Data,1\r\n" : "Data,0\r\n";
    if (!grid) continue;
    bool deep = false;
    out += GridLines(src, b, deep);
    if (deep) clipped.push_back(b);
    MeasureMirrorLoss(src, b, loss);
  }

  if (loss.db > 0.05) {
    notes.push_back(
        "an EASE 3.0 text file holds the half of the sphere from -90 to 90 degrees about "
        "the axis and a reader mirrors it onto the other half: this source differs from "
        "its mirror image by up to " +
        FormatNumber(loss.db, "##0.0") + " dB (" + BandText(loss.band) + ", plot " +
        std::to_string(loss.cell.plot) + ", point " + std::to_string(loss.cell.point) + ")");
  }
  if (unnamed) notes.push_back("the source has no name; it was written as \"Fonderel source\"");
  if (nameChanged || makerChanged) {
    notes.push_back(
        "double quotes and line ends in the name or manufacturer were written as ' "
        "and blanks");
  }
  if (!efficiencyRaised.empty()) {
    notes.push_back("an efficiency of 0 % cannot carry a power level: " +
                    BandListText(efficiencyRaised) + " written with 0.5 %");
  }
  if (!withoutGrid.empty()) {
    notes.push_back(BandsPhrase(withoutGrid, "holds", "hold") +
                    " no balloon: written without data, so the power level is lost");
  }
  if (!outsideRange.empty()) {
    notes.push_back(BandsPhrase(outsideRange, "is", "are") +
                    " written, but Fonderel's EASE reader keeps only 125 Hz to 8 kHz in the band "
                    "range");
  }
  if (!clipped.empty()) {
    notes.push_back("values more than 100 dB under the on-axis value (" + BandListText(clipped) +
                    ") were written as 100 dB down");
  }
  AddHeaderNotes(src, "EASE 3.0 text", notes);
  return out;
}

}  // namespace fonderel
