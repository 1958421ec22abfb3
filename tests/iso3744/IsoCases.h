// Case files of the ISO 3744 tests, kept under tests/data/iso3744-cases/:
// .tsv tables in the form tests/core/TableFile.h reads, and JSON.
#pragma once

#include <sstream>
#include <string>
#include <utility>

#include "app/CaseData.h"
#include "core/AppState.h"
#include "core/TableFile.h"

namespace fonderel::test {

inline std::string IsoCase(const std::string& name) { return DataPath("iso3744-cases/" + name); }

inline std::vector<Row> IsoRows(const std::string& name) { return TableRows("../iso3744-cases/" + name); }

// Member `test` of iso3744-cases/<file>.json; a missing file or member throws.
inline Json IsoJson(const std::string& file, const std::string& test) {
  return Cases("../iso3744-cases/" + file, test);
}

// First and last of "3" or "1-9"; 0 for "".
inline std::pair<int, int> Range(const std::string& r) {
  if (r.empty()) return {0, 0};
  const auto dash = r.find('-', 1);
  return {std::stoi(r), std::stoi(dash == std::string::npos ? r : r.substr(dash + 1))};
}

// Sets each member of `set` on the measurement: "DimA": 1, "RevTime 6": 1,
// "MicLp 1-9 7": -900 (microphones 1 to 9, band 7), "RecX 2": -1, ...
inline void Set(AppState& s, const nlohmann::json& set) {
  for (const auto& [key, v] : set.items()) {
    std::istringstream in(key);
    std::string name, first, second;
    in >> name >> first >> second;
    const auto [i0, i1] = Range(first);
    const auto [j0, j1] = Range(second);
    for (int i = i0; i <= i1; ++i)
      for (int j = j0; j <= j1; ++j) {
        if (name == "MicLp") s.MicLp(i, j) = v;
        else if (name == "RevTime") s.Iso.RevTime(i) = v;
        else if (name == "RecX") s.Iso.Rec.RecX(i) = v;
        else if (name == "RecY") s.Iso.Rec.RecY(i) = v;
        else if (name == "RecZ") s.Iso.Rec.RecZ(i) = v;
        else if (name == "MicCount") s.Iso.MicCount = v;
        else if (name == "NReceivers") s.Iso.Rec.NReceivers = v;
        else if (name == "MicLayoutFile") s.Iso.MicLayoutFile = v.get<std::string>();
        else if (name == "DimA") s.Iso.DimA = v;
        else if (name == "DimB") s.Iso.DimB = v;
        else if (name == "DimC") s.Iso.DimC = v;
        else if (name == "SrcZ") s.Iso.SrcZ = v;
        else if (name == "RoomVolume") s.Iso.RoomVolume = v;
        else ADD_FAILURE() << "no member " << key;
      }
  }
}

}  // namespace fonderel::test
