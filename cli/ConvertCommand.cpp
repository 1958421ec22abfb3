#include "ConvertCommand.h"

#include <memory>

#include "CliUsage.h"
#include "LogLines.h"
#include "core/Cp1252.h"
#include "core/SpkFile.h"
#include "export/SourceWriters.h"

namespace fonderel {
namespace {

void PrintLog(const TextLog& log, std::ostream& out) {
  for (const std::string& line : PrintedLogLines(log.Lines())) out << MixedTextToUtf8(line) << '\n';
}

// The format of OUT: --to when given, else OUT's extension. nullptr, with
// the reason printed, when neither names a format.
const WritableFormat* ChosenFormat(const std::string& to, const std::string& out, const Io& io) {
  if (!to.empty()) {
    if (const WritableFormat* format = WritableFormatNamed(to)) return format;
    io.err << "fonderel-cli: convert: --to \"" << to
           << "\" names no format Fonderel writes; the formats are: " << WritableFormatList()
           << '\n';
    return nullptr;
  }
  if (const WritableFormat* format = WritableFormatOfPath(out)) return format;
  io.err << "fonderel-cli: convert: " << out
         << ": the extension names no format Fonderel writes; give --to or one of the "
            "extensions: "
         << WritableFormatList() << '\n';
  return nullptr;
}

}  // namespace

SubCommand AddConvertCommand(CLI::App& app) {
  struct Args {
    std::string in, out, to;
    bool log = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* command = app.add_subcommand(
      "convert",
      "Read a source file and write it in any format Fonderel writes: SPK (.spk), SOFA (.sofa), "
      "CATT SD1 (.txt), EASE 3.0 text (.eas), CLF1 text (.tab), chosen by --to or by OUT's "
      "extension. An OUT "
      "ending in .mdl or .MDL, or without extension, is an SPK file written with .SPK. What "
      "the target format cannot carry is said on standard error.");
  command->add_option("IN", args->in, kSourceFileHelp)->required();
  command->add_option("OUT", args->out, "File to write")->required();
  command->add_option("--to", args->to,
                      "The format to write, by name or extension (SPK, SOFA, \"CATT SD1\" or txt, "
                      "\"EASE 3.0 text\" or eas, \"CLF1 text\" or tab), whatever OUT's extension");
  command->add_flag("--log", args->log, "Print the text log of the read and the write");
  AddImportAnswers(command);
  return {command, [args](AppState& state, CliPlatform& platform, const Io& io) {
            if (!OutputPathUsable(args->out, io.err)) return kUsageFailure;
            const WritableFormat* format = ChosenFormat(args->to, args->out, io);
            if (!format) return kUsageFailure;
            int status = 0;
            if (Load(state, platform, args->in, io, status)) {
              std::string written = WrittenPath(*format, args->out);
              std::vector<std::string> notes;
              std::expected<void, FileError> saved;
              if (format == &WritableFormats()[0]) {
                written = args->out;
                saved = WriteSpkFile(state, platform, written);
              } else {
                state.AddLogLine("");
                state.AddLogLine("Exporting Source Description as " + std::string(format->name) +
                                 " to: " + written);
                saved = WriteSource(state.src, *format, written, notes,
                                    {platform.Now(), FONDEREL_VERSION, &state.log});
                for (const std::string& note : notes) state.AddLogLine("Not carried: " + note);
              }
              if (!saved) {
                status = Fail(io, saved.error());
              } else {
                for (const std::string& note : notes) {
                  io.err << "fonderel-cli: " << MixedTextToUtf8(written) << ": "
                         << MixedTextToUtf8(note) << '\n';
                }
                if (written != args->out && !args->log) {
                  io.err << "fonderel-cli: saved as " << written << '\n';
                }
              }
            }
            if (args->log) PrintLog(state.log, io.out);
            return status;
          }};
}

}  // namespace fonderel
