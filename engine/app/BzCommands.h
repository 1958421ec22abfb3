// File > Create Source (BZ): the Create window's flow, from the menu command
// to "OK - prosecute" and the power input box.
#pragma once

#include <array>
#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

inline constexpr const char* kPowerTitle = "Introduce Power Data";
inline constexpr const char* kLoudspeakerPowerPrompt = "MAX Electrical Power (W)";
inline constexpr const char* kNoisePowerPrompt = "Sound Power Level (LIN,dB)";
// Why the power box asks again: an electrical power must be a number above
// 0; a sound power level any number.
inline constexpr const char* kLoudspeakerPowerRetry = "Please enter a number above 0";
inline constexpr const char* kNoisePowerRetry = "Please enter a number";

// The texts of the ten pattern boxes, band 1 first.
using BzBoxes = std::array<std::string, kBandCount>;

// The menu command: asks about unsaved data, empties the description and
// shows the Create window; the description is then unsaved until filled.
void FileCreate(AppState& state, Platform& platform);

// "OK - prosecute": a band inside the chosen range without a pattern is
// refused with a message naming it and the window stays open. Otherwise the
// window hides and the power is asked for (again, after a message saying
// why, while the answer is no usable number); the source is filled only when an answer is given,
// and Cancel leaves the description as it was. True when a source was created.
bool CreateWindowOk(AppState& state, Platform& platform, const BzBoxes& boxes, bool loudspeaker);

// The text a pattern box shows after its up (+1) or down (-1) arrow: its
// number value stepped and kept within 0..10.
std::string StepBzBox(const std::string& text, int step);

// The total sound power level for a power answer: the electrical power in
// watts of a loudspeaker, the level in dB of a noise source; none when the
// answer is no number, or a loudspeaker power is not above 0.
std::optional<double> TotalPowerLevel(const std::string& answer, bool loudspeaker);

}  // namespace fonderel
