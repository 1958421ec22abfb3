#include "Commands.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "AttachCommand.h"
#include "CliPlatform.h"
#include "CliSupport.h"
#include "CliUsage.h"
#include "CompareCommand.h"
#include "ConvertCommand.h"
#include "ExportSofaCommand.h"
#include "CoverageCommand.h"
#include "DatasheetCommand.h"
#include "InterpolateCommand.h"
#include "CreateBzCommand.h"
#include "Iso3744Command.h"
#include "JsonNumbers.h"
#include "core/AppState.h"
#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "import/SourceFormat.h"
#include "views/InfoTable.h"
#include "views/PolarCharts.h"
#include "views/PowerTotals.h"

namespace fonderel {
namespace {

std::string Shortest(float value) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

std::string Hz(int band) { return SingleText(BandFreq(band), Lead::None) + " Hz"; }

std::string Plural(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// --- info ---------------------------------------------------------------

nlohmann::json InfoJson(const Source& src) {
  const PowerTotals totals = ComputePowerTotals(src);
  nlohmann::json j;
  j["SourceFile"] = MixedTextToUtf8(src.SourceFile);
  j["SourceName"] = Cp1252ToUtf8(src.SourceName);
  j["Manufacturer"] = Cp1252ToUtf8(src.Manufacturer);
  j["SourceDate"] = Cp1252ToUtf8(src.SourceDate);
  j["SourceTime"] = Cp1252ToUtf8(src.SourceTime);
  j["FirstBand"] = src.FirstBand;
  j["LastBand"] = src.LastBand;
  j["BandCount"] = src.BandCount;
  j["SourceKind"] = FloatJson(src.SourceKind);
  j["Lin"] = DoubleJson(totals.Lin);
  j["A"] = DoubleJson(totals.A);
  j["NFaces"] = src.NFaces;
  j["NHoles"] = src.NHoles;
  j["NDoors"] = src.NDoors;
  nlohmann::json bands = nlohmann::json::array();
  for (int b = src.FirstBand; b >= 1 && b <= src.LastBand; ++b) {
    bands.push_back({{"band", b},
                     {"BandFreq", FloatJson(BandFreq(b))},
                     {"BandPresent", src.BandPresent(b)},
                     {"Lw", FloatJson(src.Lw(b))},
                     {"DirQ", FloatJson(src.DirQ(b))},
                     {"DirectivityIndex", DoubleJson(DirectivityIndex(src.DirQ(b)))},
                     {"Sensitivity", FloatJson(src.Sensitivity(b))},
                     {"Impedance", FloatJson(src.Impedance(b))},
                     {"Efficiency", FloatJson(src.Efficiency(b))}});
  }
  j["bands"] = std::move(bands);
  return j;
}

void PrintInfo(const Source& src, std::ostream& out) {
  const PowerTotals totals = ComputePowerTotals(src);
  const auto row = [&](const char* label, const std::string& value) {
    out << label << std::string(16 - std::string_view(label).size(), ' ') << value << '\n';
  };
  row("File:", MixedTextToUtf8(src.SourceFile));
  row("Source name:", Cp1252ToUtf8(src.SourceName));
  row("Manufacturer:", Cp1252ToUtf8(src.Manufacturer));
  row("Date:", Cp1252ToUtf8(src.SourceDate));
  row("Time:", Cp1252ToUtf8(src.SourceTime));
  row("Source kind:", src.SourceKind != 0.0f ? "loudspeaker" : "noise source");
  row("Bands:", std::to_string(src.FirstBand) + ".." + std::to_string(src.LastBand) + " (" +
                    Hz(src.FirstBand) + " to " + Hz(src.LastBand) + "), " +
                    Plural(src.LastBand - src.FirstBand + 1, "band", "bands"));
  row("Overall Lw:", "Lin " + FormatNumber(totals.Lin, "###0.00") + " dB, A " +
                         FormatNumber(totals.A, "###0.00") + " dB(A)");
  row("Geometry:", Plural(src.NFaces, "face", "faces") + ", " + Plural(src.NHoles, "hole", "holes") +
                       ", " + Plural(src.NDoors, "door", "doors"));
  out << '\n';
  const char* heads[] = {"Band", "Freq (Hz)", "Lw (dB)", "Q", "DI (dB)", "Sens (dB)", "Z (ohm)",
                         "Eff (%)"};
  const std::size_t widths[] = {4, 10, 9, 8, 9, 10, 9, 9};
  for (std::size_t i = 0; i < std::size(heads); ++i) out << RightAlign(heads[i], widths[i]);
  out << '\n';
  for (int b = src.FirstBand; b >= 1 && b <= src.LastBand; ++b) {
    const std::string cells[] = {std::to_string(b),
                                 SingleText(BandFreq(b), Lead::None),
                                 FormatNumber(src.Lw(b), "###0.00"),
                                 FormatNumber(src.DirQ(b), "##0.000"),
                                 FormatNumber(DirectivityIndex(src.DirQ(b)), "###0.00"),
                                 FormatNumber(src.Sensitivity(b), "###0.00"),
                                 FormatNumber(src.Impedance(b), "###0.00"),
                                 FormatNumber(src.Efficiency(b), "###0.00")};
    for (std::size_t i = 0; i < std::size(cells); ++i) out << RightAlign(cells[i], widths[i]);
    out << '\n';
  }
}

// The Info grid's rows as its cells show them, cells separated by tabs.
void PrintInfoTable(const Source& src, std::ostream& out) {
  for (const std::string& row : RowTexts(InfoTable(src))) out << Cp1252ToUtf8(row) << '\n';
}

// --- balloon ------------------------------------------------------------

void PrintBalloon(const Source& src, int band, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json rows = nlohmann::json::array();
    for (int p = 0; p < kPlots; ++p) {
      nlohmann::json row = nlohmann::json::array();
      for (int k = 0; k < kPoints; ++k) row.push_back(FloatJson(src.BalloonData(p, k, band)));
      rows.push_back(std::move(row));
    }
    out << nlohmann::json{{"band", band}, {"BalloonData", std::move(rows)}}.dump() << '\n';
    return;
  }
  out << "# band " << band << ", " << Hz(band)
      << ": one row per polar plot (0 to 170 degrees), 36 points per row (0 to 350 degrees)\n";
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      if (k > 0) out << '\t';
      out << Shortest(src.BalloonData(p, k, band));
    }
    out << '\n';
  }
}

