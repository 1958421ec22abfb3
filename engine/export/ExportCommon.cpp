#include "export/ExportCommon.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/NumberText.h"

namespace fonderel {
namespace {

bool Finite(float v) {
  return std::isfinite(v);
}

double BandMaximum(const Source& src, int band) {
  double top = 0.0;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 0; k < kPoints; ++k)
      top = std::max(top, static_cast<double>(src.BalloonData(p, k, band)));
  return top;
}

}  // namespace

std::string BandText(int band) {
  return SingleText(BandFreq(band), Lead::None) + " Hz";
}

std::string BandListText(const std::vector<int>& bands) {
  std::string text;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (i > 0) text += i + 1 == bands.size() ? " and " : ", ";
    text += BandText(bands[i]);
  }
  return text;
}

std::string BandsPhrase(const std::vector<int>& bands, const char* one, const char* many) {
  return "the " + BandListText(bands) +
         (bands.size() == 1 ? " band " + std::string(one) : " bands " + std::string(many));
}

std::expected<void, FileError> CheckWritable(const Source& src, const std::string& path) {
  if (src.FirstBand < 1 || src.LastBand > kBandCount || src.FirstBand > src.LastBand) {
    return std::unexpected(FileError{path, 0, "the source holds no band to write"});
  }
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    bool finite = Finite(src.Lw(b)) && Finite(src.DirQ(b)) && Finite(src.Sensitivity(b)) &&
                  Finite(src.Impedance(b)) && Finite(src.Efficiency(b));
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) finite = finite && Finite(src.BalloonData(p, k, b));
    if (!finite) {
      return std::unexpected(
          FileError{path, 0, "the " + BandText(b) + " band holds a value that is no number"});
    }
  }
  return {};
}

void AddHeaderNotes(const Source& src, std::string_view format, std::vector<std::string>& notes) {
  const std::string name(format);
  if (!src.SourceDate.empty() || !src.SourceTime.empty()) {
    notes.push_back("the date and time of the description are not carried: " + name +
                    " files have no field for them");
  }
  if (src.SourceKind == 0.0f) {
    notes.push_back(name +
                    " files describe loudspeakers: the noise source is read back as a "
                    "loudspeaker");
  }
  if (src.NFaces > 0) {
    notes.push_back("the enclosing geometry (" + std::to_string(src.NFaces) +
                    " faces) is not carried by " + name + " files");
  }
  if (src.Lw(11) != 0.0f || src.Lw(12) != 0.0f) {
    notes.push_back(
        "the overall Lin and A levels of the ISO 3744 computation are not carried (a "
        "reader computes them from the bands)");
  }
}

std::string FieldText(std::string_view text, std::string_view forbidden, char replacement,
                      bool& changed) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') {
      c = ' ';
      changed = true;
    } else if (forbidden.find(c) != std::string_view::npos) {
      c = replacement;
      changed = true;
    }
  }
  return out;
}

std::string ShortestText(float value) {
  if (value == 0.0f) value = 0.0f;  // no "-0"
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

RelativeLevels::RelativeLevels(const Source& src, int band) {
  const double top = BandMaximum(src, band);
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const double v = src.BalloonData(p, k, band);
      db_[static_cast<std::size_t>(p * kPoints + k)] =
          top > 0.0 && v > 0.0 ? std::max(kFloorDb, Decibels(v / top)) : kFloorDb;
    }
  }
}

}  // namespace fonderel
