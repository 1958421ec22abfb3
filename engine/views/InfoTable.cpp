#include "views/InfoTable.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "core/NumberText.h"
#include "views/PowerTotals.h"

namespace fonderel {

std::string FrequencyLabel(int band, bool withHz) {
  return SingleText(BandFreq(band)) + (withHz ? " Hz" : "");
}

std::string AngleLabel(int degrees) { return IntText(degrees) + "\xB0"; }

double TruncatedDirectivity(float dirQ) {
  // The largest multiple of 0.01 not above the value as the user sees it:
  // cut on the float's shortest decimal text, so 1.15f (1.1499999...) stays 1.15.
  if (!std::isfinite(dirQ)) return dirQ;
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf, dirQ, std::chars_format::fixed).ptr;
  const std::string_view text(buf, static_cast<std::size_t>(end - buf));
  const std::size_t point = text.find('.');
  std::string_view kept = text;
  bool dropped = false;
  if (point != std::string_view::npos && text.size() > point + 3) {
    kept = text.substr(0, point + 3);
    dropped = text.substr(point + 3).find_first_not_of('0') != std::string_view::npos;
  }
  double value = 0;
  std::from_chars(kept.data(), kept.data() + kept.size(), value);
  if (dirQ < 0 && dropped) value -= 0.01;
  return value;
}

TextTable InfoTable(const Source& src) {
  constexpr const char* kPattern = "###0.00";
  TextTable t(6);
  t[0].push_back("Freq.");
  for (int i = 1; i <= kBandCount; ++i) t[0].push_back(FrequencyLabel(i, false));
  t[0].push_back("Lin");
  t[0].push_back("A");
  const char* labels[] = {"Power Level (dB)", "Directivity", "Sensitivity (dB 1W,1m)",
                          "Electr. Impedance (Ohm)", "Efficiency (%)"};
  for (int row = 1; row <= 5; ++row) {
    auto& cells = t[static_cast<std::size_t>(row)];
    cells.push_back(labels[row - 1]);
    for (int i = 1; i <= kBandCount; ++i) {
      switch (row) {
        case 1:
          cells.push_back(FormatNumber(src.Lw(i), kPattern));
          break;
        case 2:
          cells.push_back(FormatNumber(TruncatedDirectivity(src.DirQ(i)), kPattern));
          break;
        case 3:
          cells.push_back(FormatNumber(src.Sensitivity(i), kPattern));
          break;
        case 4:
          cells.push_back(FormatNumber(src.Impedance(i), kPattern));
          break;
        default:
          cells.push_back(FormatNumber(src.Efficiency(i), kPattern));
          break;
      }
    }
    if (row == 1) {
      const PowerTotals totals = ComputePowerTotals(src);
      cells.push_back(FormatNumber(totals.Lin, kPattern));
      cells.push_back(FormatNumber(totals.A, kPattern));
    } else {
      cells.push_back("");
      cells.push_back("");
    }
  }
  return t;
}

TextTable DataTable(const Source& src, int band) {
  TextTable t(19);
  t[0].push_back("Angles");
  for (int k = 0; k < kPoints; ++k) t[0].push_back(AngleLabel(10 * k));
  for (int p = 0; p < kPlots; ++p) {
    auto& cells = t[static_cast<std::size_t>(p + 1)];
    cells.push_back(AngleLabel(10 * p));
    for (int k = 0; k < kPoints; ++k) {
      cells.push_back(Balloon::Holds(band) ? FormatNumber(src.BalloonData(p, k, band), "##0.000")
                                           : std::string());
    }
  }
  return t;
}

std::vector<std::string> RowTexts(const TextTable& table) {
  std::vector<std::string> rows;
  for (const auto& cells : table) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) row += '\t';
      row += cells[i];
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace fonderel
