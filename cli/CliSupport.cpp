#include "CliSupport.h"

#include "core/Cp1252.h"
#include "import/SourceFormat.h"

namespace fonderel {

int Fail(const Io& io, const FileError& error) {
  io.err << "fonderel-cli: " << MixedTextToUtf8(error.Text()) << '\n';
  return kFileFailure;
}

bool Load(AppState& state, CliPlatform& platform, const std::string& path, const Io& io,
          int& status) {
  ResetSource(state, platform, false);
  state.src.SourceFile = path;
  if (auto loaded = LoadSourceFile(state, platform, path); !loaded) {
    if (loaded.error().cancelled && !platform.offeredNames.empty()) {
      std::string names;
      for (const std::string& name : platform.offeredNames) {
        names += (names.empty() ? "\"" : ", \"") + Cp1252ToUtf8(name) + "\"";
      }
      io.err << "fonderel-cli: " << path << ": "
             << (platform.speaker.empty()
                     ? "the file holds several loudspeakers; choose one with --speaker: "
                     : "no loudspeaker named \"" + Cp1252ToUtf8(platform.speaker) +
                           "\" in the file; it holds: ")
             << names << '\n';
      status = kFileFailure;
      return false;
    }
    // A reader that told the user itself (its message went to standard
    // error) is not reported twice.
    status = loaded.error().cancelled ? kFileFailure : Fail(io, loaded.error());
    return false;
  }
  return true;
}

void AddImportAnswers(CLI::App* command) {
  command->add_option("--speaker",
                      "The loudspeaker to import from an EASE 3.0 file that holds several");
  command->add_option("--manufacturer",
                      "The manufacturer of a Modeler loudspeaker (empty when not given)");
}

std::string ImportAnswer(const CLI::App& app, const std::string& name) {
  for (const CLI::App* command : app.get_subcommands()) {
    const CLI::Option* option = command->get_option_no_throw(name);
    if (option != nullptr && option->count() > 0) return option->as<std::string>();
  }
  return {};
}

}  // namespace fonderel
