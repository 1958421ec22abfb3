// The SPK writer: golden files written back byte for byte, its log, the
// extension rule, safe saving and a write-read round trip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/SourceText.h"
#include "core/SpkFile.h"
#include "core/TableFile.h"
#include "support/GoldenText.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

namespace fs = std::filesystem;
using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct Session {
  AppState state;
  RecordingPlatform platform;
};

// Each golden file read and saved again gives the expected file byte for byte:
// LOUD_3_8 and NOISE_GEOMETRY unchanged (and the log of the save as kept under
// tests/data/texts/), SPLIT_FACE_IN as the three subfaces of SPLIT_FACE_OUT
// (which is itself stable), and WALL_NO_OPENINGS (a bare wall, a plain
// triangle, another bare wall) with its wall flags kept.
TEST(SpkWrite, GoldenFilesWrittenBack) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"LOUD_3_8.SPK", "LOUD_3_8.SPK", "save-LOUD_3_8.SPK.log"},
      {"NOISE_GEOMETRY.SPK", "NOISE_GEOMETRY.SPK", "save-NOISE_GEOMETRY.SPK.log"},
      {"SPLIT_FACE_IN.SPK", "SPLIT_FACE_OUT.SPK", nullptr},
      {"SPLIT_FACE_OUT.SPK", "SPLIT_FACE_OUT.SPK", nullptr},
      {"WALL_NO_OPENINGS.SPK", "WALL_NO_OPENINGS.SPK", nullptr}};
  for (const auto& [in, out, log] : cases) {
    SCOPED_TRACE(in);
    auto s = std::make_unique<Session>();
    ASSERT_TRUE(ReadSpkFile(s->state, s->platform, DataPath(in)));
    s->state.log.Clear();
    s->platform.calls.clear();
    s->state.src.DataSaved = kFalse;
    TempDir dir;
    std::string path = dir / "SAVED.SPK";
    const auto written = WriteSpkFile(s->state, s->platform, path);
    ASSERT_TRUE(written) << written.error().Text();
    EXPECT_EQ(path, dir / "SAVED.SPK");
    EXPECT_TRUE(Slurp(path) == Slurp(DataPath(out))) << "differs from " << out;
    EXPECT_EQ(s->state.src.DataSaved, kTrue);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"SAVED.SPK"});
    if (log) test::ExpectGoldenLines(s->state.log.Lines(), log, {{"{path}", path}});
    EXPECT_EQ(s->platform.calls.back(), "SetBusy off");
  }
}

// A one-band source for the writer's own rules.
std::unique_ptr<Session> OneBand() {
  auto s = std::make_unique<Session>();
  Source& src = s->state.src;
  src.FirstBand = src.LastBand = src.CurBand = 6;
  src.BandPresent(6) = kTrue;
  src.DirQ(6) = 2;
  return s;
}

std::string Bytes(const Source& src) {
  TextLog log;
  auto bytes = SpkBytes(src, log, "X.SPK");
  EXPECT_TRUE(bytes) << bytes.error().Text();
  return bytes ? *bytes : "";
}

TEST(SpkWrite, WriterRules) {
  struct Case {
    const char* name;
    void (*edit)(Source&);
    const char* expected;  // a part of the file
  };
  const Case cases[] = {
      {"Q of 0 gives index -100", [](Source& s) { s.DirQ(6) = 0; }, "\r\n0,0,0,0,-100,0\r\n"},
      {"negative Q gives index -100", [](Source& s) { s.DirQ(6) = -2; }, "\r\n0,0,0,-2,-100,0\r\n"},
      {"scalars in basic notation",
       [](Source& s) {
         s.Impedance(6) = 0.75f;
         s.Efficiency(6) = -0.25f;
         s.Lw(6) = 1e7f;
         s.Sensitivity(6) = 12345678;
       },
       "\r\n.75,-.25,1E+07,2,3.01029995663981,1.234568E+07\r\n"},
      {"quote and line ends in header texts",
       [](Source& s) {
         s.SourceName = "12\" horn";
         s.Manufacturer = "A\r\nB\nC";
       },
       "\"Source Name\",\"12' horn\"\r\n\"Manufacturer\",\"A  B C\"\r\n"},
      {"triangle face, wall without openings, opening on face 0",
       [](Source& s) {
         s.NFaces = 2;
         s.FaceNVert(1) = 3;
         s.FaceNum(1) = 12;
         s.FaceMat(1) = -7;
         s.FaceX(1, 1) = -1.5f;
         s.FaceY(1, 2) = 0.25f;
         s.FaceZ(1, 3) = 1e-3f;
         s.FaceIsWall(2) = kTrue;
         s.FaceNVert(2) = 0;
         s.HoleFace(1) = 2;  // not written: the face has no openings flag
         s.NHoles = 1;
         s.NDoors = 1;  // DoorFace(1) is 0: carried by no face, dropped
       },
       "\"END\"\r\nEntityList\r\n Face 12 -7  3    -1.5  0  0  0  .25  0  0  0  .001\r\n"
       " Wall\r\n  Face 0  0  0   \r\n End\r\nEnd\r\n"},
      {"holes and doors in file order under their wall",
       [](Source& s) {
         s.NFaces = 2;
         s.FaceIsWall(2) = s.FaceHasOpenings(2) = kTrue;
         s.NHoles = 3;
         s.HoleFace(1) = s.HoleFace(3) = 2;
         s.HoleNum(1) = 1;
         s.HoleNum(3) = 3;
         s.HoleNVert(3) = 1;
         s.HoleX(3, 1) = 2;
         s.NDoors = 1;
         s.DoorFace(1) = 2;
         s.DoorMat(1) = 4;
       },
       " Face 0  0  0   \r\n Wall\r\n  Face 0  0  0   \r\n  Hole 1  0  0 \r\n"
       "  Hole 3  0  1   2  0  0\r\n  Door 0  4  0 \r\n End\r\nEnd\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = OneBand();
    c.edit(s->state.src);
    const std::string bytes = Bytes(s->state.src);
    EXPECT_NE(bytes.find(c.expected), std::string::npos) << bytes.substr(0, 400);
  }
}

TEST(SpkWrite, ExtensionRule) {
  for (const test::Row& c : test::TableRows("spk-file-name.tsv"))
    EXPECT_EQ(SpkFileName(c[0]), c[1]) << c[0];

  // The writer saves under the changed name, over the file there keeping its
  // permissions, and hands the name back.
  TempDir dir;
  const std::string saved = dir / "speaker.SPK";
  Spit(saved, "old bytes\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(saved, mode);
  auto s = OneBand();
  std::string path = dir / "speaker";
  ASSERT_TRUE(WriteSpkFile(s->state, s->platform, path));
  EXPECT_EQ(path, saved);
  EXPECT_EQ(Slurp(saved), Bytes(s->state.src));
  EXPECT_EQ(fs::status(saved).permissions(), mode);
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"speaker.SPK"});
  EXPECT_EQ(s->state.log.Lines().at(1), "Saving Source Description to: " + path);
}

