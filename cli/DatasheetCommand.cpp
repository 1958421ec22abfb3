#include "DatasheetCommand.h"

#include <memory>

#include "core/NumberText.h"

namespace fonderel {
namespace {

DatasheetWriter& Writer() {
  static DatasheetWriter writer;
  return writer;
}

struct DatasheetOptions {
  std::string in, out;
  int band = 0;
};

int Run(const DatasheetOptions& options, AppState& state, CliPlatform& platform, const Io& io) {
  if (!Writer()) {
    io.err << "fonderel-cli: this build of fonderel-cli writes no datasheets (it was built "
              "without Qt)\n";
    return kFileFailure;
  }
  int status = 0;
  if (!Load(state, platform, options.in, io, status)) return status;
  const Source& src = state.src;
  const int band = options.band != 0 ? options.band : DatasheetBand(src);
  if (band == 0) {
    io.err << "fonderel-cli: " << options.in << ": the source holds no band data\n";
    return kFileFailure;
  }
  if (!src.BandPresent(band)) {
    io.err << "fonderel-cli: " << options.in << ": band " << options.band << " ("
           << SingleText(BandFreq(options.band), Lead::None) << " Hz) holds no data; the source covers bands "
           << src.FirstBand << " to " << src.LastBand << '\n';
    return kFileFailure;
  }
  if (auto written = Writer()(src, band, options.out); !written) return Fail(io, written.error());
  return 0;
}

}  // namespace

void SetDatasheetWriter(DatasheetWriter writer) { Writer() = std::move(writer); }

SubCommand AddDatasheetCommand(CLI::App& app) {
  auto options = std::make_shared<DatasheetOptions>();
  CLI::App* command = app.add_subcommand(
      "datasheet",
      "Write a one-page A4 datasheet of the source: header, Info table, shaded balloon, polar "
      "curves and coverage. PDF, or SVG when OUT ends in .svg.");
  command->add_option("IN", options->in, "Source file to read")->required();
  command->add_option("OUT", options->out, "PDF or SVG file to write")->required();
  command->add_option("--band", options->band,
                      "Band of the balloon, 1 (31.5 Hz) to 10 (16 kHz); default: the band "
                      "nearest 1 kHz with data")
      ->check(CLI::Range(1, kBandCount));
  AddImportAnswers(command);
  return {command, [options](AppState& state, CliPlatform& platform, const Io& io) {
            return Run(*options, state, platform, io);
          }};
}

}  // namespace fonderel
