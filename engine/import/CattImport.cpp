// The CATT SD1 text reader. The file is line-oriented up to line 9:
//   1  "CATT-SD1"            2  "VERSION = 1"
//   3  "...=" name           4  ignored
//   5  "...<" band centres separated by single blanks
//   6  one level per band, 5 characters at column 18 + 6·i
//   7..9 ignored
// then per band two ignored lines and 684 attenuations (dB) in list form, half-
// plane h = 0..35 outer, angle a = 0..18 inner. Each band's full-sphere grid is
// mapped onto the 18 × 36 balloon, normalised to its weighted mean, and gives
// the band's Q and its power level.
#include "import/CattImport.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>

#include "core/BandTables.h"
#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "import/ImportCommon.h"

namespace fonderel {
namespace {

constexpr int kHalfPlanes = 36;           // h = 0..35, every 10 degrees about the axis
constexpr int kAngles = 19;               // a = 0..18, every 10 degrees from the axis
constexpr std::size_t kLevelColumn = 17;  // 0-based start of the first level field
constexpr std::size_t kLevelStep = 6;
constexpr std::size_t kLevelWidth = 5;

constexpr const char* kNotSd1Text =
    "The TXT file does not appear to be a valid export file from CATT in SD1 format";
constexpr const char* kNotVersion1Text = "The TXT file does not contains Version 1 SD1 format";

// One band's grid as read: the intensity of each (half-plane, angle) and the
// line it came from, for errors.
struct Grid {
  std::array<std::array<float, kAngles>, kHalfPlanes> v{};
  std::array<std::array<int, kAngles>, kHalfPlanes> line{};
};

class CattReader {
 public:
  CattReader(Source& src, AppState& state, Platform& platform, std::string_view bytes,
             const std::string& path)
      : src_(src), state_(state), platform_(platform), in_(bytes, path), weight_(ZoneWeight()) {}

  // Lines 1 and 2. A wrong line is refused with the reader's own message,
  // which the message box shows without the file's name.
  std::expected<void, FileError> CheckFormat() {
    TRY_READ(first, in_.ReadLine());
    if (first != "CATT-SD1") return FormatError(1, kNotSd1Text);
    TRY_READ(second, in_.ReadLine());
    if (second != "VERSION = 1") return FormatError(2, kNotVersion1Text);
    return {};
  }

  std::expected<void, FileError> Read() {
    TRY(ReadName());
    TRY(in_.SkipLine());
    TRY(ReadBandList());
    TRY(ReadLevels());
    for (int i = 0; i < 3; ++i) TRY(in_.SkipLine());
    for (int k = src_.FirstBand; k <= src_.LastBand; ++k) TRY(ReadBand(k));
    src_.BandCount = static_cast<std::int16_t>(src_.LastBand - src_.FirstBand + 1);
    const LocalTime now = platform_.Now();
    src_.SourceTime = TimeText(now);
    src_.SourceDate = DateText(now);
    src_.SourceKind = 1.0f;
    return {};
  }

 private:
  std::unexpected<FileError> FormatError(int line, const char* text) {
    FileError error = in_.ErrorAt(line, text);
    error.ownMessage = true;
    return std::unexpected(std::move(error));
  }

  // Line 3: the name is everything after the first "=", blanks included. A
  // line without "=" gives its whole text.
  std::expected<void, FileError> ReadName() {
    TRY_READ(line, in_.ReadLine());
    const std::size_t mark = line.find('=');
    src_.SourceName = mark == std::string::npos ? line : line.substr(mark + 1);
    state_.AddLogLine("Source internal name = " + src_.SourceName);
    return {};
  }

  // Line 5: the first centre frequency gives the first band (band 1 when it
  // is no band centre), the number of items the band count.
  std::expected<void, FileError> ReadBandList() {
    const int lineNo = in_.Line();
    TRY_READ(line, in_.ReadLine());
    const std::size_t mark = line.find('<');
    if (mark == std::string::npos) {
      return std::unexpected(
          in_.ErrorAt(lineNo, "expected \"<\" followed by the band centre frequencies"));
    }
    const std::string_view list = std::string_view(line).substr(mark + 1);
    std::size_t items = 1;
    for (char c : list) items += c == ' ' ? 1 : 0;
    const std::string_view firstItem = list.substr(0, list.find(' '));
    const int first = BandOfFrequency(LeadingNumber(firstItem));
    const int firstBand = first == 0 ? 1 : first;
    if (items > static_cast<std::size_t>(kBandCount - firstBand + 1)) {
      return std::unexpected(in_.ErrorAt(lineNo, std::to_string(items) + " bands from " +
                                                     SingleText(BandFreq(firstBand), Lead::None) +
                                                     " Hz run past the last band, 16000 Hz"));
    }
    src_.FirstBand = static_cast<std::int16_t>(firstBand);
    src_.LastBand = static_cast<std::int16_t>(firstBand + static_cast<int>(items) - 1);
    return {};
  }

