#include "import/ModelerImport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "core/BandTables.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "import/ImportCommon.h"

namespace fonderel {
namespace {

// The Modeler file: six blocks of 418 bytes for the bands 125 Hz (band 3) to
// 4 kHz (band 8), then the loudspeaker's name. Numbers are signed 16-bit
// words, most significant byte first.
constexpr int kModelerFirstBand = 3;
constexpr int kModelerLastBand = 8;
constexpr int kModelerBands = kModelerLastBand - kModelerFirstBand + 1;
constexpr std::size_t kBlockBytes = 418;
constexpr std::size_t kNameOffset = 2510;  // two bytes after the last block

// Offsets inside a band's block.
constexpr std::size_t kAttenuationsAt = 2;
constexpr std::size_t kFrequencyAt = 382;
constexpr std::size_t kFlagAt = 394;

// The attenuation grid: a quarter of the sphere, half-planes r = 0..9 (0 to 90
// degrees about the axis) of angles a = 0..18 from the axis, in tenths of a dB.
constexpr int kHalfPlanes = 10;
constexpr int kAngles = 19;

std::size_t BlockOffset(int band) {
  return kBlockBytes * static_cast<std::size_t>(band - kModelerFirstBand);
}

std::string ByteText(std::size_t offset) {
  return "byte " + std::to_string(offset);
}

// Big-endian reads from the file's bytes. Every read is checked against the
// end of the bytes first; an error names the byte where the read started.
class ByteCursor {
 public:
  ByteCursor(std::string_view bytes, const std::string& path) : bytes_(bytes), path_(path) {}

  void Seek(std::size_t offset) { pos_ = offset; }
  // The byte after the last one read; also the 1-based position of that last byte.
  std::size_t Position() const { return pos_; }

  std::expected<std::int16_t, FileError> ReadWord(std::string_view what) {
    TRY(Need(2, what));
    const auto hi = static_cast<unsigned char>(bytes_[pos_]);
    const auto lo = static_cast<unsigned char>(bytes_[pos_ + 1]);
    pos_ += 2;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((hi << 8) | lo));
  }

  std::expected<unsigned char, FileError> ReadByte(std::string_view what) {
    TRY(Need(1, what));
    return static_cast<unsigned char>(bytes_[pos_++]);
  }

  std::expected<std::string, FileError> ReadText(std::size_t count, std::string_view what) {
    TRY(Need(count, what));
    std::string text(bytes_.substr(pos_, count));
    pos_ += count;
    return text;
  }

  FileError ErrorAt(std::size_t offset, std::string_view message) const {
    return {path_, 0, ByteText(offset) + ": " + std::string(message)};
  }

 private:
  std::expected<void, FileError> Need(std::size_t count, std::string_view what) const {
    if (pos_ <= bytes_.size() && count <= bytes_.size() - pos_) return {};
    return std::unexpected(ErrorAt(pos_, "the file ends before " + std::string(what) +
                                             " (the file has " + std::to_string(bytes_.size()) +
                                             " bytes)"));
  }

  std::string_view bytes_;
  const std::string& path_;
  std::size_t pos_ = 0;
};

// A cell of the band table in the log: " #0.00", right-aligned in six characters
// and cut to them.
void AppendCell(std::string& line, float value) {
  const std::string text = "     " + FormatNumber(value, " #0.00");
  line.append(text, text.size() - 6, 6);
}

class ModelerReader {
 public:
  ModelerReader(Source& src, TextLog& log, std::string_view bytes, const std::string& path)
      : src_(src), log_(log), in_(bytes, path), zone_(ZoneWeight()) {}

  std::expected<void, FileError> Read() {
    in_.Seek(0);
    TRY_READ(first, in_.ReadWord("the first word"));
    log_.AddLogLine(IntText(first));
    for (int k = kModelerFirstBand; k <= kModelerLastBand; ++k) TRY(ReadBand(k));
    if (bandsRead_ == 0) {
      return std::unexpected(
          in_.ErrorAt(kFlagAt, "every band flag is 0; the file holds no band data"));
    }
    const double spread = Decibels(bandsRead_);
    for (int k = kModelerFirstBand; k <= kModelerLastBand; ++k) {
      if (src_.BandPresent(k) != kFalse) {
        src_.Lw(k) = static_cast<float>(static_cast<double>(src_.Lw(k)) - spread);
      }
    }
    for (int k = kModelerFirstBand; k <= kModelerLastBand && src_.FirstBand == 0; ++k) {
      if (src_.BandPresent(k) != kFalse) src_.FirstBand = static_cast<std::int16_t>(k);
    }
    for (int k = kModelerLastBand; k >= kModelerFirstBand && src_.LastBand == 0; --k) {
      if (src_.BandPresent(k) != kFalse) src_.LastBand = static_cast<std::int16_t>(k);
    }
    src_.BandCount = static_cast<std::int16_t>(src_.LastBand - src_.FirstBand + 1);

    in_.Seek(kNameOffset);
    TRY_READ(length, in_.ReadByte("the length of the loudspeaker's name"));
    TRY_READ(name, in_.ReadText(length, "the end of the loudspeaker's name"));
    log_.AddLogLine("Speaker Name: " + name);
    src_.SourceName = std::move(name);
    src_.SourceKind = 1.0f;
    return {};
  }

