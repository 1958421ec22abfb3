#include "Iso3744Command.h"

#include <memory>
#include <nlohmann/json.hpp>

#include "JsonNumbers.h"
#include "core/Cp1252.h"
#include "core/SpkFile.h"
#include "iso3744/MeasurementInput.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"

namespace fonderel {
namespace {

struct Iso3744Options {
  std::string meas, out, layout, name, manufacturer;
  bool json = false;
};

nlohmann::json PowerJson(const Source& src, const SoundPowerResult& r,
                         const std::vector<std::string>& warnings) {
  nlohmann::json bands = nlohmann::json::array();
  for (int b = 1; b <= kBandCount; ++b) {
    bands.push_back({{"band", b},
                     {"BandFreq", FloatJson(BandFreq(b))},
                     {"K2", DoubleJson(r.K2(b))},
                     {"Lw", FloatJson(src.Lw(b))}});
  }
  return {{"S", FloatJson(r.S)},
          {"bands", std::move(bands)},
          {"Lw11", FloatJson(src.Lw(11))},
          {"Lw12", FloatJson(src.Lw(12))},
          {"warnings", warnings}};
}

int Run(const Iso3744Options& o, AppState& state, CliPlatform& platform, const Io& io) {
  if (o.out.empty() && !o.json) {
    io.err << "fonderel-cli: iso3744: give OUT.spk, --json or both\n";
    return kUsageFailure;
  }
  if (MeasKindOfPath(o.meas) == MeasKind::Other) {
    io.err << "fonderel-cli: " << o.meas
           << ": not a measurement file (.dat result file, .prn comma-separated export or .txt "
              "B&K 2260 export)\n";
    return kUsageFailure;
  }
  ResetSource(state, platform, false);
  if (auto read = LoadMeasurement(state, o.meas); !read) return Fail(io, read.error());
  Measurement& m = state.Iso;
  if (!o.layout.empty()) {
    auto layout = ReadLayoutFile(state.src, platform, o.layout);
    if (!layout) return Fail(io, layout.error());
    if (layout->rec.NReceivers != m.MicCount) {
      io.err << "fonderel-cli: " << o.layout << ": the layout gives " << layout->rec.NReceivers
             << " microphone positions for the " << m.MicCount << " microphones of " << o.meas
             << '\n';
      return kFileFailure;
    }
    ApplyLayoutFile(m, *layout, o.layout);
  } else if (!IsStandardArrangement(m.MicCount)) {
    io.err << "fonderel-cli: " << o.meas << ": " << m.MicCount
           << " microphones is no standard arrangement (5, 8, 9, 10); give their positions with "
              "--layout FILE.mea or FILE.ray\n";
    return kFileFailure;
  }
  const auto power = ComputeSoundPower(state);
  if (!power) {
    io.err << "fonderel-cli: " << o.meas << ": " << power.error() << '\n';
    return kFileFailure;
  }
  const std::vector<std::string> warnings = K2Warnings(*power);
  if (o.json) {
    io.out << PowerJson(state.src, *power, warnings).dump(2) << '\n';
  } else {
    for (const std::string& w : warnings) io.err << "fonderel-cli: " << w << '\n';
  }
  if (o.out.empty()) return 0;
  const auto built = BuildNoiseBalloon(state, platform.Now());
  if (!built) {
    io.err << "fonderel-cli: " << o.meas << ": " << built.error() << '\n';
    return kFileFailure;
  }
  if (!o.name.empty()) state.src.SourceName = Utf8ToCp1252(o.name);
  if (!o.manufacturer.empty()) state.src.Manufacturer = Utf8ToCp1252(o.manufacturer);
  std::string written = o.out;
  if (auto saved = WriteSpkFile(state, platform, written); !saved) return Fail(io, saved.error());
  if (written != o.out) io.err << "fonderel-cli: saved as " << written << '\n';
  return 0;
}

}  // namespace

SubCommand AddIso3744Command(CLI::App& app) {
  auto o = std::make_shared<Iso3744Options>();
  CLI::App* command = app.add_subcommand(
      "iso3744",
      "Build a noise source from an ISO 3744 measurement: a result file (.dat), a comma-separated "
      "export (.prn) or a B&K 2260 export (.txt), chosen by the file's extension.");
  command->add_option("MEAS", o->meas, "Measurement file to read")->required();
  command->add_option("OUT", o->out, "SPK file to write");
  command->add_option("--layout", o->layout,
                      "Microphone positions (.mea or .ray) for a count other than 5, 8, 9 or 10");
  command->add_option("--name", o->name, "Name of the noise source (else the file's name)");
  command->add_option("--manufacturer", o->manufacturer, "Manufacturer of the noise source");
  command->add_flag("--json", o->json,
                    "Print S, per band K2 and Lw, and Lw 11 (Lin) and 12 (A) as one JSON object");
  return {command, [o](AppState& state, CliPlatform& platform, const Io& io) {
            return Run(*o, state, platform, io);
          }};
}

}  // namespace fonderel
