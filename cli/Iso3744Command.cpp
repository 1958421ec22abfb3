#include "Iso3744Command.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>

#include "JsonNumbers.h"
#include "core/Cp1252.h"
#include "core/SpkFile.h"
#include "iso3744/MeasurementGrade.h"
#include "iso3744/MeasurementInput.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"

namespace fonderel {
namespace {

IsoReportWriter& ReportWriter() {
  static IsoReportWriter writer;
  return writer;
}

struct Iso3744Options {
  std::string meas, out, layout, name, manufacturer, background, report;
  bool json = false;
};

nlohmann::json PowerJson(const AppState& state, const SoundPowerResult& r,
                         const MeasurementGrade& g, const std::vector<std::string>& warnings) {
  const Source& src = state.src;
  nlohmann::json bands = nlohmann::json::array();
  for (int b = 1; b <= kBandCount; ++b) {
    const BackgroundCorrection& c = r.Background(b);
    bands.push_back({{"band", b},
                     {"BandFreq", FloatJson(BandFreq(b))},
                     {"Lb", FloatJson(state.Iso.Background(b))},
                     {"DeltaLp", DoubleJson(c.DeltaLp)},
                     {"K1", DoubleJson(c.K1)},
                     {"UpperBound", c.UpperBound},
                     {"K2", DoubleJson(r.K2(b))},
                     {"K2Used", DoubleJson(r.K2Used(b))},
                     {"Lw", FloatJson(src.Lw(b))},
                     {"U", DoubleJson(g.U(b))}});
  }
  nlohmann::json criteria = nlohmann::json::array();
  nlohmann::json failed = nlohmann::json::array();
  for (const Criterion& c : g.criteria) {
    const char* state = c.state == Criterion::State::Met      ? "met"
                        : c.state == Criterion::State::Failed ? "failed"
                                                              : "not checked";
    criteria.push_back({{"text", c.text}, {"state", state}});
    if (c.state == Criterion::State::Failed) failed.push_back(c.text);
  }
  return {{"S", FloatJson(r.S)},
          {"bands", std::move(bands)},
          {"Lw11", FloatJson(src.Lw(11))},
          {"Lw12", FloatJson(src.Lw(12))},
          {"U11", nullptr},
          {"U12", DoubleJson(g.UA)},
          {"K2A", DoubleJson(g.K2A)},
          {"grade", GradeWord(g.grade)},
          {"criteria", std::move(criteria)},
          {"failed", std::move(failed)},
          {"warnings", warnings}};
}

// "L1,...,L10": ten levels in dB, "-" for a band without one.
std::expected<Indexed<float, 1, kBandCount>, std::string> ParseBackground(const std::string& text) {
  Indexed<float, 1, kBandCount> levels = Measurement::NoBackground();
  std::vector<std::string> items(1);
  for (char ch : text) {
    if (ch == ',') {
      items.emplace_back();
    } else if (ch != ' ') {
      items.back() += ch;
    }
  }
  if (items.size() != kBandCount) {
    return std::unexpected(
        "--background needs 10 levels (31.5 Hz to 16 kHz) separated by commas, got " +
        std::to_string(items.size()));
  }
  for (int b = 1; b <= kBandCount; ++b) {
    std::string_view item = items[static_cast<std::size_t>(b - 1)];
    if (item == "-") continue;
    if (!item.empty() && item.front() == '+') item.remove_prefix(1);
    float v = 0.0f;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size() ||
        !std::isfinite(v)) {
      return std::unexpected("--background: level " + std::to_string(b) + " (" + BandName(b) +
                             ") is not a number: \"" + items[static_cast<std::size_t>(b - 1)] +
                             "\"");
    }
    levels(b) = v;
  }
  return levels;
}

int Run(const Iso3744Options& o, AppState& state, CliPlatform& platform, const Io& io) {
  if (o.out.empty() && !o.json && o.report.empty()) {
    io.err << "fonderel-cli: iso3744: give OUT.spk, --json, --report OUT.pdf or more than one\n";
    return kUsageFailure;
  }
  if (MeasKindOfPath(o.meas) == MeasKind::Other) {
    io.err << "fonderel-cli: " << o.meas
           << ": not a measurement file (.dat result file, .prn comma-separated export or .txt "
              "B&K 2260 export)\n";
    return kUsageFailure;
  }
  std::optional<Indexed<float, 1, kBandCount>> background;
  if (!o.background.empty()) {
    auto parsed = ParseBackground(o.background);
    if (!parsed) {
      io.err << "fonderel-cli: " << parsed.error() << '\n';
      return kUsageFailure;
    }
    background = *parsed;
  }
  if (!o.report.empty() && !ReportWriter()) {
    io.err
        << "fonderel-cli: this build of fonderel-cli writes no reports (it was built without Qt)\n";
    return kFileFailure;
  }
  ResetSource(state, platform, false);
  if (auto read = LoadMeasurement(state, o.meas); !read) return Fail(io, read.error());
  state.Iso.MeasFile = o.meas;
  if (background) state.Iso.Background = *background;
  Measurement& m = state.Iso;
  std::vector<std::string> notes;
  if (!o.layout.empty()) {
    auto layout = ReadLayoutFile(state.src, platform, o.layout);
    if (!layout) return Fail(io, layout.error());
    if (layout->rec.NReceivers != m.MicCount) {
      io.err << "fonderel-cli: " << o.layout << ": the layout gives " << layout->rec.NReceivers
             << " microphone positions for the " << m.MicCount << " microphones of " << o.meas
             << '\n';
      return kFileFailure;
    }
    if (auto note = ApplyLayoutFile(m, *layout, o.layout)) notes.push_back(*note);
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
  const MeasurementGrade grade = GradeMeasurement(state, *power);
  for (std::string& w : K2Warnings(m, *power)) notes.push_back(std::move(w));
  // The report is painted from the measurement before the balloon step
  // turns the microphone positions into directions.
  const IsoReport report = BuildIsoReport(state, *power, grade);
  if (!o.out.empty()) {
    const auto built = BuildNoiseBalloon(state, platform.Now());
    if (!built) {
      // The positions come from the layout file when one is given.
      io.err << "fonderel-cli: " << (o.layout.empty() ? o.meas : o.layout) << ": " << built.error()
             << '\n';
      return kFileFailure;
    }
    if (!o.name.empty()) state.src.SourceName = Utf8ToCp1252(o.name);
    if (!o.manufacturer.empty()) state.src.Manufacturer = Utf8ToCp1252(o.manufacturer);
    std::string written = o.out;
    if (auto saved = WriteSpkFile(state, platform, written); !saved) return Fail(io, saved.error());
    if (written != o.out) io.err << "fonderel-cli: saved as " << written << '\n';
  }
  if (!o.report.empty()) {
    IsoReport named = report;
    if (!o.name.empty()) named.title = Utf8ToCp1252(o.name);
    if (auto written = ReportWriter()(named, o.report); !written) return Fail(io, written.error());
  }
  if (o.json) {
    io.out << PowerJson(state, *power, grade, notes).dump(2) << '\n';
  } else {
    for (const std::string& w : notes) io.err << "fonderel-cli: " << w << '\n';
    for (const std::string& line : GradeLines(grade)) io.err << "fonderel-cli: " << line << '\n';
  }
  return 0;
}

}  // namespace

void SetIsoReportWriter(IsoReportWriter writer) {
  ReportWriter() = std::move(writer);
}

SubCommand AddIso3744Command(CLI::App& app) {
  auto o = std::make_shared<Iso3744Options>();
  CLI::App* command = app.add_subcommand(
      "iso3744",
      "Build a noise source from an ISO 3744 measurement: a result file (.dat), a comma-separated "
      "export (.prn) or a B&K 2260 export (.txt), chosen by the file's extension.");
  command->add_option("MEAS", o->meas, "Measurement file to read")->required();
  command->add_option("OUT", o->out, "SPK file to write");
  command->add_option("--layout", o->layout,
                      "Microphone positions (.mea or .ray); used as given, also for 5, 8, 9 or 10 "
                      "microphones");
  command->add_option("--background", o->background,
                      "Background levels L1,...,L10 in dB (31.5 Hz to 16 kHz, \"-\" for none); "
                      "replace the file's");
  command->add_option("--report", o->report, "Write a one-page PDF measurement report");
  command->add_option("--name", o->name, "Name of the noise source (else the file's name)");
  command->add_option("--manufacturer", o->manufacturer, "Manufacturer of the noise source");
  command->add_flag(
      "--json", o->json,
      "Print S, per band Lb, DeltaLp, K1, UpperBound, K2, K2Used, Lw and U, the totals "
      "Lw11 (Lin) and Lw12 (A) with U11, U12, K2A, the grade and the criteria as one JSON "
      "object");
  return {command, [o](AppState& state, CliPlatform& platform, const Io& io) {
            return Run(*o, state, platform, io);
          }};
}

}  // namespace fonderel
