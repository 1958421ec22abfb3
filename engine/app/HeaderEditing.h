// Editing the header in the Header window: name, manufacturer, band range.
#pragma once

#include <string>

#include "core/AppState.h"
#include "core/Platform.h"

namespace fonderel {

enum class BandField { LoBand, HiBand };

// The input box that asks again for a band frequency.
inline constexpr const char* kBandAskTitle = "Invalid Frequency Specification";
inline constexpr const char* kBandAskPrompt = "Enter a valid frequency";

// A key typed in the name or manufacturer field: the text goes into the
// description and the data count as changed.
void HeaderNameEdited(AppState& state, const std::string& text);
void HeaderManufacturerEdited(AppState& state, const std::string& text);

// The band check of LoBand or HiBand, run on Enter and when the field loses
// the focus: the leading number of the text must be a band's exact centre
// frequency within the range, else an input box asks again; a cancelled box
// keeps the range as it was. Returns the text the field shows afterwards
// (" 1000 Hz"). The data count as changed only when the range changed.
// Without data the range stays 0..0 and nothing is asked.
std::string CheckBandField(AppState& state, Platform& platform, BandField field,
                           std::string text);

}  // namespace fonderel
