#include "CompareCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>

#include "CliUsage.h"
#include "JsonNumbers.h"
#include "compare/SourceCompare.h"
#include "core/NumberText.h"

namespace fonderel {
namespace {

// The tolerance as typed: "0.1", "2".
std::string ToleranceText(double db) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, db).ptr);
}

std::string Db(double value) {
  return FormatNumber(value, "###0.00");
}

std::string Presence(const BandDifference& d) {
  if (d.inA && d.inB) return "both";
  return d.inA ? "only in A" : "only in B";
}

void PrintTable(const std::vector<BandDifference>& rows, double tolerance, std::ostream& out) {
  const char* heads[] = {"Band",         "Freq (Hz)", "Data",  "dLw (dB)", "dQ (dB)",
                         "Balloon (dB)", "Plot",      "Point", ""};
  const std::size_t widths[] = {4, 10, 11, 10, 9, 13, 6, 6, 8};
  for (std::size_t i = 0; i + 1 < std::size(heads); ++i) out << RightAlign(heads[i], widths[i]);
  out << '\n';
  int outside = 0;
  for (const BandDifference& d : rows) {
    const bool within = d.Within(tolerance);
    outside += within ? 0 : 1;
    const bool both = d.inA && d.inB;
    const std::string cells[] = {std::to_string(d.band),
                                 SingleText(BandFreq(d.band), Lead::None),
                                 Presence(d),
                                 both ? Db(d.lw) : "",
                                 both ? Db(d.q) : "",
                                 both ? Db(d.balloon) : "",
                                 both ? std::to_string(d.plot) : "",
                                 both ? std::to_string(d.point) : "",
                                 within ? "" : "OUTSIDE"};
    for (std::size_t i = 0; i < std::size(cells); ++i) {
      if (!cells[i].empty() || i + 1 < std::size(cells)) out << RightAlign(cells[i], widths[i]);
    }
    out << '\n';
  }
  if (outside == 0) {
    out << "All " << rows.size() << " bands within " << ToleranceText(tolerance) << " dB\n";
  }
}
nlohmann::json Json(const std::vector<BandDifference>& rows, double tolerance) {
  nlohmann::json bands = nlohmann::json::array();
  bool all = true;
  for (const BandDifference& d : rows) {
    const bool within = d.Within(tolerance);
    all = all && within;
    nlohmann::json row = {{"band", d.band},
                          {"BandFreq", FloatJson(BandFreq(d.band))},
                          {"inA", d.inA},
                          {"inB", d.inB},
                          {"within", within}};
    if (d.inA && d.inB) {
      row["dLw"] = DoubleJson(d.lw);
      row["dQ"] = DoubleJson(d.q);
      row["balloon"] = DoubleJson(d.balloon);
      row["plot"] = d.plot;
      row["point"] = d.point;
    }
    bands.push_back(std::move(row));
  }
  return {{"tolerance", DoubleJson(tolerance)}, {"within", all}, {"bands", std::move(bands)}};
}

}  // namespace

SubCommand AddCompareCommand(CLI::App& app) {
  struct Args {
    std::string a, b;
    bool json = false;
    double tolerance = 0.1;
  };
  auto args = std::make_shared<Args>();
  CLI::App* command = app.add_subcommand(
      "compare",
      "Compare two sources band by band: the difference of Lw, of Q (in dB) and the largest "
      "difference of the balloons in dB under each band's maximum (values deeper than 50 dB "
      "count as -50 dB) with the plot and point where it lies. Exit status 0 when every band "
      "that holds data in either source is in both and within the tolerance, 1 otherwise.");
  command->add_option("A", args->a, kSourceFileHelp)->required();
  command->add_option("B", args->b, kSourceFileHelp)->required();
  command->add_flag("--json", args->json,
                    "Print one JSON object instead: the tolerance, whether all bands are within "
                    "it, and per band its presence, dLw, dQ, balloon (dB), plot and point");
  command
      ->add_option("--tolerance", args->tolerance,
                   "Largest difference in dB that still counts as equal (default 0.1)")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            double db = 0;
            const char* end = text.data() + text.size();
            const auto [ptr, ec] = std::from_chars(text.data(), end, db);
            if (ec == std::errc() && ptr == end && db >= 0 && std::isfinite(db)) return {};
            return "expected a number of dB, 0 or more, found \"" + text + "\"";
          },
          "DB"));
  AddImportAnswers(command);
  return {command, [args](AppState& state, CliPlatform& platform, const Io& io) {
            int status = 0;
            if (!Load(state, platform, args->a, io, status)) return status;
            const auto a = std::make_unique<Source>(state.src);
            if (!Load(state, platform, args->b, io, status)) return status;
            const std::vector<BandDifference> rows = CompareSources(*a, state.src);
            if (args->json) {
              io.out << Json(rows, args->tolerance).dump(2) << '\n';
            } else {
              PrintTable(rows, args->tolerance, io.out);
            }
            const auto outside = std::ranges::count_if(
                rows, [&](const BandDifference& d) { return !d.Within(args->tolerance); });
            if (outside == 0) return 0;
            io.err << "fonderel-cli: compare: " << outside << " of " << rows.size()
                   << " bands differ by more than " << ToleranceText(args->tolerance)
                   << " dB or are missing\n";
            return kFileFailure;
          }};
}

}  // namespace fonderel
