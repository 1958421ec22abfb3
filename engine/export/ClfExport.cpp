// The CLF1 text writer. Layout: the header tags, one value list per band for
// the sensitivity and the impedance, then per band a <BAND> line and 36 arc
// lines of 19 attenuations (0 to 180 degrees from the axis) with two decimals,
// arc 0 straight up and the arcs in default order (ClfGrid.h); <CLF1END>
// closes the file.
#include "export/ClfExport.h"

#include <algorithm>
#include <cmath>

#include "core/BandTables.h"
#include "core/NumberText.h"
#include "import/ClfGrid.h"

namespace fonderel {
namespace {

constexpr int kClf1LastBand = 9;     // CLF1 octaves run from 31.5 Hz to 8 kHz
constexpr double kFloorDb = -100.0;  // the lowest attenuation written

std::string HzText(int band) {
  return DoubleText(BandFreq(band), Lead::None);
}

// Tabs and line ends inside a text would break the file's lines and fields.
std::string FieldText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

void AppendLine(std::string& out, std::string_view tag, std::string_view value) {
  out += tag;
  out += '\t';
  out += value;
  out += "\r\n";
}

// "<TAG>\tv1\tv2..." over the bands written, <nodata> for a band whose value
// is 0; no line at all when every value is 0.
void AppendBandList(std::string& out, std::string_view tag, const PerBand<float>& values, int first,
                    int last) {
  bool any = false;
  for (int b = first; b <= last; ++b) any = any || values(b) != 0.0f;
  if (!any) return;
  out += tag;
  for (int b = first; b <= last; ++b) {
    out += '\t';
    out += values(b) != 0.0f ? FormatNumber(values(b), "###0.00") : std::string("<nodata>");
  }
  out += "\r\n";
}

void AppendBand(std::string& out, const Source& src, int band, std::vector<std::string>& notes) {
  float ref = src.BalloonData(0, 0, band);
  const std::string name = HzText(band) + " Hz band";
  if (!(ref > 0.0f) || !std::isfinite(ref)) {
    ref = 0.0f;
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) ref = std::max(ref, src.BalloonData(p, k, band));
    notes.push_back("the on-axis value of the " + name +
                    " is 0: its attenuations are relative to the band's largest value");
  }
  AppendLine(out, "<BAND>", HzText(band));
  int floored = 0;
  for (int arc = 0; arc < kClfArcs; ++arc) {
    for (int angle = 0; angle < kClfAngles; ++angle) {
      const BalloonCell cell = BalloonCellOfClf(arc, angle);
      const float v = src.BalloonData(cell.plot, cell.point, band);
      double db = kFloorDb;
      if (ref > 0.0f && v > 0.0f && std::isfinite(v)) {
        db = Decibels(static_cast<double>(v) / static_cast<double>(ref));
      }
      if (!(db >= kFloorDb)) db = kFloorDb;
      if (db == kFloorDb) ++floored;
      if (angle > 0) out += '\t';
      out += FormatNumber(db, "###0.00");
    }
    out += "\r\n";
  }
  if (floored > 0) {
    notes.push_back(
        std::to_string(floored) + " values of the " + name +
        " lie 100 dB or more below the on-axis value (or are 0) and were written as -100 dB");
  }
}

}  // namespace

std::expected<std::string, FileError> ClfBytes(const Source& src, std::vector<std::string>& notes,
                                               const std::string& path) {
  if (!src.HasData())
    return std::unexpected(FileError{path, 0, "the source holds no data to write"});
  const int first = src.FirstBand, last = std::min<int>(src.LastBand, kClf1LastBand);
  for (int b = kClf1LastBand + 1; b <= src.LastBand; ++b) {
    notes.push_back("the " + HzText(b) + " Hz band is outside CLF1's range and was not written");
  }
  if (first > last) {
    return std::unexpected(
        FileError{path, 0, "no band of the source lies within CLF1's range (31.5 Hz to 8000 Hz)"});
  }
  bool power = false, efficiency = false;
  for (int b = first; b <= last; ++b) {
    power = power || src.Lw(b) != 0.0f;
    efficiency = efficiency || src.Efficiency(b) != 0.0f;
  }
  if (power)
    notes.push_back("the sound power level has no place in a CLF1 file and was not written");
  if (efficiency) notes.push_back("the efficiency has no place in a CLF1 file and was not written");
  if (src.NFaces > 0) {
    notes.push_back("the enclosing geometry (" + std::to_string(src.NFaces) +
                    " faces) has no place in a CLF1 file and was not written");
  }
  if (src.SourceKind == 0.0f) {
    notes.push_back("CLF describes loudspeakers: the noise source is written as one");
  }

  std::string out;
  out.reserve(static_cast<std::size_t>(last - first + 1) * 36 * 19 * 7 + 1024);
  out += "<CLF1>\r\n";
  AppendLine(out, "<VERSION>", "1");
  AppendLine(out, "<MODELNAME>", FieldText(src.SourceName));
  AppendLine(out, "<MANUFACTURER>", FieldText(src.Manufacturer));
  AppendLine(out, "<MINBAND>", HzText(first));
  AppendLine(out, "<MAXBAND>", HzText(last));
  AppendLine(out, "<RADIATION>", "<fullsphere>");
  AppendLine(out, "<BALLOON-SYMMETRY>", "<none>");
  AppendLine(out, "<BALLOON-ARC-ORDER>", "<default>");
  AppendLine(out, "<BALLOON-REF>", "<relative>");
  AppendBandList(out, "<SENSITIVITY>", src.Sensitivity, first, last);
  AppendBandList(out, "<IMPEDANCE>", src.Impedance, first, last);
  for (int b = first; b <= last; ++b) AppendBand(out, src, b, notes);
  out += "<CLF1END>\r\n";
  return out;
}

}  // namespace fonderel
