#include "InterpolateCommand.h"

#include <memory>

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/SpkFile.h"
#include "polar/Interpol.h"
#include "polar/PolarFiles.h"
#include "polar/PolarInterpolation.h"

namespace fonderel {
namespace {

struct InterpolateArgs {
  std::string in, out;
  bool log = false;
};

// The window's OK button after a PRN or TXT file (a CSV file has built the
// source already); a refusal is returned so that it can name the file.
std::expected<void, std::string> BuildFromTables(const InterpolModel& model, AppState& state,
                                                 CliPlatform& platform) {
  if (model.InterpolationDone) return {};
  return InterpolatePolarTables(model.tables, state, platform);
}

int RunInterpolate(const InterpolateArgs& args, AppState& state, CliPlatform& platform, const Io& io) {
  ResetSource(state, platform, false);
  if (PolarFormatOfPath(args.in) == PolarFormat::Unknown) {
    io.err << "fonderel-cli: " << args.in
           << ": not a polar-plot file (the name must end in .prn, .txt or .csv)\n";
    return kUsageFailure;
  }
  // The window's defaults: both plots as the file gives them, the
  // horizontal plot sharing its 0° and 180° values with the vertical one.
  auto model = std::make_unique<InterpolModel>();
  int status = 0;
  if (!model->LoadPath(state, platform, args.in)) {
    status = kFileFailure;  // the reader's message is on standard error already
  } else if (auto built = BuildFromTables(*model, state, platform); !built) {
    status = Fail(io, FileError{args.in, 0, built.error()});
  } else {
    std::string written = args.out;
    if (auto saved = WriteSpkFile(state, platform, written); !saved) {
      status = Fail(io, saved.error());
    } else if (written != args.out && !args.log) {
      io.err << "fonderel-cli: saved as " << written << '\n';
    }
  }
  if (args.log) {
    for (const std::string& line : state.log.Lines()) io.out << Cp1252ToUtf8(line) << '\n';
  }
  return status;
}

}  // namespace

SubCommand AddInterpolateCommand(CLI::App& app) {
  auto args = std::make_shared<InterpolateArgs>();
  CLI::App* command = app.add_subcommand(
      "interpolate",
      "Build a loudspeaker from measured polar plots (octave H/V .prn, 1/3-octave H/V .txt or "
      "octave 3H .csv) and write it as an SPK file.");
  command->add_option("IN", args->in, "Polar-plot measurement file to read")->required();
  command->add_option("OUT", args->out, "SPK file to write")->required();
  command->add_flag("--log", args->log, "Print the text log of the read, the interpolation and the write");
  return {command, [args](AppState& state, CliPlatform& platform, const Io& io) {
            return RunInterpolate(*args, state, platform, io);
          }};
}

}  // namespace fonderel
