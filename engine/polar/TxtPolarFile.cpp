// One-third-octave H/V polar plots (TXT): a title line, 36 horizontal records,
// then 36 vertical records; each record is an angle and 29 one-third-octave
// levels, summed on an energy basis into the ten octaves: the first two values
// into band 1, every next three into the next band.
#include <cmath>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/Try.h"
#include "polar/PolarFiles.h"

namespace fonderel {
namespace {

constexpr int kThirdOctaves = 29;

std::expected<void, FileError> ReadPlot(FieldReader& in, PolarPlot& plot) {
  for (int k = 0; k < kPoints; ++k) {
    TRY(in.ReadSingle());  // the angle, not used
    for (int b = 1; b <= kBandCount; ++b) {
      const int parts = b == 1 ? 2 : 3;
      double sum = 0.0;
      for (int i = 0; i < parts; ++i) {
        TRY_READ(level, in.ReadSingle());
        sum += std::pow(10.0, static_cast<double>(level) / 10.0);
      }
      // The tables hold decibels, as the interpolation takes them.
      const float octave = static_cast<float>(Decibels(sum));
      if (!std::isfinite(octave)) {
        return std::unexpected(in.ErrorAt(
            in.ItemLine(), "the one-third-octave levels of " + SingleText(BandFreq(b), Lead::None) +
                               " Hz at " + std::to_string(10 * k) +
                               " degrees give no finite octave level"));
      }
      plot(k, b) = octave;
    }
  }
  return {};
}

}  // namespace

std::expected<PolarTables, FileError> ReadTxtPolar(std::string_view bytes, const std::string& file) {
  static_assert(2 + 3 * (kBandCount - 1) == kThirdOctaves);
  FieldReader in(bytes, file);
  TRY(in.SkipLine());
  PolarTables tables;
  TRY(ReadPlot(in, tables.HorizPolar));
  TRY(ReadPlot(in, tables.VertPolar));
  return tables;
}

}  // namespace fonderel
