// Number texts of the file formats and the log. Locale-independent: built on
// std::to_chars, never on printf or iostreams.
#pragma once

#include <string>
#include <string_view>

namespace fonderel {

// Whether a non-negative number is preceded by a blank (the log form) or not
// (the written-line form of the files).
enum class Lead { Blank, None };

// BASIC-style number text: the value rounded to 7 (single) or 15 (double)
// significant digits, trailing zeros dropped, no zero before the decimal point
// (".5", "-.25"), exponent form ("1E+07", "1.5E-08") only where fixed notation
// would need more digits than that.
std::string SingleText(float value, Lead lead = Lead::Blank);
std::string DoubleText(double value, Lead lead = Lead::Blank);
std::string IntText(long value, Lead lead = Lead::Blank);
// The same texts appended to `out`, for writers that build whole files.
void AppendSingleText(std::string& out, float value, Lead lead = Lead::Blank);
void AppendDoubleText(std::string& out, double value, Lead lead = Lead::Blank);

// A Format pattern of the system: "###0.00", "##0.000", "##0.0#", "##0.0",
// "####0.#", " #0.00", "#####", "####.#", "####.##", "###,###,###",
// "###.#####". '0' forces a digit, '#' shows one only where needed, ','
// groups thousands, literal characters before the digits are kept. Rounds half
// away from zero on the value's shortest decimal text; a result that rounds to
// zero carries no minus sign.
std::string FormatNumber(double value, std::string_view pattern);
std::string FormatNumber(float value, std::string_view pattern);

// The 7-character balloon value field of the SPK file: four decimals with the
// decimal point as third character ("  .5000", " 1.2500", "12.3457"), or the
// whole number with ".0" ("    1.0"). A value with a fraction that the field
// cannot hold (100 or more, -10 or less) is written in full with four decimals
// and no padding ("123.4567", "-12.5000"), so no digit is ever lost.
std::string BalloonField(float value);
void AppendBalloonField(std::string& out, float value);

// The number at the start of a text, as a user typed it: blanks before it are
// skipped and it ends where the number does ("2000 Hz" gives 2000, "31,5"
// gives 31); 0 when the text starts with no number.
double LeadingNumber(std::string_view text);

// `text` right-aligned in `width` characters; longer texts are kept whole.
std::string RightAlign(std::string_view text, std::size_t width);

}  // namespace fonderel
