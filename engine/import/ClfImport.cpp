// From a CLF text file to the source description. Per octave band the
// intensities of the file's directions (a CLF2 octave sums its three thirds,
// each raised by its on-axis level) are placed on the balloon by the mapping of
// ClfGrid.h and divided by their mean over the sphere. Q is the normalised
// value on the axis. Where the file gives a sensitivity, the band's power level
// at 1 W follows from it (Lw = sensitivity + 11 − 10·log10 Q at 1 m), and with
// it the efficiency.
#include "import/ClfImport.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/BandTables.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "import/ClfGrid.h"
#include "import/ClfText.h"
#include "import/ImportCommon.h"

namespace fonderel {
namespace {

using Intensities = std::array<std::array<double, kClfAngles>, kClfArcs>;

constexpr double kFloatMax = std::numeric_limits<float>::max();

std::string BandName(int band) {
  return SingleText(BandFreq(band), Lead::None) + " Hz";
}

// The file's bands that make up octave band `band`: the one octave of a CLF1
// file, the three thirds of a CLF2 file; empty when one of them is missing.
std::vector<const ClfBand*> PartsOf(const ClfText& text, int band) {
  const int per = text.version == 1 ? 1 : 3;
  std::vector<const ClfBand*> parts;
  for (int s = (band - 1) * per; s < band * per; ++s) {
    for (const ClfBand& b : text.bands) {
      if (b.series == s) parts.push_back(&b);
    }
  }
  if (static_cast<int>(parts.size()) != per) parts.clear();
  return parts;
}

// The on-axis level that a third's attenuations are relative to, so that the
// thirds of an octave add with their true weights.
double ReferenceDb(const ClfText& text, int series) {
  if (text.absolute || text.version == 1) return 0.0;
  if (auto v = text.ListValue(text.axialSpectrum, series)) return *v;
  if (auto v = text.ListValue(text.sensitivity, series)) return *v;
  return 0.0;
}

Intensities OctaveIntensities(const ClfText& text, const std::vector<const ClfBand*>& parts) {
  Intensities grid{};
  const int step = text.Step(), angles = text.Angles();
  for (const ClfBand* part : parts) {
    const double ref = ReferenceDb(text, part->series);
    for (int a = 0; a < kClfArcs; ++a) {
      for (int j = 0; j < kClfAngles; ++j) {
        const double db = part->db[static_cast<std::size_t>(a * step * angles + j * step)];
        if (db != kClfSilent) grid[a][j] += std::pow(10.0, (ref + db) / 10.0);
      }
    }
  }
  return grid;
}

// The octave's sensitivity: a CLF1 band's own, or the energy mean of the
// thirds that give one.
std::optional<double> OctaveSensitivity(const ClfText& text,
                                        const std::vector<const ClfBand*>& parts) {
  double sum = 0;
  int count = 0;
  for (const ClfBand* part : parts) {
    if (auto v = text.ListValue(text.sensitivity, part->series)) {
      sum += std::pow(10.0, *v / 10.0);
      ++count;
    }
  }
  if (count == 0) return std::nullopt;
  return Decibels(sum / count);
}

// A single value is the nominal impedance of every band; a list gives the
// band's own (for a CLF2 octave, that of its middle third).
std::optional<double> OctaveImpedance(const ClfText& text,
                                      const std::vector<const ClfBand*>& parts) {
  if (text.impedance.size() == 1) return text.impedance.front();
  return text.ListValue(text.impedance, parts[parts.size() / 2]->series);
}

class ClfBuilder {
 public:
  ClfBuilder(const ClfText& text, Source& work, AppState& state, const std::string& path)
      : text_(text), work_(work), state_(state), path_(path), weight_(ZoneWeight()) {}

  std::expected<void, FileError> Build() {
    ClearBands();
    for (int band = 1; band <= kBandCount; ++band) {
      const std::vector<const ClfBand*> parts = PartsOf(text_, band);
      if (parts.empty()) {
        LogLoneThirds(band);
        continue;
      }
      if (work_.LastBand != 0 && work_.LastBand != band - 1) {
        return std::unexpected(FileError{path_, parts.front()->line,
                                         "the " + BandName(work_.LastBand + 1) +
                                             " band is missing between " +
                                             BandName(work_.LastBand) + " and " + BandName(band)});
      }
      TRY(ReadBand(band, parts));
    }
    if (work_.FirstBand == 0) {
      return std::unexpected(
          FileError{path_, text_.bands.front().line,
                    "no octave band is complete: a CLF2 file needs the three thirds of an octave"});
    }
    work_.BandCount = static_cast<std::int16_t>(work_.LastBand - work_.FirstBand + 1);
    work_.SourceName = text_.modelName;
    work_.Manufacturer = text_.manufacturer;
    work_.SourceKind = 1.0f;
    return {};
  }