// --- polar --------------------------------------------------------------

void PrintPolar(const Source& src, int band, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json rows = nlohmann::json::array();
    for (int p = 0; p < kPlots; ++p) {
      nlohmann::json row = nlohmann::json::array();
      for (double v : PolarValues(src, p, band)) row.push_back(DoubleJson(v));
      rows.push_back(std::move(row));
    }
    out << nlohmann::json{{"band", band}, {"polar", std::move(rows)}}.dump() << '\n';
    return;
  }
  out << "# band " << band << ", " << Hz(band)
      << ": one row per plane (0 to 170 degrees), 36 values per row (0 to 350 degrees), 50 = the "
         "plane's maximum, 10 per 10 dB\n";
  for (int p = 0; p < kPlots; ++p) {
    const char* sep = "";
    for (double v : PolarValues(src, p, band)) {
      out << std::exchange(sep, "\t") << FormatNumber(v, "##0.00");
    }
    out << '\n';
  }
}

// False, with the message, when the loaded source holds no data for `band`.
bool BandHeld(const Source& src, const std::string& path, int band, const Io& io) {
  if (src.BandPresent(band)) return true;
  io.err << "fonderel-cli: " << path << ": band " << band << " (" << Hz(band)
         << ") holds no data; the source covers bands " << src.FirstBand << " to " << src.LastBand
         << '\n';
  return false;
}


}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  const Io io{out, err};
  CLI::App app{"Inspects and converts sound source descriptions: SPK files, and the loudspeaker "
               "files of other programs (EASE .eas, CATT SD1 .txt, CLF text .tab, Modeler .mdl or no "
               "extension, SOFA directivities .sofa).",
               "fonderel-cli"};
  const char* const sourceFileHelp = kSourceFileHelp;
  app.require_subcommand(1);
  AddVersionFlag(app);

  std::string infoFile;
  bool infoJson = false, infoTable = false;
  CLI::App* info = app.add_subcommand(
      "info", "Print a source's header, band data and overall power levels.");
  info->add_option("FILE", infoFile, sourceFileHelp)->required();
  CLI::Option* infoJsonFlag =
      info->add_flag("--json", infoJson,
                     "Print one JSON object instead: the header, the band range, the overall Lin "
                     "and A levels (dB), the geometry's counts and one object per band with its "
                     "frequency, Lw, Q, directivity index, sensitivity, impedance and efficiency");
  info->add_flag("--table", infoTable,
                 "The Info window's six rows as its cells show them, cells separated by tabs")
      ->excludes(infoJsonFlag);

  std::string balloonFile;
  int balloonBand = 0;
  bool balloonJson = false;
  CLI::App* balloon =
      app.add_subcommand("balloon", "Print the 18 x 36 directivity balloon of one band.");
  balloon->add_option("FILE", balloonFile, sourceFileHelp)->required();
  balloon->add_option("--band", balloonBand, "Band index, 1 (31.5 Hz) to 10 (16 kHz)")
      ->required()
      ->check(BandNumber());
  balloon->add_flag("--json", balloonJson,
                    R"(Print one JSON object instead, {"band": N, "BalloonData": [...]}: 18 rows )"
                    "(polar plots) of 36 intensities relative to the mean over the sphere");

  std::string polarFile;
  int polarBand = 0;
  bool polarJson = false;
  CLI::App* polar = app.add_subcommand(
      "polar", "Print the polar curves of one band: 36 values in dB on the 0..50 scale per plane.");
  polar->add_option("FILE", polarFile, kSourceFileHelp)->required();
  polar->add_option("--band", polarBand, "Band index, 1 (31.5 Hz) to 10 (16 kHz)")
      ->required()
      ->check(BandNumber());
  polar->add_flag("--json", polarJson,
                  R"(Print one JSON object instead, {"band": N, "polar": [...]}: 18 rows )"
                  "(planes) of 36 values on the 0..50 scale, in full precision");

  // Kept here so that the commands are listed in this order.
  const SubCommand convert = AddConvertCommand(app);

  // What an importer may ask: every command that reads a file takes the answers.
  for (CLI::App* command : {info, balloon, polar}) AddImportAnswers(command);

  // Subcommands kept in files of their own.
  const std::vector<SubCommand> more = {
      AddCreateBzCommand(app),   AddAttachCommand(app),    AddInterpolateCommand(app),
      AddIso3744Command(app),    AddExportSofaCommand(app), AddCoverageCommand(app),
      AddDatasheetCommand(app),  AddCompareCommand(app),   convert};

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() != 0 && ReportUnknownCommand(app, argc, argv, err)) {
      return kUsageFailure;
    }
    const int code = app.exit(e, out, err);
    return code == 0 ? 0 : kUsageFailure;
  }

  AppState state;
  CliPlatform platform(err);
  platform.speaker = Utf8ToCp1252(ImportAnswer(app, "--speaker"));
  platform.manufacturer = Utf8ToCp1252(ImportAnswer(app, "--manufacturer"));
  for (const SubCommand& sub : more) {
    if (*sub.command) return sub.run(state, platform, io);
  }
  int status = 0;
  if (*info) {
    if (!Load(state, platform, infoFile, io, status)) return status;
    if (infoJson) {
      out << InfoJson(state.src).dump(2) << '\n';
    } else if (infoTable) {
      PrintInfoTable(state.src, out);
    } else {
      PrintInfo(state.src, out);
    }
  } else if (*balloon) {
    if (!Load(state, platform, balloonFile, io, status)) return status;
    if (!BandHeld(state.src, balloonFile, balloonBand, io)) return kFileFailure;
    PrintBalloon(state.src, balloonBand, balloonJson, out);
  } else if (*polar) {
    if (!Load(state, platform, polarFile, io, status)) return status;
    if (!BandHeld(state.src, polarFile, polarBand, io)) return kFileFailure;
    PrintPolar(state.src, polarBand, polarJson, out);
  }
  return status;
}

}  // namespace fonderel
