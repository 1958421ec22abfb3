#include "AttachCommand.h"

#include <memory>

#include "core/SpkFile.h"
#include "geometry/RayFile.h"

namespace fonderel {
namespace {

struct AttachOptions {
  std::string in, geometry, out;
};

int RunAttach(const AttachOptions& o, AppState& state, CliPlatform& platform, const Io& io) {
  int status = 0;
  if (!Load(state, platform, o.in, io, status)) return status;
  if (auto read = ReadRayFile(state.src, platform, o.geometry); !read) {
    if (read.error().cancelled) {
      io.err << "fonderel-cli: " << o.geometry << ": a file pattern, not a file\n";
      return kFileFailure;
    }
    return Fail(io, read.error());
  }
  std::string written = o.out;
  if (auto saved = WriteSpkFile(state, platform, written); !saved) return Fail(io, saved.error());
  if (written != o.out) io.err << "fonderel-cli: saved as " << written << '\n';
  return 0;
}

}  // namespace

SubCommand AddAttachCommand(CLI::App& app) {
  auto o = std::make_shared<AttachOptions>();
  CLI::App* command = app.add_subcommand(
      "attach", "Attach the faces, holes and doors of a CAD geometry file (.ray) to a source and write it.");
  command->add_option("IN", o->in, "Source file to read")->required();
  command->add_option("GEOM", o->geometry, "CAD geometry file (.ray)")->required();
  command->add_option("OUT", o->out, "SPK file to write")->required();
  AddImportAnswers(command);
  return {command, [o](AppState& state, CliPlatform& platform, const Io& io) {
            return RunAttach(*o, state, platform, io);
          }};
}

}  // namespace fonderel
