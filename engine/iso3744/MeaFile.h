// The measurement description file (*.mea): the source position, the room
// volume and the receivers that the "User" arrangement takes as microphones.
//   1 label   2 source x, y, z   3 label   4 room volume   5 label
//   6 number of receivers   7 label   8.. one receiver x, y, z per line
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "core/FieldReader.h"
#include "core/FileError.h"
#include "iso3744/Measurement.h"

namespace fonderel {

struct MeaLayout {
  float SrcX = 0, SrcY = 0, SrcZ = 0;
  float RoomVolume = 0;
  Receivers Rec;
};

// A file naming more than kMaxReceivers receivers, or none, is refused.
std::expected<MeaLayout, FileError> ParseMeaFile(std::string_view bytes, const std::string& file);
std::expected<MeaLayout, FileError> ReadMeaFile(const std::string& path);

// The bytes of a file with trailing blanks and line ends removed, so that
// "until the end of the file" is not fooled by an empty last line.
std::string_view WithoutTrailingBlanks(std::string_view bytes);

}  // namespace fonderel
