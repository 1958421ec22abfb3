#include "iso3744/MeasurementGrade.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/NumberText.h"

namespace fonderel {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double kSurveyK2A = 7.0;           // the room limit of the survey grade
constexpr double kEngineeringDeltaLp = 6.0;  // background at least this far under the source
constexpr double kSurveyDeltaLp = 3.0;
constexpr double kCoverage = 2.0;

// Reproducibility standard deviation of the engineering grade per octave band
// (none for 31.5 Hz and 16 kHz) and of the A-weighted level; the survey grade
// gives only an A-weighted value.
constexpr double kSigmaBand[kBandCount] = {kNone, 5.0, 3.0, 2.0, 1.5, 1.5, 1.5, 1.5, 2.5, kNone};
constexpr double kSigmaA = 1.5;
constexpr double kSigmaASurvey = 3.0;

std::string Db(double v) {
  return FormatNumber(v, "##0.0") + " dB";
}

std::string BandList(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "" : ", ") + n;
  return text;
}

double SumDb(double energy) {
  return 10.0 * std::log10(energy);
}

Criterion Make(bool met, std::string text) {
  return {met ? Criterion::State::Met : Criterion::State::Failed, std::move(text)};
}

}  // namespace

double K2AWeighted(const SoundPowerResult& result) {
  double before = 0.0, after = 0.0;
  for (int b = 1; b <= kBandCount; ++b) {
    const double level = result.Background(b).LpMean - result.Background(b).K1 + AWeighting(b);
    before += std::pow(10.0, level / 10.0);
    after += std::pow(10.0, (level - result.K2(b)) / 10.0);
  }
  return SumDb(before) - SumDb(after);
}

MeasurementGrade GradeMeasurement(const AppState& state, const SoundPowerResult& result) {
  const Measurement& m = state.Iso;
  const int n = std::clamp<int>(m.MicCount, 1, kMaxMics);
  MeasurementGrade g;
  g.K2A = K2AWeighted(result);

  // Background.
  std::vector<std::string> under6, under3;
  bool anyBackground = false;
  for (int b = 1; b <= kBandCount; ++b) {
    if (!m.HasBackground(b)) continue;
    anyBackground = true;
    const double d = result.Background(b).DeltaLp;
    if (!(d >= kEngineeringDeltaLp)) under6.push_back(BandName(b));
    if (!(d >= kSurveyDeltaLp)) under3.push_back(BandName(b));
  }
  if (!anyBackground) {
    g.criteria.push_back({Criterion::State::NotChecked,
                          "Background noise: no levels given, no correction K1 applied."});
  } else {
    g.criteria.push_back(Make(
        under6.empty(),
        under6.empty() ? "Background noise: at least 6 dB under the source in every band given."
                       : "Background noise: less than 6 dB under the source in the " +
                             BandList(under6) + " band(s); Lw there is an upper bound."));
  }

  // Room.
  g.criteria.push_back(
      Make(g.K2A <= kK2Limit,
           "Room: K2A = " + Db(g.K2A) +
               (g.K2A <= kK2Limit ? ", at most 4 dB." : ", above the 4 dB allowed.")));

  // Spread of the microphone levels against the number of positions.
  std::vector<std::string> wide;
  double lowA = 1e30, highA = -1e30;
  for (int b = 1; b <= kBandCount; ++b) {
    double low = 1e30, high = -1e30;
    for (int mic = 1; mic <= n; ++mic) {
      low = std::min<double>(low, state.MicLp(mic, b));
      high = std::max<double>(high, state.MicLp(mic, b));
    }
    g.Spread(b) = high - low;
    if (g.Spread(b) > n) wide.push_back(BandName(b));
  }
  for (int mic = 1; mic <= n; ++mic) {
    double e = 0.0;
    for (int b = 1; b <= kBandCount; ++b)
      e += std::pow(10.0, (state.MicLp(mic, b) + AWeighting(b)) / 10.0);
    lowA = std::min(lowA, SumDb(e));
    highA = std::max(highA, SumDb(e));
  }
  g.SpreadA = highA - lowA;
  if (g.SpreadA > n) wide.push_back("A-weighted");
  const std::string count = IntText(n, Lead::None);
  g.criteria.push_back(Make(
      wide.empty(), wide.empty() ? "Microphone spread: the levels spread over at most " + count +
                                       " dB (" + count + " positions)."
                                 : "Microphone spread: the levels spread over more than " + count +
                                       " dB (" + count + " positions) in the " + BandList(wide) +
                                       " level(s); more positions are needed."));

  // Number of positions.
  const bool hemisphere = IsStandardArrangement(m) && m.MicCount == 10;
  g.MinPositions = hemisphere ? 10 : 9;
  const std::string surface = hemisphere ? "a hemisphere" : "a box";
  g.criteria.push_back(
      Make(n >= g.MinPositions,
           "Positions: " + count + (n >= g.MinPositions ? ", at least the " : ", fewer than the ") +
               IntText(g.MinPositions, Lead::None) + " that " + surface + " needs."));

  const bool allMet = std::none_of(g.criteria.begin(), g.criteria.end(), [](const Criterion& c) {
    return c.state == Criterion::State::Failed;
  });
  if (allMet) {
    g.grade = Grade::Engineering;
  } else if (g.K2A <= kSurveyK2A && under3.empty()) {
    g.grade = Grade::Survey;
  } else {
    g.grade = Grade::Neither;
  }
  for (int b = 1; b <= kBandCount; ++b) {
    g.U(b) = g.grade == Grade::Engineering ? kCoverage * kSigmaBand[b - 1] : kNone;
  }
  g.UA = g.grade == Grade::Engineering ? kCoverage * kSigmaA
         : g.grade == Grade::Survey    ? kCoverage * kSigmaASurvey
                                       : kNone;
  return g;
}

std::string GradeText(Grade grade) {
  switch (grade) {
    case Grade::Engineering:
      return "engineering grade (ISO 3744)";
    case Grade::Survey:
      return "survey grade (ISO 3746)";
    default:
      return "neither engineering nor survey grade";
  }
}

std::string GradeWord(Grade grade) {
  switch (grade) {
    case Grade::Engineering:
      return "engineering";
    case Grade::Survey:
      return "survey";
    default:
      return "none";
  }
}

std::vector<std::string> GradeLines(const MeasurementGrade& g) {
  std::vector<std::string> lines;
  std::string first = "Grade: " + GradeText(g.grade);
  if (std::isfinite(g.UA)) first += "; uncertainty of LwA +/- " + Db(g.UA) + " (k = 2)";
  lines.push_back(first + ".");
  for (const Criterion& c : g.criteria) {
    const char* state = c.state == Criterion::State::Met      ? "met"
                        : c.state == Criterion::State::Failed ? "FAILED"
                                                              : "not checked";
    lines.push_back(std::string(state) + " - " + c.text);
  }
  return lines;
}

}  // namespace fonderel
