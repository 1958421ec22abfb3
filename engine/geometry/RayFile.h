// The CAD geometry file (".ray"): one record per line, its keyword known by
// its first three letters in any case. Faces, holes and doors become the
// source's enclosing geometry; source and receiver positions are kept apart.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

#include "core/FileError.h"
#include "core/Indexed.h"
#include "core/Platform.h"
#include "core/Source.h"

namespace fonderel {

inline constexpr int kMaxCadSources = 128;
inline constexpr int kMaxReceivers = 1024;

// The source and receiver records of a CAD geometry file, in file coordinates.
struct CadPoints {
  std::int16_t NSources = 0;
  Indexed<float, 1, kMaxCadSources> CadSrcX, CadSrcY, CadSrcZ;
  std::int16_t NReceivers = 0;
  Indexed<float, 1, kMaxReceivers> RecX, RecY, RecZ;
};

// Reads the file and replaces the geometry of `src` (faces, holes, doors and
// the bounding box), moved so that the first source sits at the origin; the
// returned points keep file coordinates. A face of more than four vertices is
// announced in a message box and split. A hole or door belongs to the wall
// face, the first face after the last WALL line before it; that face becomes
// a wall with openings, so the SPK file keeps the opening. A file that cannot
// be read, holds more than the geometry can carry (100 faces after splitting,
// 50 holes, 50 doors, 128 sources, 1024 receivers, 12 vertices to a hole, 5
// to a door), an opening outside any wall or in a wall without a face, or no
// face, source or receiver at all, is refused with an error naming the file
// (and the line), and `src` stays as it was. A path that is a dialog's pattern ("*.ray", "*.*") is
// not read: the error is marked cancelled and nothing changes.
std::expected<CadPoints, FileError> ReadRayFile(Source& src, Platform& platform,
                                                const std::string& path);
// The same on bytes already in memory; `path` names them in errors.
std::expected<CadPoints, FileError> ReadRayBytes(Source& src, Platform& platform,
                                                 std::string_view bytes, const std::string& path);

}  // namespace fonderel
