// The texts of the Info and DATAs tables, cell by cell.
#pragma once

#include <string>
#include <vector>

#include "core/Platform.h"
#include "core/Source.h"

namespace fonderel {


// The frequency label of band i: " 125 Hz" (with " Hz") or " 125".
std::string FrequencyLabel(int band, bool withHz = true);
// An angle label: " 10°" (the degree sign as a Windows-1252 byte).
std::string AngleLabel(int degrees);

// The Info table: six rows of 13 cells (label, ten bands, Lin, A).
TextTable InfoTable(const Source& src);
// The DATAs table of band b: 19 rows of 37 cells.
TextTable DataTable(const Source& src, int band);

// A table as the grid takes it: cells joined by tabs, one text per row.
std::vector<std::string> RowTexts(const TextTable& table);

// The directivity shown in the Info table: truncated to two decimals.
double TruncatedDirectivity(float dirQ);

}  // namespace fonderel
