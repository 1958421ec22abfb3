// Octave H/V polar plots (PRN): a title line, 36 horizontal records, then 36
// vertical records; each record is an angle and the levels of bands 1..10.
#include "core/FieldReader.h"
#include "core/Try.h"
#include "polar/PolarFiles.h"

namespace fonderel {
namespace {

std::expected<void, FileError> ReadPlot(FieldReader& in, PolarPlot& plot) {
  for (int k = 0; k < kPoints; ++k) {
    TRY(in.ReadSingle());  // the angle: record k is at 10·k degrees whatever it says
    for (int b = 1; b <= kBandCount; ++b) {
      TRY_READ(level, in.ReadSingle());
      plot(k, b) = level;
    }
  }
  return {};
}

}  // namespace

std::expected<PolarTables, FileError> ReadPrnPolar(std::string_view bytes, const std::string& file) {
  FieldReader in(bytes, file);
  TRY(in.SkipLine());
  PolarTables tables;
  TRY(ReadPlot(in, tables.HorizPolar));
  TRY(ReadPlot(in, tables.VertPolar));
  return tables;
}

}  // namespace fonderel
