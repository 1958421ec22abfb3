// Whether a computed sound power is of engineering grade (ISO 3744) or only
// of survey grade (ISO 3746): the background, the room (K2A), the spread of
// the microphone levels and the number of positions, each criterion stated
// in words, and the expanded uncertainty (coverage factor 2) that follows.
#pragma once

#include <string>
#include <vector>

#include "core/AppState.h"
#include "iso3744/SoundPower.h"

namespace fonderel {

enum class Grade { Engineering, Survey, Neither };

struct Criterion {
  enum class State { Met, Failed, NotChecked };
  State state = State::Met;
  std::string text;  // one sentence, e.g. "Room: K2A = 1.2 dB, at most 4 dB."
};

struct MeasurementGrade {
  double K2A = 0;                         // dB, from the computed K2
  Indexed<double, 1, kBandCount> Spread;  // highest minus lowest microphone level, dB
  double SpreadA = 0;                     // the same for the A-weighted levels
  int MinPositions = 9;                   // what the surface needs
  Grade grade = Grade::Engineering;
  std::vector<Criterion> criteria;
  // Expanded uncertainty per band and of the A-weighted level, dB; NaN where
  // the standard of the grade gives no value.
  Indexed<double, 1, kBandCount> U;
  double UA = 0;
};

// The A-weighted K2: the A-weighted level of the band levels before and after
// the correction K2 (background-corrected both).
double K2AWeighted(const SoundPowerResult& result);

// The grade of the measurement in `state` whose sound power is `result`.
MeasurementGrade GradeMeasurement(const AppState& state, const SoundPowerResult& result);

// "engineering grade (ISO 3744)", "survey grade (ISO 3746)" or "neither
// engineering nor survey grade".
std::string GradeText(Grade grade);
// The word of the JSON output: "engineering", "survey" or "none".
std::string GradeWord(Grade grade);

// The lines shown under the chart and in the report: the grade, then every
// criterion with "met", "failed" or "not checked".
std::vector<std::string> GradeLines(const MeasurementGrade& grade);

}  // namespace fonderel