 private:
  std::expected<void, FileError> ReadBand(int k) {
    const std::size_t block = BlockOffset(k);
    in_.Seek(block + kFlagAt);
    const std::string bandName = "band " + std::to_string(k);
    TRY_READ(flag, in_.ReadWord("the flag of " + bandName));
    if (flag == 0) {
      src_.Lw(k) = 0.0f;
      log_.AddLogLine("Band no." + IntText(k) + " EMPTY !!!");
      return {};
    }
    if (flag != 1) {
      return std::unexpected(in_.ErrorAt(block + kFlagAt, "the flag of " + bandName + " is " +
                                                              std::to_string(flag) +
                                                              "; expected 0 (empty) or 1 (data)"));
    }
    src_.BandPresent(k) = kTrue;

    TRY(ReadAttenuations(k, block));

    const std::string of = " of " + bandName;
    in_.Seek(block + kFrequencyAt);
    TRY_READ(frequency, in_.ReadWord("the frequency" + of));
    TRY_READ(sensitivity, in_.ReadWord("the sensitivity" + of));
    TRY_READ(impedance, in_.ReadWord("the impedance" + of));
    const std::size_t dirQAt = in_.Position();
    TRY_READ(dirQ, in_.ReadWord("the directivity factor" + of));
    const std::size_t efficiencyAt = in_.Position();
    TRY_READ(efficiency, in_.ReadWord("the efficiency" + of));
    const std::size_t powerAt = in_.Position();
    TRY_READ(power, in_.ReadWord("the electrical power" + of));
    log_.AddLogLine("LOC = " + IntText(static_cast<long>(in_.Position())));

    // Q, efficiency and power have logarithms taken of them (the directivity
    // index, the power level): they must be positive.
    if (dirQ <= 0) {
      return std::unexpected(in_.ErrorAt(dirQAt, "the directivity factor" + of + " is " +
                                                     SingleText(dirQ / 10.0f, Lead::None) +
                                                     "; it must be above 0"));
    }
    if (efficiency <= 0) {
      return std::unexpected(
          in_.ErrorAt(efficiencyAt, "the efficiency" + of + " is " +
                                        SingleText(efficiency / 10.0f, Lead::None) +
                                        " %; a power level needs an efficiency above 0"));
    }
    if (power <= 0) {
      return std::unexpected(in_.ErrorAt(powerAt, "the electrical power" + of + " is " +
                                                      SingleText(power / 10.0f, Lead::None) +
                                                      " W; a power level needs a power above 0"));
    }
    // The file's frequency word is reported as read; the bands themselves are
    // the fixed octaves 125 Hz to 4 kHz.
    const float hz = static_cast<float>(frequency);
    src_.Sensitivity(k) = static_cast<float>(sensitivity) / 10.0f;
    src_.Impedance(k) = static_cast<float>(impedance) / 10.0f;
    src_.DirQ(k) = static_cast<float>(dirQ) / 10.0f;
    src_.Efficiency(k) = static_cast<float>(efficiency) / 10.0f;
    const float watts = static_cast<float>(power) / 10.0f;
    src_.Lw(k) = static_cast<float>(Decibels(
        static_cast<double>(watts) * static_cast<double>(src_.Efficiency(k)) / 100.0 / 1e-12));

    log_.AddLogLine("Band no." + IntText(k) + " - Data are:");
    for (int p = 0; p < kHalfPlanes; ++p) {
      std::string line;
      line.reserve(6 * kAngles);
      for (int a = 0; a < kAngles; ++a) AppendCell(line, src_.BalloonData(p, a, k));
      log_.AddLogLine(line);
    }
    log_.AddLogLine("");
    log_.AddLogLine("Frequency  =" + SingleText(hz) + " Hz");
    log_.AddLogLine("Sensitivity=" + SingleText(src_.Sensitivity(k)) + " dB SPL @1W&1m");
    log_.AddLogLine("Impedance  =" + SingleText(src_.Impedance(k)) + " Ohms");
    log_.AddLogLine("Q          =" + SingleText(src_.DirQ(k)));
    log_.AddLogLine("Computed Directivity = " + SingleText(src_.BalloonData(0, 0, k)));
    log_.AddLogLine("Efficiency =" + SingleText(src_.Efficiency(k)) + " %");
    log_.AddLogLine("Power Lev. =" + SingleText(src_.Lw(k)) + " dB (re 1pW)");
    log_.AddLogLine("");
    ++bandsRead_;
    return {};
  }

