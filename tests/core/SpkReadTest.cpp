// The SPK reader against golden files written by hand from the file layout,
// and the forms of input it must accept.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/SpkFile.h"
#include "core/TableFile.h"
#include "support/RecordingPlatform.h"
#include "support/GoldenText.h"
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

// Balloon cells of LOUD_3_8.SPK: a formula, and the cells of
// tests/data/tables/loud-3-8-cells.tsv that exercise the field.
float LoudCell(int p, int k, int b) {
  static const std::vector<test::Row> special = test::TableRows("loud-3-8-cells.tsv");
  for (const test::Row& c : special)
    if (std::stoi(c[0]) == p && std::stoi(c[1]) == k && std::stoi(c[2]) == b) return std::stof(c[3]);
  return static_cast<float>(((b * 7919L + p * 104729L + k * 1299709L) % 999983) / 10000.0);
}

float NoiseCell(int p, int k, int b) {
  return static_cast<float>((5000 + (b * 313 + p * 97 + k * 41) % 10000) / 10000.0);
}

// Every balloon value of bands first..last follows `cell`; other bands hold 0.
void ExpectBalloon(const Source& s, int first, int last,
                   const std::function<float(int, int, int)>& cell) {
  int wrong = 0;
  for (int b = 1; b <= kBandCount; ++b)
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) {
        const float want = (b >= first && b <= last) ? cell(p, k, b) : 0.0f;
        if (s.BalloonData(p, k, b) != want && ++wrong <= 5)
          ADD_FAILURE() << "BalloonData(" << p << "," << k << "," << b
                        << ") = " << s.BalloonData(p, k, b) << ", want " << want;
      }
  EXPECT_EQ(wrong, 0);
}

struct BandScalars {
  int band;
  float impedance, efficiency, lw, dirQ, sensitivity;
};

void ExpectBands(const Source& s, int first, int last, const std::vector<BandScalars>& bands) {
  EXPECT_EQ(s.FirstBand, first);
  EXPECT_EQ(s.LastBand, last);
  EXPECT_EQ(s.BandCount, last - first + 1);
  EXPECT_EQ(s.CurBand, last);
  for (int b = 1; b <= kBandCount; ++b)
    EXPECT_EQ(s.BandPresent(b), (b >= first && b <= last) ? kTrue : kFalse) << b;
  for (const BandScalars& w : bands) {
    SCOPED_TRACE("band " + std::to_string(w.band));
    EXPECT_EQ(s.Impedance(w.band), w.impedance);
    EXPECT_EQ(s.Efficiency(w.band), w.efficiency);
    EXPECT_EQ(s.Lw(w.band), w.lw);
    EXPECT_EQ(s.DirQ(w.band), w.dirQ);
    EXPECT_EQ(s.Sensitivity(w.band), w.sensitivity);
  }
}

// LOUD_3_8.SPK: a loudspeaker in bands 3..8 with distinct scalars per band and
// balloon values that exercise every form of the 7-character field.
TEST(SpkRead, LoudspeakerGolden) {
  const std::string path = DataPath("LOUD_3_8.SPK");
  auto r = ReadFile(path);
  ASSERT_TRUE(r->result) << r->result.error().Text();
  const Source& s = r->state.src;
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer, s.SourceDate, s.SourceTime),
            std::make_tuple("XYZ", "Acme Audio", "03-14-2024", "09:26:53"));
  ExpectBands(s, 3, 8,
              {{3, 8, 1.5f, 95.3f, 3.2f, 88.5f},
               {4, 6.8f, 2.25f, 98.75f, 4.5f, 91},
               {5, 7.2f, 0.8f, 101.2345f, 6.3f, 92.41235f},
               {6, 9.5f, 1.1f, 99, 1, 90.6f},
               {7, 12.25f, 0.375f, 97.125f, 15.8f, 93.2f},
               {8, 16, 3, 94.6f, 0.85f, 89.9f}});
  for (int b : {1, 2, 9, 10}) EXPECT_EQ(s.Lw(b), 0.0f) << b;
  ExpectBalloon(s, 3, 8, LoudCell);
  EXPECT_EQ(std::make_tuple(s.SourceKind, s.NFaces, s.NHoles, s.NDoors), std::make_tuple(1.0f, 0, 0, 0));

  test::ExpectGoldenLines(r->state.log.Lines(), "loud-3-8-read.log", {{"{path}", path}});
  // No EntityList: the View Geometry command stays as it was.
  EXPECT_EQ(r->platform.calls, (std::vector<std::string>{"ShowTextLog", "SetBusy on",
                                                         "ProcessEvents", "SetBusy off"}));
}

