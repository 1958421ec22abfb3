// EASE text exports, 3.0 and 2.0. The two versions share the record of one
// band (labels and values, a band flag, then an attenuation grid over a part of
// the sphere); 3.0 files may hold several loudspeakers, 2.0 files one, with a
// quarter of its balloon.
#include "import/EaseImport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "core/BandTables.h"
#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "import/ImportCommon.h"

namespace fonderel {
namespace {

constexpr int kMaxSpeakers = 64;    // names the loudspeaker list can hold
constexpr int kRearAngle = 18;      // a = 0..18: 0 on axis, 18 at the rear, 10 degrees apart
constexpr int kGridValues30 = 19 * 19;  // half-planes -9..9
constexpr int kGridValues20 = 10 * 19;  // half-planes 0..9
// Bands 125 Hz to 8 kHz define the band range and share the power.
constexpr int kLowestRangeBand = 3;
constexpr int kHighestRangeBand = 9;

// Blank lines and end-of-file marks after the last line are no field. The last
// line keeps its line end, so that an empty last item ("SpeakerName,") is
// still an item.
std::string_view WithoutTrailingBlanks(std::string_view bytes) {
  const std::size_t last = bytes.find_last_not_of(" \t\r\n\x1A");
  if (last == std::string_view::npos) return {};
  std::size_t keep = last + 1;
  std::size_t end = keep;
  while (end < bytes.size() && (bytes[end] == ' ' || bytes[end] == '\t')) ++end;
  if (end < bytes.size() && (bytes[end] == '\r' || bytes[end] == '\n')) {
    keep = end + 1;
    if (bytes[end] == '\r' && keep < bytes.size() && bytes[keep] == '\n') ++keep;
  }
  return bytes.substr(0, keep);
}

// Blank lines before a label are no field of the record.
std::expected<void, FileError> SkipBlankLines(FieldReader& in) {
  constexpr std::size_t kLook = 64;
  while (!in.AtEnd()) {
    const std::string rest = in.PeekLine(kLook);
    if (rest.size() >= kLook ||
        rest.find_first_not_of(" \t") != std::string::npos) {
      break;
    }
    TRY(in.SkipLine());
  }
  return {};
}

// A cell of the band table in the log: " #0.00" right-aligned in 6 characters.
void AppendLogCell(std::string& line, float value) {
  const std::string text = "     " + FormatNumber(value, " #0.00");
  line.append(text, text.size() - 6, 6);
}

enum class Version { Ease30, Ease20 };

class EaseReader {
 public:
  EaseReader(AppState& state, Platform& platform, Source& work, std::string_view bytes,
             const std::string& path)
      : state_(state), platform_(platform), src_(work), bytes_(bytes), path_(path),
        in_(bytes, path), weight_(ZoneWeight()) {}

  // The first field names the version: "Format" opens a 3.0 export.
  std::expected<bool, FileError> IsVersion30() {
    FieldReader probe(bytes_, path_);
    TRY(SkipBlankLines(probe));
    if (probe.AtEnd()) return std::unexpected(FileError{path_, 0, "the file is empty"});
    TRY_READ(first, probe.ReadString());
    return first == "Format";
  }

  std::expected<void, FileError> Read30() {
    Log("");
    Log("Import an Ease 3.0 text speaker file from: " + path_);
    Log("");
    TRY_READ(names, ScanNames());
    if (names.empty()) return std::unexpected(FileError{path_, 0, "the file holds no loudspeaker"});
    std::string chosen = names.front();
    if (names.size() > 1) {
      auto answer = platform_.ChooseLoudspeaker(names);
      if (!answer || answer->empty()) {
        return std::unexpected(FileError{path_, 0, "no loudspeaker was chosen", /*cancelled=*/true});
      }
      chosen = std::move(*answer);
    }
    src_.SourceName = chosen;
    Log("Loading speaker :" + chosen);
    platform_.SetBusy(true);
    platform_.Beep();
    auto result = DataPass30();
    if (result) result = Finish();
    platform_.SetBusy(false);
    return result;
  }

  std::expected<void, FileError> Read20() {
    platform_.SetBusy(true);
    Log("");
    Log("Import an Ease 2.0 text speaker file from: " + path_);
    Log("");
    platform_.Beep();
    auto result = DataPass20();
    if (result) result = Finish();
    platform_.SetBusy(false);
    return result;
  }

