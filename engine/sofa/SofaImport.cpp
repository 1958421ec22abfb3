#include "sofa/SofaImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "import/ImportCommon.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaFrame.h"
#include "sofa/SofaGrid.h"
#include "sofa/SofaNearest.h"

namespace fonderel {
namespace {

// What a file may ask for. The data are read a block at a time, so memory
// stays small whatever the counts; the bounds keep the time to a few seconds.
constexpr std::size_t kBlockValues = std::size_t{1} << 20;

using Failure = std::unexpected<std::string>;
using BandEnergies = std::array<double, kBandCount + 1>;  // per band 1..10

struct SofaMeasurement {
  std::size_t receivers = 0, bins = 0;
  bool hasImag = false;
  std::vector<UnitVector> directions;  // per receiver, in the balloon's frame
  std::vector<int> bandOfBin;          // per bin, 0: outside every band
  BandEnergies binsInBand{};
  std::string title, manufacturer, sourceType;  // UTF-8, empty when absent
};

bool AllFinite(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::expected<void, std::string> CheckConvention(const NetCdfFile& file) {
  if (!file.HasAttribute("", "SOFAConventions")) {
    return Failure("not a SOFA file: it has no SOFAConventions attribute");
  }
  auto convention = file.TextAttribute("", "SOFAConventions");
  if (!convention) return Failure("not a SOFA file: " + convention.error());
  if (*convention != "FreeFieldDirectivityTF" && *convention != "GeneralTF") {
    return Failure("the file follows the SOFA convention \"" + *convention +
                   "\"; a directivity is read from FreeFieldDirectivityTF or GeneralTF files");
  }
  if (auto type = file.TextAttribute("", "DataType"); type && *type != "TF") {
    return Failure("the data type is \"" + *type + "\"; a transfer function (TF) is expected");
  }
  return {};
}

// The layout of Data.Real (and Data.Imag), refused before anything is read
// when it asks for more than a directivity needs.
std::expected<void, std::string> ReadShape(const NetCdfFile& file, SofaMeasurement& m) {
  auto dims = file.Dimensions("Data.Real");
  if (!dims) return Failure("no Data.Real variable");
  if (dims->size() != 3 || (*dims)[0].name != "M" || (*dims)[1].name != "R" ||
      (*dims)[2].name != "N") {
    return Failure("Data.Real is not laid out as measurements x receivers x frequencies (M, R, N)");
  }
  m.receivers = (*dims)[1].length;
  m.bins = (*dims)[2].length;
  if ((*dims)[0].length == 0 || m.receivers == 0 || m.bins == 0)
    return Failure("Data.Real is empty");
  if (m.receivers > kSofaMaxReceivers || m.bins > kSofaMaxBins ||
      m.bins > kSofaMaxValues / m.receivers) {
    return Failure("the file asks for " + std::to_string(m.receivers) + " receivers and " +
                   std::to_string(m.bins) + " frequencies; a directivity is read with at most " +
                   std::to_string(kSofaMaxReceivers) + " receivers, " +
                   std::to_string(kSofaMaxBins) + " frequencies and " +
                   std::to_string(kSofaMaxValues) + " values");
  }
  m.hasImag = file.HasVariable("Data.Imag");
  if (m.hasImag) {
    auto imag = file.Dimensions("Data.Imag");
    if (!imag || imag->size() != 3 || (*imag)[0].length == 0 || (*imag)[1].length != m.receivers ||
        (*imag)[2].length != m.bins) {
      return Failure("Data.Imag does not match Data.Real");
    }
  }
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
  for (const double f : *values) {
    m.bandOfBin.push_back(OctaveBandOf(f));
    m.binsInBand[m.bandOfBin.back()] += 1;
  }
  m.binsInBand[0] = 0;
  return {};
}

// The receivers' directions in the balloon's frame: given in the listener's
// frame, which the file places with ListenerView/ListenerUp, and seen from the
// source turned by SourceView/SourceUp.
std::expected<void, std::string> ReadReceivers(const NetCdfFile& file, SofaMeasurement& m) {
  auto dims = file.Dimensions("ReceiverPosition");
  if (!dims) return Failure("no ReceiverPosition variable");
  if (dims->size() < 2 || (*dims)[0].length != m.receivers || (*dims)[1].length != 3) {
    return Failure("ReceiverPosition does not give three coordinates for each receiver");
  }
  for (std::size_t d = 2; d < dims->size(); ++d) {
    if ((*dims)[d].length == 0) return Failure("ReceiverPosition is empty");
  }
  auto type = file.TextAttribute("ReceiverPosition", "Type");
  if (!type || (*type != "spherical" && *type != "cartesian")) {
    return Failure("ReceiverPosition:Type is neither \"spherical\" nor \"cartesian\"");
  }
  auto listener = ReadFrame(file, "ListenerView", "ListenerUp");
  if (!listener) return Failure(listener.error());
  auto source = ReadFrame(file, "SourceView", "SourceUp");
  if (!source) return Failure(source.error());
  std::vector<std::size_t> start(dims->size(), 0), count(dims->size(), 1);
  count[0] = m.receivers;
  count[1] = 3;
  auto values = file.Values("ReceiverPosition", start, count);
  if (!values) return Failure(values.error());
  if (!AllFinite(*values)) return Failure("a receiver position is not a finite number");
  m.directions.reserve(m.receivers);
  for (std::size_t r = 0; r < m.receivers; ++r) {
    const double* c = values->data() + 3 * r;
    UnitVector v;
    if (*type == "spherical") {
      v = FromSpherical(c[0], c[1]);
    } else if (!FromCartesian(c[0], c[1], c[2], v)) {
      return Failure("receiver " + std::to_string(r + 1) +
                     " lies at the origin and has no direction");
    }
    m.directions.push_back(Reframe(v, *listener, *source));
  }
  return {};
}

// Per balloon direction's receiver and band the mean of |TF|² over the band's
// bins, reading the first measurement's data a block of receivers at a time.
// Every value must be a finite number whose square is one too.
std::expected<std::vector<BandEnergies>, std::string> ReadEnergies(
    const NetCdfFile& file, const SofaMeasurement& m, const std::vector<std::int32_t>& slotOf,
    std::size_t slots) {
  std::vector<BandEnergies> energies(slots, BandEnergies{});
  const std::size_t block = std::max<std::size_t>(1, kBlockValues / m.bins);
  for (std::size_t first = 0; first < m.receivers; first += block) {
    const std::size_t n = std::min(block, m.receivers - first);
    const std::vector<std::size_t> start{0, first, 0}, count{1, n, m.bins};
    auto real = file.Values("Data.Real", start, count);
    if (!real) return Failure(real.error());
    std::vector<double> imag;
    if (m.hasImag) {
      auto values = file.Values("Data.Imag", start, count);
      if (!values) return Failure(values.error());
      imag = std::move(*values);
    }
    if (!AllFinite(*real) || !AllFinite(imag)) {
      return Failure("the data hold a value that is not a finite number (NaN or infinite)");
    }
    for (std::size_t i = 0; i < real->size(); ++i) {
      const double re = (*real)[i], im = m.hasImag ? imag[i] : 0.0;
      const double e = re * re + im * im;
      if (!std::isfinite(e)) {
        return Failure("receiver " + std::to_string(first + i / m.bins + 1) +
                       " holds a value too large to square (" +
                       DoubleText(std::hypot(re, im), Lead::None) + ")");
      }
      const std::int32_t slot = slotOf[first + i / m.bins];
      if (slot >= 0) energies[slot][m.bandOfBin[i % m.bins]] += e;
    }
  }
  for (BandEnergies& e : energies) {
    for (int band = 1; band <= kBandCount; ++band) {
      if (m.binsInBand[band] > 0) e[band] /= m.binsInBand[band];
    }
  }
  return energies;
}

std::expected<SofaMeasurement, std::string> ReadMeasurement(const NetCdfFile& file) {
  SofaMeasurement m;
  if (auto ok = file.RequireNetCdf4(); !ok) return Failure(ok.error());
  if (auto ok = CheckConvention(file); !ok) return Failure(ok.error());
  if (auto ok = ReadShape(file, m); !ok) return Failure(ok.error());
  if (auto ok = ReadFrequencies(file, m); !ok) return Failure(ok.error());
  if (auto ok = ReadReceivers(file, m); !ok) return Failure(ok.error());
  const auto text = [&](const char* name) { return file.TextAttribute("", name).value_or(""); };
  m.title = text("Title");
  m.manufacturer = text("SourceManufacturer");
  m.sourceType = text("SourceType");
  return m;
}

using Balloon = std::array<std::array<double, kPoints>, kPlots>;

// The balloon's mean over the sphere: the 36 half-planes, each a sum of
// zone-weighted samples.
double SphericalMean(const Balloon& b, const Indexed<float, 0, 18>& weight) {
  double sum = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int a = 0; a <= 18; ++a) sum += weight(a) * (b[p][a] + b[p][(36 - a) % 36]);
  }
  return sum / 36.0;
}

std::string BandName(int band) {
  return SingleText(BandFreq(band), Lead::None) + " Hz band";
}

std::expected<void, std::string> Import(AppState& state, Platform& platform,
                                        const NetCdfFile& file) {
  auto read = ReadMeasurement(file);
  if (!read) return Failure(read.error());
  const SofaMeasurement& m = *read;
  auto nearest = FindNearestReceivers(m.directions, kSofaMaxGapDegrees);
  if (!nearest) return Failure(nearest.error());
  // Only the receivers some balloon direction takes keep their energies.
  std::vector<std::int32_t> slotOf(m.receivers, -1);
  std::int32_t slots = 0;
  for (const auto& plot : *nearest) {
    for (const std::size_t r : plot) {
      if (slotOf[r] < 0) slotOf[r] = slots++;
    }
  }
  auto energies = ReadEnergies(file, m, slotOf, static_cast<std::size_t>(slots));
  if (!energies) return Failure(energies.error());

  // Band data come from this file only, whatever the description held.
  Source work = state.src;
  ClearBandData(work);
  const Indexed<float, 0, 18> weight = ZoneWeight();
  for (int band = 1; band <= kBandCount; ++band) {
    if (m.binsInBand[band] == 0) continue;
    // Normalised in doubles: a file may be scaled so that |TF|² is beyond the
    // float range while its shape is not.
    Balloon balloon;
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) balloon[p][k] = (*energies)[slotOf[(*nearest)[p][k]]][band];
    }
    const double mean = SphericalMean(balloon, weight);
    if (!std::isfinite(mean)) {
      return Failure("the " + BandName(band) + "'s energies are too large to add up");
    }
    if (!(mean > 0)) return Failure("the " + BandName(band) + " holds no energy in any direction");
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const float v = static_cast<float>(balloon[p][k] / mean);
        if (!std::isfinite(v)) {
          return Failure("in the " + BandName(band) + " a value is " +
                         DoubleText(balloon[p][k] / mean, Lead::None) +
                         " times the mean, beyond the range the balloon holds");
        }
        work.BalloonData(p, k, band) = v;
      }
    }
    work.BandPresent(band) = kTrue;
    work.DirQ(band) = work.BalloonData(0, 0, band);
    if (work.FirstBand == 0) work.FirstBand = static_cast<std::int16_t>(band);
    work.LastBand = static_cast<std::int16_t>(band);
    state.AddLogLine("Band " + SingleText(BandFreq(band), Lead::None) +
                     " Hz: " + std::to_string(static_cast<long>(m.binsInBand[band])) +
                     " frequency bins, Q = " + FormatNumber(work.DirQ(band), "##0.000"));
  }
  if (work.FirstBand == 0) {
    return Failure("no frequency of the file lies in an octave band from 31.5 Hz to 16 kHz");
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

std::expected<void, FileError> ImportOpened(AppState& state, Platform& platform,
                                            const std::string& path,
                                            const std::expected<NetCdfFile, std::string>& file) {
  platform.ShowTextLog();
  state.AddLogLine("");
  state.AddLogLine("Import a SOFA directivity file from: " + path);
  state.AddLogLine("");
  if (!file) return std::unexpected(FileError{path, 0, file.error()});
  if (auto done = Import(state, platform, *file); !done) {
    return std::unexpected(FileError{path, 0, done.error()});
  }
  return {};
}

}  // namespace

std::expected<void, FileError> ImportSofaFile(AppState& state, Platform& platform,
                                              const std::string& path) {
  return ImportOpened(state, platform, path, NetCdfFile::Open(path));
}

std::expected<void, FileError> ImportSofaMemory(AppState& state, Platform& platform,
                                                const std::string& name, const std::string& bytes) {
  return ImportOpened(state, platform, name, NetCdfFile::OpenMemory(name, bytes));
}

}  // namespace fonderel