// NOISE_GEOMETRY.SPK: a noise source (efficiency 0 in its last band) in bands
// 1..3 with a plain face, a wall carrying two holes and a door, and a triangle.
TEST(SpkRead, NoiseSourceWithGeometryGolden) {
  auto r = std::make_unique<Reading>();
  Source& s = r->state.src;
  // Left over from an earlier source: flags on faces 1..3 and a wider box.
  for (int f = 1; f <= 3; ++f) s.FaceIsWall(f) = s.FaceHasOpenings(f) = kTrue;
  s.GeoMinX = -3;
  s.GeoMaxZ = 5;
  r->result = ReadSpkFile(r->state, r->platform, DataPath("NOISE_GEOMETRY.SPK"));
  ASSERT_TRUE(r->result) << r->result.error().Text();
  EXPECT_EQ(std::tie(s.SourceName, s.Manufacturer), std::make_tuple("Compressor K-7", "Example Machines"));
  ExpectBands(s, 1, 3,
              {{1, 0, 2.5f, 80.5f, 1, 0}, {2, 0, 50, 85.25f, 1.5f, 0}, {3, 0, 0, 90, 2, 0}});
  ExpectBalloon(s, 1, 3, NoiseCell);
  EXPECT_EQ(s.SourceKind, 0.0f);

  ASSERT_EQ(std::make_tuple(s.NFaces, s.NHoles, s.NDoors), std::make_tuple(3, 2, 1));
  const std::int16_t num[] = {1, 2, 4}, mat[] = {1, 3, -2}, nvert[] = {4, 4, 3},
                     wall[] = {0, -1, 0};
  for (int f = 1; f <= 3; ++f) {
    EXPECT_EQ(s.FaceNum(f), num[f - 1]) << f;
    EXPECT_EQ(s.FaceMat(f), mat[f - 1]) << f;
    EXPECT_EQ(s.FaceNVert(f), nvert[f - 1]) << f;
    EXPECT_EQ(s.FaceIsWall(f), wall[f - 1]) << f;
    EXPECT_EQ(s.FaceHasOpenings(f), wall[f - 1]) << f;
  }
  EXPECT_EQ(std::make_tuple(s.FaceX(1, 1), s.FaceY(1, 3), s.FaceZ(2, 3), s.FaceY(3, 3)),
            std::make_tuple(-0.5f, 0.75f, 1.25f, 0.125f));
  EXPECT_EQ(std::make_tuple(s.HoleFace(1), s.HoleFace(2), s.DoorFace(1), s.HoleNum(2), s.HoleMat(2),
                            s.HoleNVert(2), s.DoorMat(1)),
            std::make_tuple(2, 2, 2, 2, 8, 3, 9));
  EXPECT_EQ(std::make_tuple(s.HoleY(1, 1), s.HoleZ(2, 3), s.DoorZ(1, 3)),
            std::make_tuple(-0.25f, 2.1f, 2.5f));
  // Face vertices widen the box the reader found; hole and door vertices do not.
  EXPECT_EQ(std::make_tuple(s.GeoMinX, s.GeoMaxX, s.GeoMinY, s.GeoMaxY, s.GeoMinZ, s.GeoMaxZ),
            std::make_tuple(-3.0, 0.5, -0.5, 0.75, 0.0, 5.0));
  EXPECT_EQ(r->platform.calls,
            (std::vector<std::string>{"ShowTextLog", "SetBusy on", "ProcessEvents", "SetBusy off",
                                      "ViewGeometry on"}));
}

