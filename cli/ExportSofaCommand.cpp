#include "ExportSofaCommand.h"

#include <filesystem>
#include <memory>

#include "sofa/SofaExport.h"

namespace fonderel {

SubCommand AddExportSofaCommand(CLI::App& app) {
  struct Args {
    std::string in, out;
  };
  auto args = std::make_shared<Args>();
  CLI::App* command = app.add_subcommand(
      "export-sofa",
      "Write a source's directivity as a SOFA file (FreeFieldDirectivityTF 1.1): the balloon's "
      "614 directions as receivers, the bands with data as frequencies, magnitudes relative to "
      "the spherical mean.");
  command->add_option("IN", args->in, "Source file to read (SPK or any importable format)")
      ->required();
  command->add_option("OUT", args->out, "SOFA file to write")->required();
  AddImportAnswers(command);
  return {command, [args](AppState& state, CliPlatform& platform, const Io& io) {
            if (args->out.empty()) {
              io.err << "fonderel-cli: export-sofa: the output file name is empty\n";
              return kUsageFailure;
            }
            std::error_code ec;
            if (std::filesystem::is_directory(args->out, ec)) {
              io.err << "fonderel-cli: " << args->out << ": is a folder, not a file name\n";
              return kUsageFailure;
            }
            int status = 0;
            if (!Load(state, platform, args->in, io, status)) return status;
            if (auto written = WriteSofaFile(state.src, args->out, platform.Now(), FONDEREL_VERSION);
                !written) {
              return Fail(io, written.error());
            }
            return 0;
          }};
}

}  // namespace fonderel
