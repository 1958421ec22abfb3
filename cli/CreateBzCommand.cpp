#include "CreateBzCommand.h"

#include <memory>

#include "app/BzCommands.h"
#include "bz/ParametricSource.h"
#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "core/SpkFile.h"

namespace fonderel {
namespace {

struct CreateBzOptions {
  std::string out;
  std::vector<std::string> patterns;
  bool loudspeaker = false, noise = false;
  std::string power, level;
  std::string name, manufacturer;
};

int Refuse(const Io& io, const std::string& text) {
  io.err << "fonderel-cli: create-bz: " << text << '\n';
  return kFileFailure;
}

int RunCreateBz(const CreateBzOptions& o, AppState& state, CliPlatform& platform, const Io& io) {
  BzFunctions bz;
  for (int k = 1; k <= kBandCount; ++k) {
    const std::string& text = o.patterns[static_cast<std::size_t>(k - 1)];
    const auto number = TotalPowerLevel(text, false);  // the whole text as a number
    if (!number) return Refuse(io, "band " + std::to_string(k) + ": \"" + text + "\" is no number");
    bz(k) = static_cast<float>(*number);
  }
  if (const auto band = UnusableBzBand(bz)) return Refuse(io, UnusableBzBandText(*band, bz(*band)));
  if (BzBandRange(bz).first == 0) return Refuse(io, "no band has a pattern number above 0");
  const auto level = TotalPowerLevel(o.loudspeaker ? o.power : o.level, o.loudspeaker);
  if (!level) {
    return Refuse(io, o.loudspeaker ? "--power must be a number of watts above 0, found \"" + o.power + "\""
                                    : "--level must be a number of dB, found \"" + o.level + "\"");
  }
  ResetSource(state, platform, false);
  CreateParametricSource(state.src, bz, o.loudspeaker, *level);
  state.src.SourceName = Utf8ToCp1252(o.name);
  state.src.Manufacturer = Utf8ToCp1252(o.manufacturer);
  std::string written = o.out;
  if (auto saved = WriteSpkFile(state, platform, written); !saved) return Fail(io, saved.error());
  if (written != o.out) io.err << "fonderel-cli: saved as " << written << '\n';
  return 0;
}

}  // namespace

SubCommand AddCreateBzCommand(CLI::App& app) {
  auto o = std::make_shared<CreateBzOptions>();
  CLI::App* command = app.add_subcommand(
      "create-bz",
      "Create a source from one BZ directivity pattern per band and write it as an SPK file.");
  command->add_option("OUT", o->out, "SPK file to write")->required();
  command->add_option("--patterns", o->patterns,
                      "Ten pattern numbers, 31.5 Hz to 16 kHz, comma-separated: 1 to 10, 0 = band not used")
      ->required()
      ->delimiter(',')
      ->expected(kBandCount);
  CLI::Option* louds = command->add_flag("--loudspeaker", o->loudspeaker, "A loudspeaker (needs --power)");
  CLI::Option* noise = command->add_flag("--noise", o->noise, "A noise source (needs --level)");
  CLI::Option* power = command->add_option("--power", o->power, "MAX electrical power, W");
  CLI::Option* level = command->add_option("--level", o->level, "Sound power level (Lin), dB re 1 pW");
  louds->excludes(noise)->needs(power)->excludes(level);
  noise->needs(level)->excludes(power);
  power->needs(louds);
  level->needs(noise);
  command->add_option("--name", o->name, "Source name");
  command->add_option("--manufacturer", o->manufacturer, "Manufacturer");
  command->callback([louds, noise] {
    if (louds->count() == 0 && noise->count() == 0) {
      throw CLI::RequiredError("--loudspeaker or --noise");
    }
  });
  return {command, [o](AppState& state, CliPlatform& platform, const Io& io) {
            return RunCreateBz(*o, state, platform, io);
          }};
}

}  // namespace fonderel