// SPLIT_FACE_IN.SPK: a wall face of seven vertices with a hole; it becomes a
// fan of three subfaces, all of the wall, and the hole belongs to the last one.
TEST(SpkRead, SevenVertexFaceIsSplit) {
  auto r = ReadFile(DataPath("SPLIT_FACE_IN.SPK"));
  ASSERT_TRUE(r->result) << r->result.error().Text();
  const Source& s = r->state.src;
  const float px[] = {0, 1, 2, 2, 1, 0, -0.5f}, py[] = {0, 0, 0.5f, 1.5f, 2, 2, 1};
  const int fan[3][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 6}};
  ASSERT_EQ(s.NFaces, 3);
  for (int f = 1; f <= 3; ++f) {
    SCOPED_TRACE("face " + std::to_string(f));
    EXPECT_EQ(s.FaceNVert(f), f == 3 ? 3 : 4);
    EXPECT_EQ(s.FaceNum(f), 5);
    EXPECT_EQ(s.FaceMat(f), 2);
    EXPECT_EQ(s.FaceIsWall(f), kTrue);
    for (int v = 1; v <= 4; ++v) {
      EXPECT_EQ(s.FaceX(f, v), px[fan[f - 1][v - 1]]) << v;
      EXPECT_EQ(s.FaceY(f, v), py[fan[f - 1][v - 1]]) << v;
    }
  }
  ASSERT_EQ(s.NHoles, 1);
  EXPECT_EQ(s.HoleFace(1), 3);
  EXPECT_EQ(r->platform.calls,
            (std::vector<std::string>{
                "ShowTextLog", "SetBusy on", "ProcessEvents",
                "ShowMessage Warning !|Not supported number of vertexes ( 7 ) for face N. 5\r"
                "This face will be splitted in 4-vertexes subfaces!",
                "SetBusy off", "ViewGeometry on"}));
}

// A small file: header, the given bands with `plots` rows of `points` values
// (plot p, point k holds (10p + k + 1) / 10), and labels of arbitrary bytes.
std::string TinySpk(const std::vector<int>& bands, int plots, int points) {
  std::string t = "\x81\xfe,\"A\"\r\n\"\",\"B\"\r\nDate,\"C\"\r\n\"Time\",\"D\"\r\n\x7f\x80," +
                  std::to_string(bands.size()) + "\r\n";
  for (int b : bands) {
    t += "\"\xa0\xa0\"," + std::to_string(b) + "\r\n";
    t += "\x00\x01,\"\xff\"\",,, ignored\r\n"s;
    t += "8,1,90,2,3.01029995663981,88\r\n";
    t += "\"\xe9\"," + std::to_string(plots) + "\r\nplots\xf8," + std::to_string(points) + "\r\n";
    t += "\xdf\xf8 not quoted \"\r\n";
    for (int p = 0; p < plots; ++p) {
      t += "\"\xe9\"," + std::to_string(10 * p);
      for (int k = 0; k < points; ++k) {
        const int n = 10 * p + k + 1;
        t += "," + std::to_string(n / 10) + "." + std::to_string(n % 10);
      }
      t += "\r\n";
    }
  }
  return t + "\"END\"\r\n";
}

std::string Geometry(int faces, int sevenVertexFaces, int holes, int doors) {
  std::string g = "EntityList\r\n Wall\r\n  Face 1  1  4    0 0 0 1 0 0 1 1 0 0 1 0\r\n";
  for (int h = 0; h < holes; ++h)
    g += "  Hole 1  1  12 " + test::Replaced(std::string(12, 'v'), "v", " .1 .2 .3") + "\r\n";
  for (int d = 0; d < doors; ++d)
    g += "  Door 1  1  5 " + test::Replaced(std::string(5, 'v'), "v", " .1 .2 .3") + "\r\n";
  g += " End\r\n";
  for (int f = 1; f < faces; ++f) g += " Face 2  2  4    0 0 0 2 0 0 2 2 0 0 2 0\r\n";
  for (int f = 0; f < sevenVertexFaces; ++f)
    g += " Face 3  3  7    0 0 0 1 0 0 2 1 0 2 2 0 1 3 0 0 2 0 -1 1 0\r\n";
  return g + "End\r\n";
}

using Check = std::function<void(const Reading&)>;
struct Accepted {
  const char* name;
  std::function<std::string(const std::string& loud)> text;
  Check check;
};

