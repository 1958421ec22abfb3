// A description with nothing in it: what a failed read or import must leave
// behind. The path (SourceFile) and the saved flag are the caller's to check.
#pragma once

#include <gtest/gtest.h>

#include <tuple>

#include "core/Source.h"

namespace fonderel::test {

inline void ExpectEmptySource(const Source& s) {
  const Source f;
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime),
            std::tie(f.SourceName, f.Manufacturer, f.SourceDate, f.SourceTime));
  EXPECT_EQ(std::tie(s.FirstBand, s.LastBand, s.BandCount, s.CurBand, s.SourceKind, s.NFaces,
                     s.NHoles, s.NDoors),
            std::tie(f.FirstBand, f.LastBand, f.BandCount, f.CurBand, f.SourceKind, f.NFaces,
                     f.NHoles, f.NDoors));
  EXPECT_TRUE(s.BandPresent == f.BandPresent && s.Impedance == f.Impedance &&
              s.Efficiency == f.Efficiency && s.Lw == f.Lw && s.DirQ == f.DirQ &&
              s.Sensitivity == f.Sensitivity && s.BalloonData == f.BalloonData);
  EXPECT_TRUE(s.FaceX == f.FaceX && s.FaceNVert == f.FaceNVert && s.FaceIsWall == f.FaceIsWall &&
              s.HoleFace == f.HoleFace && s.DoorNVert == f.DoorNVert);
  EXPECT_EQ(std::tie(s.GeoMinX, s.GeoMinY, s.GeoMinZ, s.GeoMaxX, s.GeoMaxY, s.GeoMaxZ),
            std::tie(f.GeoMinX, f.GeoMinY, f.GeoMinZ, f.GeoMaxX, f.GeoMaxY, f.GeoMaxZ));
}

}  // namespace fonderel::test
