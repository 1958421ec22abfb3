// What the foreign-format writers share: the notes on what a format leaves
// behind, the checks that a source can be written at all, and number texts.
#pragma once

#include <array>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileError.h"
#include "core/Source.h"

namespace fonderel {

// "125 Hz" / "31.5 Hz".
std::string BandText(int band);
// "125 Hz, 250 Hz and 1000 Hz".
std::string BandListText(const std::vector<int>& bands);
// "the 63 Hz band" or "the 31.5 Hz and 63 Hz bands", with `one` or `many`
// (a verb) after it.
std::string BandsPhrase(const std::vector<int>& bands, const char* one, const char* many);

// The source has bands and every number of them is finite; otherwise the
// reason, naming `path`.
std::expected<void, FileError> CheckWritable(const Source& src, const std::string& path);

// Notes for what none of the loudspeaker text formats carries: the date and
// time, the noise-source kind, the geometry and the stored overall levels.
// `format` names the format in the notes ("CATT SD1").
void AddHeaderNotes(const Source& src, std::string_view format, std::vector<std::string>& notes);

// A text made fit for one field of a line: line ends become blanks and the
// bytes in `forbidden` become `replacement`. True in `changed` when it had to.
std::string FieldText(std::string_view text, std::string_view forbidden, char replacement,
                      bool& changed);

// The shortest text that reads back as the same float ("0.5", "93", "1e+20").
std::string ShortestText(float value);

// Each cell of a band in dB under the band's largest value, clipped at
// kFloorDb (zero counts as the floor): the levels that `compare` and the
// writers' notes use.
inline constexpr double kFloorDb = -50.0;
class RelativeLevels {
 public:
  RelativeLevels(const Source& src, int band);
  double operator()(int plot, int point) const {
    return db_[static_cast<std::size_t>(plot * kPoints + point)];
  }

 private:
  std::array<double, kPlots * kPoints> db_{};
};

}  // namespace fonderel