  // Line 6: the level of band number i is the number at the start of its
  // 5-character field; a field without a number (or beyond the line's end)
  // counts as 0.
  std::expected<void, FileError> ReadLevels() {
    const int lineNo = in_.Line();
    TRY_READ(line, in_.ReadLine());
    for (int k = src_.FirstBand; k <= src_.LastBand; ++k) {
      const std::size_t start =
          kLevelColumn + kLevelStep * static_cast<std::size_t>(k - src_.FirstBand);
      const std::string_view field = start < line.size()
                                         ? std::string_view(line).substr(start, kLevelWidth)
                                         : std::string_view();
      const double level = LeadingNumber(field);
      if (std::fabs(level) > std::numeric_limits<float>::max()) {
        return std::unexpected(in_.ErrorAt(
            lineNo, "level " + Quoted(field) + " of " + BandName(k) + " is out of range"));
      }
      src_.Lw(k) = static_cast<float>(level + 11.0);
    }
    return {};
  }

  static std::string BandName(int k) { return SingleText(BandFreq(k), Lead::None) + " Hz"; }

  std::expected<void, FileError> ReadGrid(int k, Grid& grid) {
    for (int h = 0; h < kHalfPlanes; ++h) {
      for (int a = 0; a < kAngles; ++a) {
        TRY_READ(x, in_.ReadSingle());
        const float v = static_cast<float>(std::pow(10.0, -static_cast<double>(x) / 10.0));
        if (!std::isfinite(v)) {
          return std::unexpected(in_.ErrorAt(
              in_.ItemLine(), "attenuation " + SingleText(x, Lead::None) + " dB of " + BandName(k) +
                                  " gives an intensity beyond the number range"));
        }
        grid.v[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)] = v;
        grid.line[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)] = in_.ItemLine();
      }
    }
    return {};
  }

  std::expected<void, FileError> ReadBand(int k) {
    state_.AddLogLine("Frequency  =" + SingleText(BandFreq(k)) + " Hz");
    src_.DirQ(k) = 0.0f;
    TRY(in_.SkipLine());
    TRY(in_.SkipLine());
    Grid grid;
    TRY(ReadGrid(k, grid));
    const int lastLine = in_.ItemLine();

    // The four groups in this order: the rear cell (point 18) of every plot is
    // written by the first or second group and then again by the third or
    // fourth. The on-axis values of half-planes 10 to 27 are not used.
    double d = 0.0;  // weighted sum of the intensities placed
    double s = 0.0;  // sum of their weights
    auto place = [&](int h, int a, int plot, int point) {
      const float v = grid.v[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)];
      src_.BalloonData(plot, point, k) = v;
      d += static_cast<double>(v) * static_cast<double>(weight_(a));
      s += static_cast<double>(weight_(a));
    };
    for (int h = 0; h <= 9; ++h)
      for (int a = 0; a <= 18; ++a) place(h, a, 9 - h, a);
    for (int h = 28; h <= 35; ++h)
      for (int a = 0; a <= 18; ++a) place(h, a, 45 - h, a);
    for (int h = 19; h <= 27; ++h)
      for (int a = 1; a <= 18; ++a) place(h, a, 27 - h, 36 - a);
    for (int h = 10; h <= 18; ++h)
      for (int a = 1; a <= 18; ++a) place(h, a, 27 - h, 36 - a);

    if (!(s > 0.0) || !(d > 0.0) || !std::isfinite(d)) {
      return std::unexpected(in_.ErrorAt(
          lastLine, "the grid of " + BandName(k) + " has no mean intensity (every value is 0)"));
    }
    const double mean = d / s;
    float dirQ = 0.0f;
    for (int p = 0; p < kPlots; ++p) {
      for (int q = 0; q < kPoints; ++q) {
        float& cell = src_.BalloonData(p, q, k);
        cell = static_cast<float>(static_cast<double>(cell) / mean);
        if (cell > dirQ) dirQ = cell;
      }
    }
    src_.DirQ(k) = dirQ;
    state_.AddLogLine("Computed Directivity = " + SingleText(dirQ));

    const float onAxis = src_.BalloonData(0, 0, k);
    if (!(onAxis > 0.0f)) {
      return std::unexpected(
          in_.ErrorAt(grid.line[9][0], "the on-axis intensity of " + BandName(k) +
                                           " is 0, so its power level has no logarithm"));
    }
    const float lw =
        static_cast<float>(static_cast<double>(src_.Lw(k)) - Decibels(static_cast<double>(onAxis)));
    if (!std::isfinite(lw) || !std::isfinite(dirQ)) {
      return std::unexpected(
          in_.ErrorAt(lastLine, "the power level of " + BandName(k) + " is out of range"));
    }
    src_.Lw(k) = lw;
    state_.AddLogLine("Pow.Level  =" + SingleText(lw) + " dB");
    src_.BandPresent(k) = 1;
    return {};
  }

  Source& src_;
  AppState& state_;
  Platform& platform_;
  FieldReader in_;
  Indexed<float, 0, 18> weight_;
};

}  // namespace

std::expected<void, FileError> ImportCattFile(AppState& state, Platform& platform,
                                              const std::string& path) {
  platform.ShowTextLog();
  state.AddLogLine("");
  state.AddLogLine("Import a CATT SD1 speaker file from: " + path);
  state.AddLogLine("");
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::unexpected(bytes.error());

  // Read into a copy so that a file that fails part-way leaves nothing behind.
  Source work = state.src;
  CattReader reader(work, state, platform, *bytes, path);
  TRY(reader.CheckFormat());
  platform.SetBusy(true);
  auto result = reader.Read();
  platform.SetBusy(false);
  if (!result) return result;
  state.src = std::move(work);
  return {};
}

}  // namespace fonderel
