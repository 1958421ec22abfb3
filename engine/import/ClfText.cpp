// The CLF text reader. A file is a sequence of lines; a line that starts with
// "<" is a tag with its values after it (separated by tabs or blanks), every
// other non-blank line is one arc of the <BAND> above it. The first line is
// <CLF1> or <CLF2>; <CLF1END> or <CLF2END> ends the file. Header tags are read
// wherever they stand, but those that shape the balloon (<RADIATION>,
// <BALLOON-SYMMETRY>, <BALLOON-ARC-ORDER>) count from the next <BAND> on.
#include "import/ClfText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "core/FieldReader.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

// Levels beyond this many dB are no measurement and would leave the float
// range once turned into intensities.
constexpr double kMaxLevelDb = 300.0;
constexpr double kMaxImpedance = 1.0e6;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

// A whole field as a number; nullopt when it is anything else.
std::optional<double> Number(std::string_view field) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (ec != std::errc() || end != field.data() + field.size() || !std::isfinite(v)) {
    return std::nullopt;
  }
  return v;
}

bool IsNoData(std::string_view field) {
  return Upper(field) == "<NODATA>";
}

int SeriesIndexOf(int version, double hz) {
  const std::vector<double>& series = ClfSeriesHz(version);
  for (std::size_t i = 0; i < series.size(); ++i) {
    if (std::fabs(hz / series[i] - 1.0) <= 0.06) return static_cast<int>(i);
  }
  return -1;
}

std::string HzText(double hz) {
  return DoubleText(hz, Lead::None) + " Hz";
}

class ClfParser {
 public:
  ClfParser(std::string_view bytes, const std::string& path) : rest_(bytes), path_(path) {}

  std::expected<ClfText, FileError> Read() {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
    std::string_view line;
    if (!NextLine(line) || (Trim(line).empty() && rest_.empty())) {
      return Fail(1, "the file is empty; expected \"<CLF1>\" or \"<CLF2>\"");
    }
    if (!IsClfFirstLine(line)) {
      return Fail(1, "expected \"<CLF1>\" or \"<CLF2>\", found " + Quoted(Trim(line)));
    }
    out_.version = Upper(Fields(line)[0]) == "<CLF1>" ? 1 : 2;
    while (NextLine(line)) {
      const std::string_view text = Trim(line);
      if (text.empty()) continue;
      if (text.front() == '<' && !IsNoData(Fields(text)[0])) {
        if (auto done = Tag(text); !done) return std::unexpected(done.error());
        if (ended_) break;
      } else if (auto done = Arc(text); !done) {
        return std::unexpected(done.error());
      }
    }
    if (auto done = CloseBand(line_); !done) return std::unexpected(done.error());
    return Finish();
  }

 private:
  bool NextLine(std::string_view& line) {
    if (rest_.empty()) return false;
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\n' && rest_[end] != '\r') ++end;
    line = rest_.substr(0, end);
    if (end < rest_.size()) {
      const bool cr = rest_[end] == '\r';
      ++end;
      if (cr && end < rest_.size() && rest_[end] == '\n') ++end;
    }
    rest_.remove_prefix(end);
    ++line_;
    return true;
  }

  std::unexpected<FileError> Fail(int line, std::string message) const {
    return std::unexpected(FileError{path_, line, std::move(message)});
  }

  std::expected<double, FileError> Level(std::string_view field, const char* what) const {
    const std::optional<double> v = Number(field);
    if (!v)
      return Fail(line_, std::string("expected a number for ") + what + ", found " + Quoted(field));
    if (std::fabs(*v) > kMaxLevelDb) {
      return Fail(line_,
                  std::string(what) + " " + Quoted(field) + " lies more than 300 dB from 0 dB");
    }
    return *v;
  }