 private:
  void Log(std::string_view text) { state_.AddLogLine(text); }

  // The distinct loudspeaker names in the order the file gives them. A line
  // counts only through its first field, or through "SpeakerName" and the
  // field after it.
  std::expected<std::vector<std::string>, FileError> ScanNames() {
    FieldReader scan(bytes_, path_);
    std::vector<std::string> names;
    while (!scan.AtEnd()) {
      const int line = scan.Line();
      TRY_READ(field, scan.ReadString());
      if (field != "SpeakerName") {
        if (!scan.AtEnd() && scan.Line() == line) TRY(scan.SkipLine());
        continue;
      }
      const int nameLine = scan.Line();
      TRY_READ(name, scan.ReadString());
      // A record without a name cannot be chosen apart from the others.
      if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) continue;
      if (static_cast<int>(names.size()) == kMaxSpeakers) {
        return std::unexpected(scan.ErrorAt(
            nameLine, "more than " + std::to_string(kMaxSpeakers) + " loudspeakers in the file"));
      }
      names.push_back(std::move(name));
    }
    return names;
  }

  // Every field is passed over except the records of the chosen loudspeaker.
  std::expected<void, FileError> DataPass30() {
    while (!in_.AtEnd()) {
      TRY_READ(field, in_.ReadString());
      if (field != "SpeakerName") continue;
      TRY_READ(name, in_.ReadString());
      if (name != src_.SourceName) continue;
      TRY_READ(label, ReadLabel());
      TRY_READ(maker, in_.ReadString());
      src_.Manufacturer = maker;
      Log(label + maker);
      TRY(ReadBand(Version::Ease30));
    }
    return {};
  }

  std::expected<void, FileError> DataPass20() {
    while (!in_.AtEnd()) {
      TRY_READ(label, ReadLabel());
      TRY_READ(name, in_.ReadString());
      src_.SourceName = name;
      src_.Manufacturer = "Imported from Ease";
      Log(label + name);
      TRY(ReadBand(Version::Ease20));
      // Blank lines between records end nothing.
      TRY(SkipBlankLines(in_));
    }
    return {};
  }

  std::expected<std::string, FileError> ReadLabel() {
    TRY(SkipBlankLines(in_));
    return in_.ReadString();
  }

  // A label and the number after it; `line` receives the number's line.
  std::expected<float, FileError> ReadLabelled(int* line = nullptr) {
    TRY(ReadLabel());
    TRY_READ(value, in_.ReadSingle());
    if (line) *line = in_.ItemLine();
    return value;
  }

  // The record from the frequency on: the scalars, the flag and, when the flag
  // is set, the attenuation grid.
  std::expected<void, FileError> ReadBand(Version version) {
    TRY_READ(frequencyLabel, ReadLabel());
    TRY_READ(hz, in_.ReadSingle());
    if (version == Version::Ease20) Log(frequencyLabel + SingleText(hz, Lead::None));
    const int k = BandOfFrequency(static_cast<double>(hz));
    if (k == 0) {
      // A third-octave export still brings its octave bands.
      Log("Frequency  =" + SingleText(hz) + " Hz is no octave band centre - skipped");
      return SkipBand(version == Version::Ease30 ? kGridValues30 : kGridValues20);
    }
    Log("Frequency  =" + SingleText(BandFreq(k)) + " Hz");

    TRY_READ(sensitivity, ReadLabelled());
    src_.Sensitivity(k) = sensitivity;
    Log("Sensitivity=" + SingleText(sensitivity) + " dB SPL @1W&1m");
    TRY_READ(impedance, ReadLabelled());
    src_.Impedance(k) = impedance;
    Log("Impedance  =" + SingleText(impedance) + " Ohms");
    TRY_READ(q, ReadLabelled());
    src_.DirQ(k) = q;
    Log("Q          =" + SingleText(q));
    TRY_READ(efficiency, ReadLabelled());
    if (efficiency <= 0.0f) efficiency = 0.5f;
    src_.Efficiency(k) = efficiency;
    Log("Efficiency =" + SingleText(efficiency) + " %");

    int powerLine = 0;
    TRY_READ(power, ReadLabelled(&powerLine));
    if (!(power > 0.0f)) {
      return std::unexpected(in_.ErrorAt(
          powerLine, "the electrical power must be above 0 W to give a sound power level, found " +
                         SingleText(power, Lead::None)));
    }
    // The acoustic power P * efficiency in dB re 1 pW; both factors are
    // finite floats, so the product stays far inside the double range.
    const double acoustic = static_cast<double>(power) * static_cast<double>(efficiency) / 100.0;
    src_.Lw(k) = static_cast<float>(Decibels(acoustic / 1e-12));
    Log("Power Lev. =" + SingleText(src_.Lw(k)) + " dB (re 1pW)");

    TRY(ReadLabel());
    TRY_READ(flag, in_.ReadInteger());
    src_.BandPresent(k) = flag;
    Log("Band no." + IntText(k) + " - Data are:");
    Log("");
    if (flag == 0) {
      src_.Lw(k) = 0.0f;
      Log("Band no." + IntText(k) + " EMPTY !!!");
      return {};
    }
    if (version == Version::Ease30) {
      TRY(ReadGrid30(k));
    } else {
      TRY(ReadGrid20(k));
    }
    Log("");
    ++bandsRead_;
    Log("Computed Directivity = " + SingleText(src_.BalloonData(0, 0, k)));
    return {};
  }

