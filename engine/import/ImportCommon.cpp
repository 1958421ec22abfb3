#include "import/ImportCommon.h"

namespace fonderel {
namespace {

std::string TwoDigits(int v) {
  std::string s = std::to_string(v % 100);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::string DateText(const LocalTime& t) {
  std::string year = std::to_string(t.year);
  while (year.size() < 4) year.insert(year.begin(), '0');
  return TwoDigits(t.month) + "-" + TwoDigits(t.day) + "-" + year;
}

std::string TimeText(const LocalTime& t) {
  return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

void ClearBandData(Source& src) {
  src.FirstBand = src.LastBand = 0;
  for (int band = 1; band <= kBandCount; ++band) {
    src.BandPresent(band) = kFalse;
    src.DirQ(band) = src.Lw(band) = src.Sensitivity(band) = 0;
    src.Efficiency(band) = src.Impedance(band) = 0;
    src.BalloonData.ClearBand(band);
  }
  src.Lw(11) = src.Lw(12) = 0;
}

}  // namespace fonderel