  std::expected<void, FileError> Tag(std::string_view text) {
    const std::size_t close = text.find('>');
    if (close == std::string_view::npos || text.find_first_of(" \t") < close) {
      return Fail(line_, "a tag without its closing \">\": " + Quoted(text));
    }
    const std::string tag = Upper(text.substr(0, close + 1));
    const std::string_view value = Trim(text.substr(close + 1));
    const std::vector<std::string_view> fields = Fields(value);
    const std::string word = fields.empty() ? std::string() : Upper(fields[0]);
    if (tag == "<CLF1END>" || tag == "<CLF2END>") {
      ended_ = true;
      return {};
    }
    if (tag == "<BAND>") return OpenBand(fields);
    // Any other tag ends the band above it.
    if (auto done = CloseBand(line_); !done) return done;
    if (tag == "<MODELNAME>") {
      out_.modelName = std::string(value);
    } else if (tag == "<MANUFACTURER>") {
      out_.manufacturer = std::string(value);
    } else if (tag == "<RADIATION>") {
      if (word != "<FULLSPHERE>" && word != "<HALFSPHERE>") {
        return Fail(line_, "expected <fullsphere> or <halfsphere>, found " + Quoted(value));
      }
      out_.halfSphere = word == "<HALFSPHERE>";
    } else if (tag == "<BALLOON-SYMMETRY>") {
      return Symmetry(word, value);
    } else if (tag == "<BALLOON-ARC-ORDER>") {
      if (word != "<DEFAULT>" && word != "<NORMAL>" && word != "<REVERSED>") {
        return Fail(line_, "expected <default> or <reversed>, found " + Quoted(value));
      }
      out_.reversed = word == "<REVERSED>";
    } else if (tag == "<BALLOON-REF>") {
      out_.absolute = word == "<ABSOLUTE>";
    } else if (tag == "<MINBAND>" || tag == "<MAXBAND>") {
      return BandLimit(tag, fields);
    } else if (tag == "<SENSITIVITY>") {
      return List(fields, out_.sensitivity, sensitivityLine_, "a sensitivity", kMaxLevelDb);
    } else if (tag == "<AXIAL-SPECTRUM>") {
      return List(fields, out_.axialSpectrum, axialLine_, "an axial level", kMaxLevelDb);
    } else if (tag == "<IMPEDANCE>") {
      return List(fields, out_.impedance, impedanceLine_, "an impedance", kMaxImpedance);
    }
    return {};
  }

  std::expected<void, FileError> Symmetry(const std::string& word, std::string_view value) {
    if (word == "<NONE>") {
      out_.symmetry = ClfSymmetry::None;
    } else if (word == "<ROTATIONAL>") {
      out_.symmetry = ClfSymmetry::Rotational;
    } else if (word == "<HORIZONTAL>") {
      out_.symmetry = ClfSymmetry::Horizontal;
    } else if (word == "<VERTICAL>") {
      out_.symmetry = ClfSymmetry::Vertical;
    } else if (word == "<FULL>" || word == "<QUARTER>") {
      out_.symmetry = ClfSymmetry::Full;
    } else {
      return Fail(line_,
                  "expected <none>, <rotational>, <horizontal>, <vertical> or <full>, found " +
                      Quoted(value));
    }
    return {};
  }

  std::expected<void, FileError> BandLimit(const std::string& tag,
                                           const std::vector<std::string_view>& fields) {
    const std::optional<double> hz = fields.empty() ? std::nullopt : Number(fields[0]);
    const int series = hz ? SeriesIndexOf(out_.version, *hz) : -1;
    if (series < 0) {
      return Fail(line_, "expected a band centre frequency after " + tag + ", found " +
                             Quoted(fields.empty() ? std::string_view() : fields[0]));
    }
    (tag == "<MINBAND>" ? minBand_ : maxBand_) = series;
    return {};
  }

  std::expected<void, FileError> List(const std::vector<std::string_view>& fields,
                                      std::vector<std::optional<double>>& list, int& listLine,
                                      const char* what, double limit) {
    list.clear();
    listLine = line_;
    for (const std::string_view field : fields) {
      if (IsNoData(field)) {
        list.push_back(std::nullopt);
        continue;
      }
      const std::optional<double> v = Number(field);
      if (!v) return Fail(line_, std::string("expected ") + what + ", found " + Quoted(field));
      if (std::fabs(*v) > limit)
        return Fail(line_, std::string(what) + " out of range: " + Quoted(field));
      list.push_back(*v);
    }
    if (list.size() > ClfSeriesHz(out_.version).size()) {
      return Fail(line_, "more values (" + std::to_string(list.size()) +
                             ") than the file's band series holds");
    }
    return {};
  }