  // Reads the quarter grid of band k into plots 0..9, points 0..18, then
  // normalises it to the mean over the sphere and mirrors it about the planes
  // of plot 0 and plot 9 into every cell of the band.
  std::expected<void, FileError> ReadAttenuations(int k, std::size_t block) {
    const std::string what = "the attenuations of band " + std::to_string(k);
    in_.Seek(block + kAttenuationsAt);
    double sum = 0.0;  // D: the weighted sum of the quarter read
    for (int r = 0; r < kHalfPlanes; ++r) {
      for (int a = 0; a < kAngles; ++a) {
        const std::size_t at = in_.Position();
        TRY_READ(x, in_.ReadWord(what));
        const double v = std::pow(10.0, -static_cast<double>(x) / 100.0);
        if (!(v <= static_cast<double>(std::numeric_limits<float>::max()))) {
          return std::unexpected(in_.ErrorAt(
              at, "the attenuation " + std::to_string(x) + " of band " + std::to_string(k) + " (" +
                      SingleText(-x / 10.0f, Lead::None) +
                      " dB above the axis) gives an intensity beyond the single-precision range"));
        }
        const float cell = static_cast<float>(v);
        src_.BalloonData(r, a, k) = cell;
        // Half-planes 0 and 9 lie on the planes of symmetry: each stands for
        // half of what an inner half-plane does.
        const double share = (r == 0 || r == kHalfPlanes - 1) ? 0.5 : 1.0;
        sum += share * static_cast<double>(cell) * static_cast<double>(zone_(a));
      }
    }
    if (!(sum > 0.0)) {
      return std::unexpected(
          in_.ErrorAt(block + kAttenuationsAt, "every attenuation of band " + std::to_string(k) +
                                                   " is too large to give an intensity; the band's "
                                                   "mean intensity is 0"));
    }
    // D/9 is the mean over the quarter read (nine inner half-planes' worth).
    for (int r = 0; r < kHalfPlanes; ++r) {
      for (int a = 0; a < kAngles; ++a) {
        const float value =
            static_cast<float>(9.0 * static_cast<double>(src_.BalloonData(r, a, k)) / sum);
        src_.BalloonData(r, a, k) = value;
        if (a > 0 && a < kAngles - 1) src_.BalloonData(r, kPoints - a, k) = value;
        if (r > 0 && r < kHalfPlanes - 1) {
          src_.BalloonData(kPlots - r, a, k) = value;
          if (a > 0) src_.BalloonData(kPlots - r, kPoints - a, k) = value;
        }
      }
    }
    return {};
  }

  Source& src_;
  TextLog& log_;
  ByteCursor in_;
  Indexed<float, 0, 18> zone_;
  int bandsRead_ = 0;  // N: the bands whose data were read
};

static_assert(kNameOffset == kBlockBytes * kModelerBands + 2);

}  // namespace

std::expected<void, FileError> ImportModelerFile(AppState& state, Platform& platform,
                                                 const std::string& path) {
  platform.SetBusy(true);
  platform.ShowTextLog();
  state.AddLogLine("");
  state.AddLogLine("Import a Modeler 3.X speaker file from: " + path);
  state.AddLogLine("");
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    platform.SetBusy(false);
    return std::unexpected(bytes.error());
  }
  // Read into a copy so that a file that fails part-way leaves nothing behind.
  Source work = state.src;
  ModelerReader reader(work, state.log, *bytes, path);
  auto result = reader.Read();
  platform.SetBusy(false);
  if (!result) return result;
  const LocalTime now = platform.Now();
  work.SourceDate = DateText(now);
  work.SourceTime = TimeText(now);

  // A cancelled box leaves the manufacturer empty; the import stands.
  const auto manufacturer =
      platform.InputBox("Modeler File has been loaded",
                        "Speaker Name:\r" + work.SourceName + "\r\rEnter Manufacturer", "");
  work.Manufacturer = manufacturer.value_or("");
  state.src = std::move(work);
  return {};
}

}  // namespace fonderel