// A save that fails leaves the old file as it was, no temporary file behind,
// and the data unsaved.
void ExpectFailedSave(Session& s, const TempDir& dir, std::string path, const std::string& oldFile,
                      const char* message) {
  const std::vector<std::string> before = Entries(dir.Path());
  const std::string oldBytes = oldFile.empty() ? "" : Slurp(oldFile);
  s.state.src.DataSaved = kFalse;
  const auto written = WriteSpkFile(s.state, s.platform, path);
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().Text().find(message), std::string::npos) << written.error().Text();
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  EXPECT_EQ(Entries(dir.Path()), before);
  EXPECT_EQ(oldFile.empty() ? "" : Slurp(oldFile), oldBytes);
  EXPECT_NE(s.state.log.Lines().back(), "Source file saved correctly!!!");
  EXPECT_EQ(s.platform.calls.back(), "SetBusy off");
}

// A folder in the way, a missing folder, no data, a read-only folder.
TEST(SpkWrite, FailedSaveLosesNothing) {
  const struct {
    const char* what;
    const char* target;
    const char* kept;  // a file that must stay as it was
    bool data;
    const char* message;
  } cases[] = {
      {"target is a folder", "OLD.SPK", "OLD.SPK/keep.txt", true, "cannot"},
      {"folder does not exist", "missing/NEW.SPK", "", true, "cannot create"},
      {"no source data", "OLD.SPK", "OLD.SPK", false, "there are no source data to save"},
      {"read-only folder", "OLD.SPK", "OLD.SPK", true, "cannot create"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (std::string(c.kept) == "OLD.SPK/keep.txt") fs::create_directory(dir / "OLD.SPK");
    if (*c.kept) Spit(dir / c.kept, "old bytes\r\n");
    if (std::string(c.what) == "read-only folder") {
      fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
      if (::access(dir.Path().c_str(), W_OK) == 0) continue;  // root may write anyway
    }
    auto s = c.data ? OneBand() : std::make_unique<Session>();
    ExpectFailedSave(*s, dir, dir / c.target, *c.kept ? dir / c.kept : "", c.message);
  }
}

// A source of random values (fixed seed) survives a save and a load: balloon
// values to four decimals, scalars of up to seven digits exactly, the geometry whole.
TEST(SpkWrite, RandomSourceRoundTrip) {
  std::mt19937 rng(20240314);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const auto text = [&] {
    std::string t(static_cast<std::size_t>(pick(0, 30)), ' ');
    for (char& c : t) {
      do c = static_cast<char>(pick(0, 255));
      while (c == '"' || c == '\r' || c == '\n');
    }
    return t;
  };
  const auto grid = [&](int lo, int hi, double unit) {
    return static_cast<float>(pick(lo, hi) / unit);
  };
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    auto out = std::make_unique<Session>();
    Source& s = out->state.src;
    for (std::string* t : {&s.SourceName, &s.Manufacturer, &s.SourceDate, &s.SourceTime})
      *t = text();
    s.FirstBand = static_cast<std::int16_t>(pick(1, 10));
    s.LastBand = s.CurBand = static_cast<std::int16_t>(pick(s.FirstBand, 10));
    s.BandCount = static_cast<std::int16_t>(s.LastBand - s.FirstBand + 1);
    s.SourceKind = 1;
    Balloon expected;
    for (int b = s.FirstBand; b <= s.LastBand; ++b) {
      s.BandPresent(b) = kTrue;
      s.Impedance(b) = grid(100, 99999, 100);
      s.Efficiency(b) = grid(1, 99999, 1000);
      s.Lw(b) = grid(400000, 1400000, 1e4);
      s.DirQ(b) = grid(500, 9999999, 1e3);
      s.Sensitivity(b) = grid(5000000, 9999999, 1e5);
      for (int p = 0; p < kPlots; ++p)
        for (int k = 0; k < kPoints; ++k) {
          const float v = std::uniform_real_distribution<float>(0.0f, 99.99f)(rng);
          s.BalloonData(p, k, b) = v;
          expected(p, k, b) =
              static_cast<float>(std::floor(static_cast<double>(v) * 1e4 + 0.5) / 1e4);
        }
    }
    s.NFaces = static_cast<std::int16_t>(pick(1, 20));
    for (int f = 1; f <= s.NFaces; ++f) {
      // A negative number is written straight after the tag (" Face-5  3 ..."):
      // it must still come back as the number, not the material code.
      s.FaceNum(f) = static_cast<std::int16_t>(pick(-32768, 32767));
      s.FaceMat(f) = static_cast<std::int16_t>(pick(-32768, 32767));
      s.FaceNVert(f) = static_cast<std::int16_t>(pick(0, 4));
      for (int v = 1; v <= s.FaceNVert(f); ++v) {
        s.FaceX(f, v) = grid(-99999, 99999, 100);
        s.FaceY(f, v) = grid(-99999, 99999, 100);
        s.FaceZ(f, v) = grid(-99999, 99999, 100);
      }
      if (pick(0, 2) != 0) continue;
      const int holes = pick(0, 2), doors = pick(holes == 0 ? 1 : 0, 2);
      s.FaceIsWall(f) = s.FaceHasOpenings(f) = kTrue;
      for (int h = 0; h < holes; ++h) {
        const int i = ++s.NHoles;
        s.HoleFace(i) = static_cast<std::int16_t>(f);
        s.HoleNum(i) = static_cast<std::int16_t>(pick(0, 99));
        s.HoleMat(i) = static_cast<std::int16_t>(pick(-99, 99));
        s.HoleNVert(i) = static_cast<std::int16_t>(pick(0, kHoleVertices));
        for (int v = 1; v <= s.HoleNVert(i); ++v)
          s.HoleX(i, v) = s.HoleY(i, v) = s.HoleZ(i, v) = grid(-999, 999, 10);
      }
      for (int d = 0; d < doors; ++d) {
        const int i = ++s.NDoors;
        s.DoorFace(i) = static_cast<std::int16_t>(f);
        s.DoorNum(i) = static_cast<std::int16_t>(pick(0, 99));
        s.DoorNVert(i) = static_cast<std::int16_t>(pick(0, kDoorVertices));
        for (int v = 1; v <= s.DoorNVert(i); ++v)
          s.DoorX(i, v) = s.DoorY(i, v) = s.DoorZ(i, v) = grid(-999, 999, 10);
      }
    }

    TempDir dir;
    std::string path = dir / "ROUND.SPK";
    const auto written = WriteSpkFile(out->state, out->platform, path);
    ASSERT_TRUE(written) << written.error().Text();
    auto in = std::make_unique<Session>();
    const auto read = ReadSpkFile(in->state, in->platform, path);
    ASSERT_TRUE(read) << read.error().Text();
    const Source& r = in->state.src;
    // Every field comes back, balloon values rounded; the box is the reader's own.
    s.BalloonData = expected;
    std::tie(s.GeoMinX, s.GeoMaxX, s.GeoMinY, s.GeoMaxY, s.GeoMinZ, s.GeoMaxZ) =
        std::tie(r.GeoMinX, r.GeoMaxX, r.GeoMinY, r.GeoMaxY, r.GeoMinZ, r.GeoMaxZ);
    EXPECT_EQ(test::SourceLines(r), test::SourceLines(s));
  }
}

// A value without a number text (a level of -inf, a NaN balloon value) must
// not be saved as a file that cannot be opened again.
TEST(SpkWrite, NonFiniteValueGivesNoUnreadableFile) {
  void (*const edits[])(Source&) = {
      [](Source& s) { s.Lw(6) = -std::numeric_limits<float>::infinity(); },
      [](Source& s) { s.BalloonData(3, 4, 6) = std::nanf(""); }};
  for (const auto edit : edits) {
    auto s = OneBand();
    edit(s->state.src);
    TempDir dir;
    std::string path = dir / "NONFINITE.SPK";
    if (!WriteSpkFile(s->state, s->platform, path)) continue;  // refusing to save is fine
    auto in = std::make_unique<Session>();
    const auto read = ReadSpkFile(in->state, in->platform, path);
    EXPECT_TRUE(read) << read.error().Text();
  }
}

}  // namespace
}  // namespace fonderel