 private:
  void ClearBands() { ClearBandData(work_); }

  void LogLoneThirds(int band) {
    if (text_.version == 1) return;
    for (const ClfBand& b : text_.bands) {
      if (b.series / 3 + 1 == band) {
        state_.AddLogLine("The " + DoubleText(b.hz, Lead::None) +
                          " Hz third is not read: its octave " + BandName(band) +
                          " lacks a third.");
      }
    }
  }

  std::expected<void, FileError> ReadBand(int band, const std::vector<const ClfBand*>& parts) {
    const int line = parts.front()->line;
    const Intensities grid = OctaveIntensities(text_, parts);
    // The mean is formed in double precision: a file's levels may lie far
    // beyond what a float holds before they are normalised.
    double sum = 0;
    for (int p = 0; p < kPlots; ++p) {
      for (int a = 0; a <= 18; ++a) {
        const ClfCell near = ClfCellOfBalloon(p, a), far = ClfCellOfBalloon(p, (36 - a) % 36);
        sum += weight_(a) * (grid[near.arc][near.angle] + grid[far.arc][far.angle]);
      }
    }
    const double mean = sum / 36.0;
    if (!(mean > 0) || !std::isfinite(mean)) {
      return std::unexpected(FileError{
          path_, line, "the " + BandName(band) + " band holds no sound in any direction"});
    }
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const ClfCell cell = ClfCellOfBalloon(p, k);
        const double v = grid[cell.arc][cell.angle] / mean;
        if (!(v < kFloatMax)) {
          return std::unexpected(
              FileError{path_, line,
                        "the " + BandName(band) + " band's levels span more than a number holds"});
        }
        work_.BalloonData(p, k, band) = static_cast<float>(v);
      }
    }
    const float q = work_.BalloonData(0, 0, band);
    if (!(q > 0.0f)) {
      return std::unexpected(FileError{
          path_, line,
          "the on-axis level of the " + BandName(band) + " band lies too far below the rest"});
    }
    work_.DirQ(band) = q;
    if (auto sens = OctaveSensitivity(text_, parts)) {
      const double lw = *sens + 11.0 - DirectivityIndex(q);
      const double efficiency = 100.0 * std::pow(10.0, (lw - 120.0) / 10.0);
      if (!(efficiency < kFloatMax)) {
        return std::unexpected(FileError{path_, line,
                                         "the sensitivity of the " + BandName(band) +
                                             " band gives a power level beyond any source"});
      }
      work_.Sensitivity(band) = static_cast<float>(*sens);
      work_.Lw(band) = static_cast<float>(lw);
      work_.Efficiency(band) = static_cast<float>(efficiency);
    }
    if (auto z = OctaveImpedance(text_, parts)) work_.Impedance(band) = static_cast<float>(*z);
    work_.BandPresent(band) = kTrue;
    if (work_.FirstBand == 0) work_.FirstBand = static_cast<std::int16_t>(band);
    work_.LastBand = static_cast<std::int16_t>(band);
    state_.AddLogLine(
        "Frequency  =" + SingleText(BandFreq(band)) + " Hz, Q = " + FormatNumber(q, "##0.000") +
        ", Sensitivity = " + FormatNumber(work_.Sensitivity(band), "###0.00") + " dB");
    return {};
  }

  const ClfText& text_;
  Source& work_;
  AppState& state_;
  const std::string& path_;
  Indexed<float, 0, 18> weight_;
};

}  // namespace

std::expected<void, FileError> ImportClfFile(AppState& state, Platform& platform,
                                             const std::string& path) {
  platform.ShowTextLog();
  state.AddLogLine("");
  state.AddLogLine("Import a CLF text file from: " + path);
  state.AddLogLine("");
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::unexpected(bytes.error());
  platform.SetBusy(true);
  auto text = ReadClfText(*bytes, path);
  // Read into a copy so that a file that fails part-way leaves nothing behind.
  Source work = state.src;
  std::expected<void, FileError> result;
  if (!text) {
    result = std::unexpected(text.error());
  } else {
    state.AddLogLine("CLF" + std::to_string(text->version) + ": " + text->modelName + " (" +
                     text->manufacturer + "), " + std::to_string(text->bands.size()) + " bands");
    result = ClfBuilder(*text, work, state, path).Build();
  }
  platform.SetBusy(false);
  if (!result) return result;
  const LocalTime now = platform.Now();
  work.SourceDate = DateText(now);
  work.SourceTime = TimeText(now);
  state.src = std::move(work);
  return {};
}

}  // namespace fonderel
