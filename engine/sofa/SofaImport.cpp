#include "sofa/SofaImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "import/ImportCommon.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaGrid.h"

namespace fonderel {
namespace {

// Far more than any directivity measurement holds; refused before reading.
constexpr std::size_t kMaxValues = 16u << 20;

using Failure = std::unexpected<std::string>;

struct SofaMeasurement {
  std::size_t receivers = 0, bins = 0;
  std::vector<UnitVector> directions;  // per receiver
  std::vector<double> frequencies;     // per bin, Hz
  std::vector<double> energy;          // |TF|², receiver-major
  std::string title, manufacturer, sourceType;  // UTF-8, empty when absent
};

bool AllFinite(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::expected<void, std::string> CheckConvention(const NetCdfFile& file) {
  auto convention = file.TextAttribute("", "SOFAConventions");
  if (!convention) return Failure("not a SOFA file: it has no SOFAConventions attribute");
  if (*convention != "FreeFieldDirectivityTF" && *convention != "GeneralTF") {
    return Failure("the file follows the SOFA convention \"" + *convention +
                   "\"; a directivity is read from FreeFieldDirectivityTF or GeneralTF files");
  }
  if (auto type = file.TextAttribute("", "DataType"); type && *type != "TF") {
    return Failure("the data type is \"" + *type + "\"; a transfer function (TF) is expected");
  }
  return {};
}

// Data.Real (and Data.Imag where there is one) of the first measurement, as
// |TF|² per receiver and bin.
std::expected<void, std::string> ReadData(const NetCdfFile& file, SofaMeasurement& m) {
  auto dims = file.Dimensions("Data.Real");
  if (!dims) return Failure("no Data.Real variable");
  if (dims->size() != 3 || (*dims)[0].name != "M" || (*dims)[1].name != "R" ||
      (*dims)[2].name != "N") {
    return Failure("Data.Real is not laid out as measurements x receivers x frequencies (M, R, N)");
  }
  m.receivers = (*dims)[1].length;
  m.bins = (*dims)[2].length;
  if ((*dims)[0].length == 0 || m.receivers == 0 || m.bins == 0) return Failure("Data.Real is empty");
  if (m.bins > kMaxValues / m.receivers) return Failure("Data.Real is too large for a directivity");
  const std::vector<std::size_t> start{0, 0, 0}, count{1, m.receivers, m.bins};
  auto real = file.Values("Data.Real", start, count);
  if (!real) return Failure(real.error());
  std::vector<double> imag(real->size(), 0.0);
  if (file.HasVariable("Data.Imag")) {
    auto imagDims = file.Dimensions("Data.Imag");
    if (!imagDims || imagDims->size() != 3 || (*imagDims)[1].length != m.receivers ||
        (*imagDims)[2].length != m.bins) {
      return Failure("Data.Imag does not match Data.Real");
    }
    auto values = file.Values("Data.Imag", start, count);
    if (!values) return Failure(values.error());
    imag = std::move(*values);
  }
  if (!AllFinite(*real) || !AllFinite(imag)) {
    return Failure("the data hold a value that is not a finite number (NaN or infinite)");
  }
  m.energy.resize(real->size());
  for (std::size_t i = 0; i < real->size(); ++i) {
    m.energy[i] = (*real)[i] * (*real)[i] + imag[i] * imag[i];
  }
  if (!AllFinite(m.energy)) return Failure("the data are too large to square");
  return {};
}

std::expected<void, std::string> ReadFrequencies(const NetCdfFile& file, SofaMeasurement& m) {
  auto dims = file.Dimensions("N");
  if (!dims || dims->size() != 1 || (*dims)[0].length != m.bins) {
    return Failure("no frequency variable N matching the data");
  }
  auto values = file.Values("N", {0}, {m.bins});
  if (!values) return Failure(values.error());
  if (!AllFinite(*values)) return Failure("a frequency in N is not a finite number");
  m.frequencies = std::move(*values);
  return {};
}

std::expected<void, std::string> ReadReceivers(const NetCdfFile& file, SofaMeasurement& m) {
  auto dims = file.Dimensions("ReceiverPosition");
  if (!dims) return Failure("no ReceiverPosition variable");
  if (dims->size() < 2 || (*dims)[0].length != m.receivers || (*dims)[1].length != 3) {
    return Failure("ReceiverPosition does not give three coordinates for each receiver");
  }
  std::vector<std::size_t> start(dims->size(), 0), count(dims->size(), 1);
  count[0] = m.receivers;
  count[1] = 3;
  auto values = file.Values("ReceiverPosition", start, count);
  if (!values) return Failure(values.error());
  if (!AllFinite(*values)) return Failure("a receiver position is not a finite number");
  auto type = file.TextAttribute("ReceiverPosition", "Type");
  if (!type || (*type != "spherical" && *type != "cartesian")) {
    return Failure("ReceiverPosition:Type is neither \"spherical\" nor \"cartesian\"");
  }
  for (std::size_t r = 0; r < m.receivers; ++r) {
    const double* c = values->data() + 3 * r;
    UnitVector v;
    if (*type == "spherical") {
      v = FromSpherical(c[0], c[1]);
    } else if (!FromCartesian(c[0], c[1], c[2], v)) {
      return Failure("receiver " + std::to_string(r + 1) + " lies at the origin and has no direction");
    }
    m.directions.push_back(v);
  }
  return {};
}

std::expected<SofaMeasurement, std::string> ReadMeasurement(const std::string& path) {
  auto file = NetCdfFile::Open(path);
  if (!file) return Failure(file.error());
  SofaMeasurement m;
  if (auto ok = CheckConvention(*file); !ok) return Failure(ok.error());
  if (auto ok = ReadData(*file, m); !ok) return Failure(ok.error());
  if (auto ok = ReadFrequencies(*file, m); !ok) return Failure(ok.error());
  if (auto ok = ReadReceivers(*file, m); !ok) return Failure(ok.error());
  const auto text = [&](const char* name) { return file->TextAttribute("", name).value_or(""); };
  m.title = text("Title");
  m.manufacturer = text("SourceManufacturer");
  m.sourceType = text("SourceType");
  return m;
}

double Dot(const UnitVector& a, const UnitVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// For every (plot, point) the nearest receiver; fails where the receivers
// leave a direction uncovered.
std::expected<std::array<std::array<std::size_t, kPoints>, kPlots>, std::string> NearestReceivers(
    const SofaMeasurement& m) {
  std::array<std::array<std::size_t, kPoints>, kPlots> nearest{};
  const double minCos = std::cos(kSofaMaxGapDegrees * std::numbers::pi / 180.0);
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const UnitVector d = BalloonDirection(p, k);
      double best = -2;
      for (std::size_t r = 0; r < m.directions.size(); ++r) {
        const double c = Dot(d, m.directions[r]);
        if (c > best) best = c, nearest[p][k] = r;
      }
      if (best < minCos) {
        return Failure("the receivers do not cover the sphere: no receiver lies within " +
                       SingleText(static_cast<float>(kSofaMaxGapDegrees), Lead::None) +
                       " degrees of the direction of polar plot " + std::to_string(p) +
                       ", point " + std::to_string(k) + " (" + std::to_string(10 * p) +
                       " degrees, " + std::to_string(10 * k) + " degrees)");
      }
    }
  }
  return nearest;
}

// The balloon's mean over the sphere: the 36 half-planes, each a sum of
// zone-weighted samples.
double SphericalMean(const Source& src, int band, const Indexed<float, 0, 18>& weight) {
  double sum = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int a = 0; a <= 18; ++a) {
      sum += weight(a) * (src.BalloonData(p, a, band) + src.BalloonData(p, (36 - a) % 36, band));
    }
  }
  return sum / 36.0;
}

}  // namespace