  int FileArcs() const {
    const int n = out_.Arcs();
    switch (out_.symmetry) {
      case ClfSymmetry::None:
        return n;
      case ClfSymmetry::Rotational:
        return 1;
      case ClfSymmetry::Horizontal:
      case ClfSymmetry::Vertical:
        return n / 2 + 1;
      case ClfSymmetry::Full:
        return n / 4 + 1;
    }
    return n;
  }
  int FileAngles() const { return out_.halfSphere ? 9 * out_.Step() + 1 : out_.Angles(); }

  std::expected<void, FileError> OpenBand(const std::vector<std::string_view>& fields) {
    if (auto done = CloseBand(line_); !done) return done;
    const std::optional<double> hz = fields.empty() ? std::nullopt : Number(fields[0]);
    if (!hz) {
      return Fail(line_, "expected a frequency after <BAND>, found " +
                             Quoted(fields.empty() ? std::string_view() : fields[0]));
    }
    const int series = SeriesIndexOf(out_.version, *hz);
    if (series < 0) {
      return Fail(line_, HzText(*hz) + " is no " + (out_.version == 1 ? "octave" : "third-octave") +
                             " band centre of a CLF" + std::to_string(out_.version) + " file");
    }
    for (const ClfBand& b : out_.bands) {
      if (b.series == series) return Fail(line_, "a second <BAND> block for " + HzText(*hz));
    }
    open_ = true;
    band_ = ClfBand{*hz, series, line_, {}};
    arcs_.clear();
    return {};
  }

  std::expected<void, FileError> Arc(std::string_view text) {
    if (!open_) return Fail(line_, "expected a tag or a <BAND> block, found " + Quoted(text));
    if (static_cast<int>(arcs_.size()) == FileArcs()) {
      return Fail(line_, "the " + HzText(band_.hz) + " band has more than the " +
                             std::to_string(FileArcs()) + " arcs its symmetry gives");
    }
    const std::vector<std::string_view> fields = Fields(text);
    if (static_cast<int>(fields.size()) != FileAngles()) {
      return Fail(line_, "expected " + std::to_string(FileAngles()) + " values on an arc of the " +
                             HzText(band_.hz) + " band, found " + std::to_string(fields.size()));
    }
    std::vector<double> arc;
    bool any = false;
    for (const std::string_view field : fields) {
      if (IsNoData(field)) {
        arc.push_back(kClfNoData);
        continue;
      }
      auto v = Level(field, "a level");
      if (!v) return std::unexpected(v.error());
      arc.push_back(*v);
      any = true;
    }
    if (!any) return Fail(line_, "an arc of the " + HzText(band_.hz) + " band holds only <nodata>");
    FillNoData(arc);
    arcs_.push_back(std::move(arc));
    return {};
  }

  // A <nodata> value takes the level interpolated (in dB) between the nearest
  // values with data on its arc, or the nearest one at the arc's ends.
  static void FillNoData(std::vector<double>& arc) {
    const int n = static_cast<int>(arc.size());
    for (int j = 0; j < n; ++j) {
      if (!std::isnan(arc[static_cast<std::size_t>(j)])) continue;
      int before = j - 1, after = j + 1;
      while (before >= 0 && std::isnan(arc[static_cast<std::size_t>(before)])) --before;
      while (after < n && std::isnan(arc[static_cast<std::size_t>(after)])) ++after;
      double& v = arc[static_cast<std::size_t>(j)];
      if (before < 0) {
        v = arc[static_cast<std::size_t>(after)];
      } else if (after >= n) {
        v = arc[static_cast<std::size_t>(before)];
      } else {
        const double t = static_cast<double>(j - before) / (after - before);
        v = arc[static_cast<std::size_t>(before)] * (1 - t) +
            arc[static_cast<std::size_t>(after)] * t;
      }
    }
  }

  // The arc given in the file for arc `a` of the full circle (counted in the
  // file's own order): the symmetry folds the circle onto the arcs given.
  int FileArcOf(int a) const {
    const int n = out_.Arcs();
    switch (out_.symmetry) {
      case ClfSymmetry::None:
        return a;
      case ClfSymmetry::Rotational:
        return 0;
      case ClfSymmetry::Horizontal:
        return a <= n / 2 ? a : n - a;  // left = right
      case ClfSymmetry::Vertical: {     // top = bottom; the file gives right, up, left
        const int folded = a > n / 4 && a < 3 * n / 4 ? (n / 2 - a + n) % n : a;
        return (folded - 3 * n / 4 + n) % n;
      }
      case ClfSymmetry::Full: {  // both; the file gives up to left
        int folded = a <= n / 2 ? a : n - a;
        if (folded > n / 4) folded = n / 2 - folded;
        return folded;
      }
    }
    return a;
  }

