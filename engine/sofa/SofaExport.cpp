#include "sofa/SofaExport.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/BandTables.h"
#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaGrid.h"

namespace fonderel {
namespace {

double Magnitude(double intensity) {
  return intensity > 0 ? std::sqrt(intensity) : 0.0;
}

// The balloon's mean over the sphere, formed as everywhere in the program: the
// 36 half-planes, each a sum of zone-weighted samples.
double SphericalMean(const Source& src, int band) {
  const Indexed<float, 0, 18> weight = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p) {
    for (int a = 0; a <= 18; ++a) {
      sum += weight(a) * (double{src.BalloonData(p, a, band)} +
                          double{src.BalloonData(p, (36 - a) % 36, band)});
    }
  }
  return sum / 36.0;
}

// The balloon sample a receiver stands for; the axis and the rear, which
// every plot shares, take the mean of their 18 samples.
double Intensity(const Source& src, int receiver, int band) {
  const PlotPoint at = ReceiverPlotPoint(receiver);
  if (receiver < kSofaAxisReceiver) return src.BalloonData(at.plot, at.point, band);
  double sum = 0;
  for (int p = 0; p < kPlots; ++p) sum += src.BalloonData(p, at.point, band);
  return sum / kPlots;
}

// "mm-dd-yyyy" and "hh:mm:ss" of the description, as a time; the clock's when
// the header holds none.
LocalTime SourceStamp(const Source& src, const LocalTime& now) {
  LocalTime t = now;
  int m = 0, d = 0, y = 0, hh = 0, mm = 0, ss = 0;
  if (std::sscanf(src.SourceDate.c_str(), "%2d-%2d-%4d", &m, &d, &y) == 3 && m >= 1 && m <= 12 &&
      d >= 1 && d <= 31) {
    t = LocalTime{y, m, d, 0, 0, 0};
    if (std::sscanf(src.SourceTime.c_str(), "%2d:%2d:%2d", &hh, &mm, &ss) == 3) {
      t.hour = hh, t.minute = mm, t.second = ss;
    }
  }
  return t;
}

struct Attribute {
  const char* variable;
  const char* name;
  std::string value;
};

std::expected<void, std::string> Write(NetCdfFile& file, const Source& src,
                                       const std::vector<int>& bands,
                                       const std::vector<double>& means, const LocalTime& now,
                                       const std::string& version) {
  const std::string kind = src.SourceKind != 0.0f ? "loudspeaker" : "noise source";
  const std::vector<Attribute> globals = {
      {"", "Conventions", "SOFA"},
      {"", "Version", "2.1"},
      {"", "SOFAConventions", "FreeFieldDirectivityTF"},
      {"", "SOFAConventionsVersion", "1.1"},
      {"", "DataType", "TF"},
      {"", "RoomType", "free field"},
      {"", "Title", Cp1252ToUtf8(src.SourceName)},
      {"", "DateCreated", SofaDate(SourceStamp(src, now))},
      {"", "DateModified", SofaDate(now)},
      {"", "APIName", "Fonderel"},
      {"", "APIVersion", version},
      {"", "ApplicationName", "Fonderel"},
      {"", "ApplicationVersion", version},
      {"", "AuthorContact", ""},
      {"", "Organization", ""},
      {"", "License", "No license provided, ask the author for permission"},
      {"", "DatabaseName", "Fonderel"},
      {"", "SourceType", kind},
      {"", "SourceManufacturer", Cp1252ToUtf8(src.Manufacturer)},
      {"", "Comment",
       "Magnitudes relative to the spherical mean of each band (1 = an omnidirectional source of "
       "the same power): Data.Real is the square root of the directivity balloon's intensity "
       "divided by the band's zone-weighted mean over the sphere, so the mean of Data.Real "
       "squared is 1. The phase is unknown, so Data.Imag is 0."},
  };
  auto dim = [&](const char* name, std::size_t n) { return file.AddDimension(name, n); };
  auto I = dim("I", 1), C = dim("C", 3), M = dim("M", 1), R = dim("R", kSofaReceivers),
       E = dim("E", 1), N = dim("N", bands.size());
  for (const auto* d : {&I, &C, &M, &R, &E, &N}) {
    if (!*d) return std::unexpected(d->error());
  }
  struct Variable {
    const char* name;
    std::vector<int> dims;
    std::vector<double> values;
  };
  std::vector<double> receivers, real,
      imag(static_cast<std::size_t>(kSofaReceivers) * bands.size());
  for (int r = 0; r < kSofaReceivers; ++r) {
    const PlotPoint at = ReceiverPlotPoint(r);
    for (const double c : SphericalOf(BalloonDirection(at.plot, at.point))) receivers.push_back(c);
    for (std::size_t b = 0; b < bands.size(); ++b) {
      real.push_back(Magnitude(Intensity(src, r, bands[b]) / means[b]));
    }
  }
  std::vector<double> frequencies;
  for (const int band : bands) frequencies.push_back(BandFreq(band));
  const std::vector<Variable> variables = {
      {"ListenerPosition", {*I, *C}, {0, 0, 0}},
      {"ListenerView", {*I, *C}, {1, 0, 0}},
      {"ListenerUp", {*I, *C}, {0, 0, 1}},
      {"ReceiverPosition", {*R, *C}, receivers},
      {"SourcePosition", {*I, *C}, {0, 0, 0}},
      {"SourceView", {*I, *C}, {1, 0, 0}},
      {"SourceUp", {*I, *C}, {0, 0, 1}},
      {"EmitterPosition", {*E, *C}, {0, 0, 0}},
      {"Data.Real", {*M, *R, *N}, real},
      {"Data.Imag", {*M, *R, *N}, imag},
      {"N", {*N}, frequencies},
  };
  for (const Variable& v : variables) {
    if (auto added = file.AddVariable(v.name, v.dims); !added)
      return std::unexpected(added.error());
  }
  const std::vector<Attribute> attributes = {
      {"ListenerPosition", "Type", "cartesian"},
      {"ListenerPosition", "Units", "metre"},
      {"ListenerView", "Type", "cartesian"},
      {"ListenerView", "Units", "metre"},
      {"ReceiverPosition", "Type", "spherical"},
      {"ReceiverPosition", "Units", "degree, degree, metre"},
      {"SourcePosition", "Type", "cartesian"},
      {"SourcePosition", "Units", "metre"},
      {"SourcePosition", "Reference", "The acoustic centre of the source, the balloon's origin"},
      {"SourceView", "Type", "cartesian"},
      {"SourceView", "Units", "metre"},
      {"SourceView", "Reference", "The balloon's axis, point 0 of every polar plot"},
      {"SourceUp", "Reference", "In the plane of polar plot 9, the vertical plane"},
      {"EmitterPosition", "Type", "cartesian"},
      {"EmitterPosition", "Units", "metre"},
      {"N", "LongName", "frequency"},
      {"N", "Units", "hertz"},
  };
  for (const auto* list : {&globals, &attributes}) {
    for (const Attribute& a : *list) {
      if (auto put = file.PutText(a.variable, a.name, a.value); !put) {
        return std::unexpected(put.error());
      }
    }
  }
  for (const Variable& v : variables) {
    if (auto put = file.PutValues(v.name, v.values); !put) return std::unexpected(put.error());
  }
  return file.Close();
}

// A scratch file for the netCDF library, removed when done.
class Scratch {
 public:
  Scratch() {
    std::error_code ec;
    std::string pattern =
        (std::filesystem::temp_directory_path(ec) / "fonderel-sofa-XXXXXX").string();
    name_.assign(pattern.begin(), pattern.end());
    name_.push_back('\0');
    const int fd = ::mkstemp(name_.data());
    if (fd >= 0) {
      ::close(fd);
    } else {
      name_.clear();
    }
  }
  ~Scratch() {
    if (!name_.empty()) ::unlink(name_.data());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  bool Made() const { return !name_.empty(); }
  std::string Path() const { return name_.data(); }

 private:
  std::vector<char> name_;
};

}  // namespace

std::string SofaDate(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

std::expected<std::string, FileError> SofaBytes(const Source& src, const std::string& path,
                                               const LocalTime& now, const std::string& version) {
  // A band counts when its balloon holds energy: an SPK file marks every band
  // of its range present, also those a gap left empty.
  std::vector<int> bands;
  std::vector<double> means;
  for (int b = 1; b <= kBandCount; ++b) {
    if (src.BandPresent(b) == 0) continue;
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        if (!std::isfinite(src.BalloonData(p, k, b))) {
          return std::unexpected(FileError{path, 0, "the balloon holds a value that is no number"});
        }
      }
    }
    if (const double mean = SphericalMean(src, b); mean > 0) {
      bands.push_back(b);
      means.push_back(mean);
    }
  }
  if (bands.empty())
    return std::unexpected(FileError{path, 0, "the source holds no band with data"});
  // The library writes to a path of its own; the finished bytes then go to
  // the target the way every save does, so a failure never leaves half a file.
  Scratch scratch;
  if (!scratch.Made()) return std::unexpected(FileError{path, 0, "cannot create a temporary file"});
  auto file = NetCdfFile::Create(scratch.Path());
  if (!file) return std::unexpected(FileError{path, 0, file.error()});
  if (auto written = Write(*file, src, bands, means, now, version); !written) {
    return std::unexpected(FileError{path, 0, written.error()});
  }
  auto bytes = ReadWholeFile(scratch.Path());
  if (!bytes) return std::unexpected(FileError{path, 0, bytes.error().message});
  return std::move(*bytes);
}

std::expected<void, FileError> WriteSofaFile(const Source& src, const std::string& path,
                                             const LocalTime& now, const std::string& version) {
  auto bytes = SofaBytes(src, path, now, version);
  if (!bytes) return std::unexpected(bytes.error());
  return WriteFileAtomically(path, *bytes);
}

}  // namespace fonderel