std::expected<void, FileError> ImportSofaFile(AppState& state, Platform& platform,
                                              const std::string& path) {
  platform.ShowTextLog();
  state.AddLogLine("");
  state.AddLogLine("Import a SOFA directivity file from: " + path);
  state.AddLogLine("");
  auto read = ReadMeasurement(path);
  if (!read) return std::unexpected(FileError{path, 0, read.error()});
  const SofaMeasurement& m = *read;
  auto nearest = NearestReceivers(m);
  if (!nearest) return std::unexpected(FileError{path, 0, nearest.error()});

  // Band data come from this file only, whatever the description held.
  Source work = state.src;
  work.FirstBand = work.LastBand = 0;
  for (int band = 1; band <= kBandCount; ++band) {
    work.BandPresent(band) = kFalse;
    work.DirQ(band) = work.Lw(band) = work.Sensitivity(band) = 0;
    work.Efficiency(band) = work.Impedance(band) = 0;
    work.BalloonData.ClearBand(band);
  }
  work.Lw(11) = work.Lw(12) = 0;
  const Indexed<float, 0, 18> weight = ZoneWeight();
  for (int band = 1; band <= kBandCount; ++band) {
    const double fc = BandFreq(band);
    const double low = fc / std::numbers::sqrt2, high = fc * std::numbers::sqrt2;
    std::vector<std::size_t> bins;
    for (std::size_t n = 0; n < m.bins; ++n) {
      if (m.frequencies[n] > low && m.frequencies[n] <= high) bins.push_back(n);
    }
    if (bins.empty()) continue;
    std::vector<double> energy(m.receivers, 0.0);
    for (std::size_t r = 0; r < m.receivers; ++r) {
      for (const std::size_t n : bins) energy[r] += m.energy[r * m.bins + n];
      energy[r] /= static_cast<double>(bins.size());
    }
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        work.BalloonData(p, k, band) = static_cast<float>(energy[(*nearest)[p][k]]);
      }
    }
    const double mean = SphericalMean(work, band, weight);
    if (!(mean > 0) || !std::isfinite(mean)) {
      return std::unexpected(FileError{path, 0, "the " + SingleText(BandFreq(band), Lead::None) +
                                                    " Hz band holds no energy in any direction"});
    }
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        float& v = work.BalloonData(p, k, band);
        v = static_cast<float>(v / mean);
        if (!std::isfinite(v)) {
          return std::unexpected(FileError{path, 0, "a normalised value is beyond the float range"});
        }
      }
    }
    work.BandPresent(band) = kTrue;
    work.DirQ(band) = work.BalloonData(0, 0, band);
    if (work.FirstBand == 0) work.FirstBand = static_cast<std::int16_t>(band);
    work.LastBand = static_cast<std::int16_t>(band);
    state.AddLogLine("Band " + SingleText(BandFreq(band), Lead::None) + " Hz: " +
                     std::to_string(bins.size()) + " frequency bins, Q = " +
                     FormatNumber(work.DirQ(band), "##0.000"));
  }
  if (work.FirstBand == 0) {
    return std::unexpected(
        FileError{path, 0, "no frequency of the file lies in an octave band from 31.5 Hz to 16 kHz"});
  }
  work.BandCount = static_cast<std::int16_t>(work.LastBand - work.FirstBand + 1);
  work.SourceName = Utf8ToCp1252(m.title);
  work.Manufacturer = Utf8ToCp1252(m.manufacturer);
  work.SourceKind = m.sourceType == "noise source" ? 0.0f : 1.0f;
  const LocalTime now = platform.Now();
  work.SourceDate = DateText(now);
  work.SourceTime = TimeText(now);
  state.AddLogLine(std::to_string(m.receivers) + " receivers, " + std::to_string(m.bins) +
                   " frequencies read.");
  state.AddLogLine(
      "A SOFA file holds no power data: fill in Lw, sensitivity, efficiency and impedance.");
  state.src = std::move(work);
  return {};
}

}  // namespace fonderel