  // Passes over a record whose frequency names no band; its numbers must
  // still be numbers.
  std::expected<void, FileError> SkipBand(int gridValues) {
    for (int i = 0; i < 5; ++i) TRY(ReadLabelled());
    TRY(ReadLabel());
    TRY_READ(flag, in_.ReadInteger());
    if (flag == 0) return {};
    for (int i = 0; i < gridValues; ++i) TRY(in_.ReadSingle());
    return {};
  }

  // One attenuation (dB below the axis) as a linear intensity ratio.
  std::expected<float, FileError> ReadIntensity() {
    TRY_READ(x, in_.ReadSingle());
    const double v = std::pow(10.0, -static_cast<double>(x) / 10.0);
    if (!(v <= static_cast<double>(std::numeric_limits<float>::max()))) {
      return std::unexpected(in_.ErrorAt(
          in_.ItemLine(), "the attenuation " + SingleText(x, Lead::None) + " dB is out of range"));
    }
    return static_cast<float>(v);
  }

  // The mean level over the sphere must be above zero to divide by.
  std::expected<void, FileError> CheckSum(double d, int gridLine, int k) const {
    if (d > 0.0) return {};
    return std::unexpected(in_.ErrorAt(
        gridLine, "the directivity data of the " + SingleText(BandFreq(k), Lead::None) +
                      " Hz band hold no level: every attenuation is too large"));
  }

  void Normalise(int k, int plots, int points, double factor) {
    for (int p = 0; p < plots; ++p) {
      for (int a = 0; a < points; ++a) {
        float& cell = src_.BalloonData(p, a, k);
        cell = static_cast<float>(factor * static_cast<double>(cell));
      }
    }
  }

  void LogTable(int k, int plots, int points) {
    std::string line;
    for (int p = 0; p < plots; ++p) {
      line.clear();
      for (int a = 0; a < points; ++a) AppendLogCell(line, src_.BalloonData(p, a, k));
      Log(line);
    }
  }

  // Half-planes r = -9..9 at 10·r degrees about the axis, each from the axis
  // to the rear. Half-plane r >= 0 is the first half of plot r; r < 0 the
  // second half of plot r + 18. The other half of the sphere is the mirror
  // image in the plane through the axis and the 90-degree direction.
  std::expected<void, FileError> ReadGrid30(int k) {
    Balloon& b = src_.BalloonData;
    double d = 0.0;
    int gridLine = 0;
    for (int r = -9; r <= 9; ++r) {
      for (int a = 0; a <= kRearAngle; ++a) {
        TRY_READ(v, ReadIntensity());
        if (gridLine == 0) gridLine = in_.ItemLine();
        if (r >= 0) {
          b(r, a, k) = v;
        } else {
          b(r + 18, a == 0 ? 0 : 36 - a, k) = v;
        }
        // Half-planes -9 and 9 together make the one plane at 90 degrees.
        const double share = (r == -9 || r == 9) ? 0.5 : 1.0;
        d += share * static_cast<double>(v) * static_cast<double>(weight_(a));
      }
    }
    TRY(CheckSum(d, gridLine, k));
    for (int a = 1; a < kRearAngle; ++a) {
      b(0, 36 - a, k) = b(0, a, k);
      for (int r = -8; r <= -1; ++r) b(-r, 36 - a, k) = b(r + 18, 36 - a, k);
      for (int r = 1; r <= 8; ++r) b(18 - r, a, k) = b(r, a, k);
    }
    // D / 18 is the mean over the sphere: the half read stands for the whole.
    Normalise(k, kPlots, kPoints, 18.0 / d);
    LogTable(k, kPlots, kPoints);
    return {};
  }

