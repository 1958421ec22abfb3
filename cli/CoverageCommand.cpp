#include "CoverageCommand.h"

#include <memory>
#include <nlohmann/json.hpp>

#include "JsonNumbers.h"
#include "core/NumberText.h"
#include "views/Coverage.h"

namespace fonderel {
namespace {

struct CoverageOptions {
  std::string file;
  bool json = false;
};

nlohmann::json Optional(const std::optional<double>& value) {
  return value ? DoubleJson(*value) : nlohmann::json(nullptr);
}

std::string Cell(const std::optional<double>& value, const char* pattern, std::size_t width) {
  return RightAlign(value ? FormatNumber(*value, pattern) : std::string("-"), width);
}

void PrintCoverage(const std::vector<BandCoverage>& bands, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const BandCoverage& c : bands) {
      list.push_back({{"band", c.band},
                      {"frequency", FloatJson(c.frequency)},
                      {"horizontal", Optional(c.horizontal)},
                      {"vertical", Optional(c.vertical)},
                      {"DI", Optional(c.DI)}});
    }
    out << nlohmann::json{{"bands", std::move(list)}}.dump(2) << '\n';
    return;
  }
  out << "Band Freq (Hz)  H (deg)  V (deg)  DI (dB)\n";
  for (const BandCoverage& c : bands) {
    out << RightAlign(std::to_string(c.band), 4) << RightAlign(SingleText(c.frequency, Lead::None), 10)
        << Cell(c.horizontal, "##0.0", 9) << Cell(c.vertical, "##0.0", 9) << Cell(c.DI, "###0.00", 9)
        << '\n';
  }
}

}  // namespace

SubCommand AddCoverageCommand(CLI::App& app) {
  auto options = std::make_shared<CoverageOptions>();
  CLI::App* command = app.add_subcommand(
      "coverage",
      "Print the -6 dB coverage angles of the horizontal and vertical planes and the "
      "directivity index, per band with data.");
  command->add_option("FILE", options->file, "Source file to read")->required();
  command->add_flag("--json", options->json,
                    R"(The object {"bands": [{"band", "frequency", "horizontal", "vertical", "DI"}]})");
  AddImportAnswers(command);
  return {command, [options](AppState& state, CliPlatform& platform, const Io& io) {
            int status = 0;
            if (!Load(state, platform, options->file, io, status)) return status;
            PrintCoverage(ComputeCoverage(state.src), options->json, io.out);
            return 0;
          }};
}

}  // namespace fonderel
