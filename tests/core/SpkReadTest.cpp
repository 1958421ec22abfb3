// The SPK reader against golden files written by hand from the file layout,
// and the forms of input it must accept; what it reads is compared as text
// (core/SourceText.h) with the files under tests/data/core/.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/SourceText.h"
#include "core/SpkFile.h"
#include "core/TableFile.h"
#include "support/GoldenText.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using namespace std::string_literals;

struct Reading {
  AppState state;
  RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Reading> ReadFile(const std::string& path) {
  auto r = std::make_unique<Reading>();
  r->result = ReadSpkFile(r->state, r->platform, path);
  return r;
}

std::unique_ptr<Reading> ReadText(const std::string& bytes) {
  auto r = std::make_unique<Reading>();
  r->result = ReadSpkBytes(r->state, r->platform, bytes, "TEST.SPK");
  return r;
}

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Golden files written by hand from the file layout, each read over leftovers
// of an earlier source (flags on faces 1..3, a wider box) as its texts under
// tests/data/core/ say: the description, and the platform calls (View Geometry
// only after an EntityList, a warning for a split face).
//  LOUD_3_8: a loudspeaker in bands 3..8 with distinct scalars per band and
//    balloon values that exercise every form of the 7-character field.
//  NOISE_GEOMETRY: a noise source (efficiency 0 in its last band) in bands 1..3
//    with a plain face, a wall carrying two holes and a door, and a triangle.
//  SPLIT_FACE_IN: a wall face of seven vertices with a hole; it becomes a fan
//    of three subfaces, all of the wall, and the hole belongs to the last one.
//  TINY_*: small files with labels of arbitrary bytes (2 plots of 3 points, no
//    plots at all, bands 3 and 5 with a gap).
//  LOUD_FULL_GEOMETRY: LOUD_3_8 with geometry filled to every bound.
TEST(SpkRead, GoldenFiles) {
  for (const std::string name :
       {"LOUD_3_8", "NOISE_GEOMETRY", "SPLIT_FACE_IN", "core/TINY_2_PLOTS_3_POINTS",
        "core/TINY_NO_PLOTS", "core/TINY_BANDS_3_5", "core/LOUD_FULL_GEOMETRY"}) {
    SCOPED_TRACE(name);
    auto r = std::make_unique<Reading>();
    Source& s = r->state.src;
    for (int f = 1; f <= 3; ++f) s.FaceIsWall(f) = s.FaceHasOpenings(f) = kTrue;
    s.GeoMinX = -3;
    s.GeoMaxZ = 5;
    r->result = ReadSpkFile(r->state, r->platform, DataPath(name + ".SPK"));
    ASSERT_TRUE(r->result) << r->result.error().Text();
    const std::string base = name.substr(name.find('/') + 1);
    test::ExpectSourceText(s, base + ".txt");
    test::ExpectGoldenLines(r->platform.calls, "../core/" + base + ".calls");
  }
}

// The log of reading LOUD_3_8.SPK, and its balloon cells worked out by hand for
// every form of the 7-character field.
TEST(SpkRead, LoudspeakerLogAndCells) {
  const std::string path = DataPath("LOUD_3_8.SPK");
  auto r = ReadFile(path);
  ASSERT_TRUE(r->result) << r->result.error().Text();
  test::ExpectGoldenLines(r->state.log.Lines(), "loud-3-8-read.log", {{"{path}", path}});
  for (const test::Row& c : test::TableRows("loud-3-8-cells.tsv")) {
    const Balloon& b = r->state.src.BalloonData;
    EXPECT_EQ(b(std::stoi(c[0]), std::stoi(c[1]), std::stoi(c[2])), std::stof(c[3])) << c[3];
  }
}

// Forms that occur in files: each edit of LOUD_3_8.SPK in
// tests/data/core/spk-read-as-loud.tsv reads exactly as the file itself, and
// an efficiency of 100 % or 0 % makes a noise source.
TEST(SpkRead, AcceptsTheFormsThatOccurInFiles) {
  const std::string loud = Slurp(DataPath("LOUD_3_8.SPK"));
  const auto golden = ReadText(loud);
  ASSERT_TRUE(golden->result);
  for (const test::Row& c : test::TableRows("../core/spk-read-as-loud.tsv")) {
    SCOPED_TRACE(c[0]);
    const auto r =
        ReadText(c.size() > 3 ? test::Replaced(loud, c[1], c[2]) : ReplaceFirst(loud, c[1], c[2]));
    ASSERT_TRUE(r->result) << r->result.error().Text();
    EXPECT_EQ(test::SourceLines(r->state.src), test::SourceLines(golden->state.src));
    EXPECT_EQ(r->platform.calls, golden->platform.calls);
  }
  for (const auto& [efficiency, kind] : {std::pair{"100", 0.0f}, {"0", 0.0f}, {"99.99", 1.0f}}) {
    const auto r = ReadText(ReplaceFirst(loud, "\r\n16,3,", "\r\n16,"s + efficiency + ","));
    EXPECT_EQ(r->state.src.SourceKind, kind) << efficiency;
  }
}

}  // namespace
}  // namespace fonderel