  std::expected<void, FileError> CloseBand(int line) {
    if (!open_) return {};
    open_ = false;
    const int given = static_cast<int>(arcs_.size());
    if (given != FileArcs()) {
      return Fail(line, "the " + HzText(band_.hz) + " band (line " + std::to_string(band_.line) +
                            ") holds " + std::to_string(given) + " arcs where its symmetry needs " +
                            std::to_string(FileArcs()));
    }
    const int n = out_.Arcs(), angles = out_.Angles(), fileAngles = FileAngles();
    band_.db.assign(static_cast<std::size_t>(n * angles), kClfSilent);
    for (int g = 0; g < n; ++g) {
      const int own = out_.reversed ? (n - g) % n : g;
      const std::vector<double>& arc = arcs_[static_cast<std::size_t>(FileArcOf(own))];
      for (int j = 0; j < fileAngles; ++j) {
        band_.db[static_cast<std::size_t>(g * angles + j)] = arc[static_cast<std::size_t>(j)];
      }
    }
    out_.bands.push_back(std::move(band_));
    return {};
  }

  std::expected<ClfText, FileError> Finish() {
    if (out_.bands.empty()) return Fail(line_, "the file holds no <BAND> block");
    int first = out_.bands.front().series;
    for (const ClfBand& b : out_.bands) first = std::min(first, b.series);
    out_.listStart = minBand_ >= 0 ? minBand_ : first;
    if (minBand_ >= 0 && maxBand_ >= 0) {
      if (maxBand_ < minBand_) return Fail(line_, "<MAXBAND> lies below <MINBAND>");
      const std::size_t span = static_cast<std::size_t>(maxBand_ - minBand_ + 1);
      const struct {
        const std::vector<std::optional<double>>& list;
        int line;
        const char* tag;
      } lists[] = {{out_.sensitivity, sensitivityLine_, "<SENSITIVITY>"},
                   {out_.axialSpectrum, axialLine_, "<AXIAL-SPECTRUM>"},
                   {out_.impedance, impedanceLine_, "<IMPEDANCE>"}};
      for (const auto& l : lists) {
        if (l.list.size() > 1 && l.list.size() != span) {
          return Fail(l.line, std::string(l.tag) + " holds " + std::to_string(l.list.size()) +
                                  " values, but <MINBAND> to <MAXBAND> span " +
                                  std::to_string(span) + " bands");
        }
      }
    }
    return std::move(out_);
  }

  std::string_view rest_;
  const std::string& path_;
  int line_ = 0;
  bool ended_ = false;
  ClfText out_;
  int minBand_ = -1, maxBand_ = -1;
  int sensitivityLine_ = 0, axialLine_ = 0, impedanceLine_ = 0;
  bool open_ = false;  // a <BAND> block is being read
  ClfBand band_;
  std::vector<std::vector<double>> arcs_;
};

}  // namespace

std::optional<double> ClfText::ListValue(const std::vector<std::optional<double>>& list,
                                         int series) const {
  const int i = series - listStart;
  if (i < 0 || i >= static_cast<int>(list.size())) return std::nullopt;
  return list[static_cast<std::size_t>(i)];
}

const std::vector<double>& ClfSeriesHz(int version) {
  static const std::vector<double> octaves = {31.5, 63,   125,  250,  500,
                                              1000, 2000, 4000, 8000, 16000};
  static const std::vector<double> thirds = {
      25,  31.5, 40,   50,   63,   80,   100,  125,  160,  200,  250,  315,   400,   500,   630,
      800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
  return version == 1 ? octaves : thirds;
}

bool IsClfFirstLine(std::string_view firstLine) {
  if (firstLine.starts_with("\xEF\xBB\xBF")) firstLine.remove_prefix(3);
  const std::vector<std::string_view> fields = Fields(firstLine);
  if (fields.empty()) return false;
  const std::string word = Upper(fields[0]);
  return word == "<CLF1>" || word == "<CLF2>";
}

std::expected<ClfText, FileError> ReadClfText(std::string_view bytes, const std::string& path) {
  return ClfParser(bytes, path).Read();
}

}  // namespace fonderel
