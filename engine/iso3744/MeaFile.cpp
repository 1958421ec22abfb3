#include "iso3744/MeaFile.h"

#include "core/SafeFile.h"
#include "core/Try.h"

namespace fonderel {

std::string_view WithoutTrailingBlanks(std::string_view bytes) {
  while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t' || bytes.back() == '\r' ||
                            bytes.back() == '\n' || bytes.back() == '\x1a')) {
    bytes.remove_suffix(1);
  }
  return bytes;
}

std::expected<MeaLayout, FileError> ParseMeaFile(std::string_view bytes, const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  MeaLayout out;
  TRY(in.SkipLine());
  TRY_READ(x, in.ReadSingle());
  TRY_READ(y, in.ReadSingle());
  TRY_READ(z, in.ReadSingle());
  out.SrcX = x;
  out.SrcY = y;
  out.SrcZ = z;
  TRY(in.SkipLine());
  TRY_READ(volume, in.ReadSingle());
  out.RoomVolume = volume;
  TRY(in.SkipLine());
  TRY_READ(count, in.ReadInteger());
  if (count < 1 || count > kMaxReceivers) {
    return std::unexpected(in.ErrorAt(in.ItemLine(), "the number of receivers must be 1 to " +
                                                         std::to_string(kMaxReceivers) + ", found " +
                                                         std::to_string(count)));
  }
  TRY(in.SkipLine());
  for (int k = 1; k <= count; ++k) {
    TRY_READ(rx, in.ReadSingle());
    TRY_READ(ry, in.ReadSingle());
    TRY_READ(rz, in.ReadSingle());
    out.Rec.RecX(k) = rx;
    out.Rec.RecY(k) = ry;
    out.Rec.RecZ(k) = rz;
  }
  out.Rec.NReceivers = count;
  return out;
}

std::expected<MeaLayout, FileError> ReadMeaFile(const std::string& path) {
  TRY_READ(bytes, ReadWholeFile(path));
  return ParseMeaFile(bytes, path);
}

}  // namespace fonderel
