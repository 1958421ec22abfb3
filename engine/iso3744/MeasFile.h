// The measurement result file (*.dat): the header texts, the levels of every
// microphone, the reverberation times, the dimensions of the enveloping
// surface, the room volume and the sound power levels (10 bands + Lin + A).
// A last line "Lb =" holds the background levels when any was given ("-"
// for a band without one); files without it read as before.
// Text lines with CR LF; numbers with "." and no zero before it.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/FileError.h"

namespace fonderel {

// What a result file holds, read completely before any of it is taken over.
struct MeasContent {
  std::string SourceName, Manufacturer, SourceDate, SourceTime;
  int MicCount = 0;
  std::vector<Indexed<float, 1, kBandCount>> MicLp;  // microphones 1..MicCount, from index 0
  Indexed<float, 1, kBandCount> RevTime;
  // Present unless the file ends after the reverberation times.
  struct Tail {
    float DimA = 0, DimB = 0, DimC = 0, RoomVolume = 0;
    Indexed<float, 1, 12> Lw;
  };
  std::optional<Tail> tail;
  Indexed<float, 1, kBandCount> Background = Measurement::NoBackground();
};

// The file's bytes for the current measurement and source header.
std::string MeasFileText(const AppState& state);
// Writes the file safely (a failed write leaves an existing file as it was).
std::expected<void, FileError> WriteMeasText(const AppState& state, const std::string& path);

// A file with no microphones or more than 100 is refused.
std::expected<MeasContent, FileError> ParseMeasFile(std::string_view bytes,
                                                    const std::string& file);
std::expected<MeasContent, FileError> ReadMeasFile(const std::string& path);
// Takes a read file over into the source header and the measurement.
void ApplyMeasContent(AppState& state, const MeasContent& content);

}  // namespace fonderel