TEST(SpkRead, AcceptsTheFormsThatOccurInFiles) {
  const std::string loud = Slurp(DataPath("LOUD_3_8.SPK"));
  const auto golden = ReadText(loud);
  ASSERT_TRUE(golden->result);
  const Check sameAsGolden = [&](const Reading& r) {
    EXPECT_EQ(r.state.src.BalloonData, golden->state.src.BalloonData);
    EXPECT_EQ(r.state.src.Lw, golden->state.src.Lw);
    EXPECT_EQ(r.state.src.DirQ, golden->state.src.DirQ);
    EXPECT_EQ(r.state.src.LastBand, 8);
  };
  const auto efficiency = [](const char* text, float kind) {
    return Accepted{
        text,
        [=](const std::string& l) { return ReplaceFirst(l, "\r\n16,3,", "\r\n16,"s + text + ","); },
        [=](const Reading& r) { EXPECT_EQ(r.state.src.SourceKind, kind); }};
  };
  const Accepted cases[] = {
      {"0.5 and .5 alike",
       [](const std::string& l) { return ReplaceFirst(l, ",  .5000,", ",0.5,"); },
       [](const Reading& r) { EXPECT_EQ(r.state.src.BalloonData(0, 0, 3), 0.5f); }},
      {"scalars with leading zeros, plus and exponent",
       [](const std::string& l) {
         return ReplaceFirst(l, "\r\n8,1.5,95.3,", "\r\n8.0,01.50,+953E-1,");
       },
       [](const Reading& r) {
         EXPECT_EQ(r.state.src.Impedance(3), 8.0f);
         EXPECT_EQ(r.state.src.Efficiency(3), 1.5f);
         EXPECT_EQ(r.state.src.Lw(3), 95.3f);
       }},
      {"LF line ends", [](const std::string& l) { return test::Replaced(l, "\r\n", "\n"); },
       sameAsGolden},
      {"CR line ends", [](const std::string& l) { return test::Replaced(l, "\r\n", "\r"); },
       sameAsGolden},
      {"no line end after END", [](const std::string& l) { return l.substr(0, l.size() - 2); },
       sameAsGolden},
      efficiency("100", 0.0f),
      efficiency("0", 0.0f),
      efficiency("99.99", 1.0f),
      {"text after END but no EntityList",
       [](const std::string& l) {
         return l + "notes\r\n Face 1  1  4    0 0 0 1 0 0 1 1 0 0 1 0\r\nEnd\r\n";
       },
       [](const Reading& r) {
         EXPECT_EQ(r.state.src.NFaces, 0);
         EXPECT_FALSE(r.platform.Called("ViewGeometry on"));
       }},
      {"2 plots of 3 points, labels of any bytes",
       [](const std::string&) { return TinySpk({4}, 2, 3); },
       [](const Reading& r) {
         const Source& s = r.state.src;
         EXPECT_EQ(s.SourceName, "A");
         EXPECT_EQ(s.SourceTime, "D");
         ExpectBalloon(s, 4, 4, [](int p, int k, int) {
           return p < 2 && k < 3 ? static_cast<float>((10 * p + k + 1) / 10.0) : 0.0f;
         });
       }},
      {"no plots at all", [](const std::string&) { return TinySpk({10}, 0, 0); },
       [](const Reading& r) {
         EXPECT_EQ(r.state.src.FirstBand, 10);
         ExpectBalloon(r.state.src, 1, 0, nullptr);
       }},
      {"bands 3 and 5 with a gap",
       [](const std::string&) { return TinySpk({3, 5}, 1, 1); },
       [](const Reading& r) {
         const Source& s = r.state.src;
         EXPECT_EQ(std::make_tuple(s.FirstBand, s.LastBand, s.BandCount, s.BandPresent(4), s.BandPresent(5)),
                   std::make_tuple(3, 5, 2, kFalse, kTrue));
         EXPECT_EQ(s.BalloonData(0, 0, 5), 0.1f);
       }},
      {"geometry filled to every bound",
       [](const std::string& l) { return l + Geometry(97, 1, 50, 50); },
       [](const Reading& r) {
         const Source& s = r.state.src;
         EXPECT_EQ(std::make_tuple(s.NFaces, s.NHoles, s.NDoors), std::make_tuple(100, 50, 50));
         EXPECT_EQ(s.HoleNVert(50), 12);
         EXPECT_EQ(s.HoleZ(50, 12), 0.3f);
         EXPECT_EQ(s.DoorNVert(50), 5);
         EXPECT_EQ(s.DoorFace(50), 1);
         EXPECT_EQ(s.FaceNVert(100), 3);
         EXPECT_EQ(s.FaceX(100, 3), -1.0f);
       }},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = ReadText(c.text(loud));
    ASSERT_TRUE(r->result) << r->result.error().Text();
    c.check(*r);
  }
}

}  // namespace
}  // namespace fonderel
