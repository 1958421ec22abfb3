#include "iso3744/IsoReport.h"

#include <cmath>

#include "core/NumberText.h"
#include "iso3744/MicLayout.h"

namespace fonderel {
namespace {

std::string Level(double v) {
  return std::isfinite(v) ? FormatNumber(v, "##0.0") : std::string("-");
}

std::string SurfaceText(const Measurement& m, float s) {
  const std::string area = "S = " + FormatNumber(s, "##0.00") + " m2";
  if (IsStandardArrangement(m) && m.MicCount == 10) {
    return "Hemisphere, radius " + SingleText(2 * m.DimA, Lead::None) + " m, " + area;
  }
  return "Box 2a = " + SingleText(2 * m.DimA, Lead::None) +
         " m, 2b = " + SingleText(2 * m.DimB, Lead::None) +
         " m, c = " + SingleText(m.DimC, Lead::None) + " m, " + area;
}

}  // namespace

IsoReport BuildIsoReport(const AppState& state, const SoundPowerResult& r,
                         const MeasurementGrade& g) {
  const Source& src = state.src;
  const Measurement& m = state.Iso;
  IsoReport report;
  report.title = src.SourceName.empty() ? "(unnamed source)" : src.SourceName;
  report.header.push_back("Manufacturer: " + src.Manufacturer);
  report.header.push_back("Date: " + src.SourceDate + "  " + src.SourceTime);
  if (!m.MeasFile.empty()) report.header.push_back("Measurement: " + m.MeasFile);
  report.header.push_back("Test room: " + SingleText(m.RoomVolume, Lead::None) + " m3");
  report.header.push_back("Surface: " + SurfaceText(m, r.S));
  std::string positions = "Positions: " + IntText(m.MicCount, Lead::None);
  positions +=
      IsStandardArrangement(m) ? " (standard arrangement)" : " (from " + m.MicLayoutFile + ")";
  report.header.push_back(positions);

  report.table.push_back(
      {"Band (Hz)", "Lp' (dB)", "Lb (dB)", "dLp (dB)", "K1 (dB)", "K2 (dB)", "Lw (dB)", "U (dB)"});
  for (int b = 1; b <= kBandCount; ++b) {
    const BackgroundCorrection& c = r.Background(b);
    std::string k2 = Level(r.K2(b));
    if (r.K2(b) > kK2Cap) k2 += " (7.0)";
    std::string lw = FormatNumber(src.Lw(b), "##0.0");
    if (c.UpperBound) lw = "<= " + lw;
    report.table.push_back({SingleText(BandFreq(b), Lead::None), Level(c.LpMean),
                            m.HasBackground(b) ? Level(m.Background(b)) : std::string("-"),
                            Level(c.DeltaLp), Level(c.K1), k2, lw, Level(g.U(b))});
  }
  report.totals.push_back("Lw Lin = " + FormatNumber(src.Lw(11), "##0.0") + " dB");
  std::string a = "Lw A = " + FormatNumber(src.Lw(12), "##0.0") + " dB(A)";
  if (std::isfinite(g.UA)) a += " +/- " + FormatNumber(g.UA, "##0.0") + " dB (k = 2)";
  report.totals.push_back(a);
  report.criteria = GradeLines(g);
  report.notes = K2Warnings(m, r);
  return report;
}

}  // namespace fonderel