  // Half-planes r = 0..9 (a quarter of the sphere); the rest follows by
  // symmetry about the planes of plot 0 and plot 9.
  std::expected<void, FileError> ReadGrid20(int k) {
    Balloon& b = src_.BalloonData;
    double d = 0.0;
    int gridLine = 0;
    for (int r = 0; r <= 9; ++r) {
      for (int a = 0; a <= kRearAngle; ++a) {
        TRY_READ(v, ReadIntensity());
        if (gridLine == 0) gridLine = in_.ItemLine();
        b(r, a, k) = v;
        const double share = (r == 0 || r == 9) ? 0.5 : 1.0;
        d += share * static_cast<double>(v) * static_cast<double>(weight_(a));
      }
    }
    TRY(CheckSum(d, gridLine, k));
    // D / 9 is the mean over the quarter read.
    const double factor = 9.0 / d;
    for (int r = 0; r <= 9; ++r) {
      for (int a = 0; a <= kRearAngle; ++a) {
        const float v = static_cast<float>(factor * static_cast<double>(b(r, a, k)));
        b(r, a, k) = v;
        if (a > 0 && a < kRearAngle) b(r, 36 - a, k) = v;
        if (r > 0 && r < 9) {
          b(18 - r, a, k) = v;
          if (a > 0) b(18 - r, 36 - a, k) = v;
        }
      }
    }
    LogTable(k, 10, kRearAngle + 1);
    return {};
  }

  std::expected<void, FileError> Finish() {
    if (bandsRead_ == 0) return std::unexpected(FileError{path_, 0, "no band holds directivity data"});
    // The power of each record is the loudspeaker's whole power: spread it
    // over the bands that carry data.
    const double spread = Decibels(static_cast<double>(bandsRead_));
    for (int k = kLowestRangeBand; k <= kHighestRangeBand; ++k) {
      if (src_.BandPresent(k) != 0) {
        src_.Lw(k) = static_cast<float>(static_cast<double>(src_.Lw(k)) - spread);
      }
    }
    for (int k = kLowestRangeBand; k <= kHighestRangeBand; ++k) {
      if (src_.BandPresent(k) != 0) {
        src_.FirstBand = static_cast<std::int16_t>(k);
        break;
      }
    }
    for (int k = kHighestRangeBand; k >= kLowestRangeBand; --k) {
      if (src_.BandPresent(k) != 0) {
        src_.LastBand = static_cast<std::int16_t>(k);
        break;
      }
    }
    if (src_.FirstBand == 0) {
      return std::unexpected(
          FileError{path_, 0, "no band from 125 Hz to 8 kHz holds directivity data"});
    }
    src_.BandCount = static_cast<std::int16_t>(src_.LastBand - src_.FirstBand + 1);
    const LocalTime now = platform_.Now();
    src_.SourceTime = TimeText(now);
    src_.SourceDate = DateText(now);
    src_.SourceKind = 1.0f;
    return {};
  }

  AppState& state_;
  Platform& platform_;
  Source& src_;
  std::string_view bytes_;
  const std::string& path_;
  FieldReader in_;
  Indexed<float, 0, 18> weight_;
  int bandsRead_ = 0;  // bands whose attenuation grid was read
};

}  // namespace

std::expected<void, FileError> ImportEaseFile(AppState& state, Platform& platform,
                                              const std::string& path) {
  platform.ShowTextLog();
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::unexpected(bytes.error());
  // Read into a copy so that a file that fails part-way leaves nothing behind.
  Source work = state.src;
  EaseReader reader(state, platform, work, WithoutTrailingBlanks(*bytes), path);
  TRY_READ(is30, reader.IsVersion30());
  auto result = is30 ? reader.Read30() : reader.Read20();
  if (!result) return result;
  state.src = std::move(work);
  return {};
}

}  // namespace fonderel
