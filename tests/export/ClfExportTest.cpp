// The CLF1 writer: where each balloon direction lands (on the example horn,
// made lopsided so that up differs from down and left from right as much as
// its horizontal pattern differs from its vertical one: a mirror or a swap of
// planes fails), the header and what the writer says it left out, and the
// round trip through the CLF reader of the shipped examples and a BZ source.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "bz/ParametricSource.h"
#include "core/AppState.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "export/ClfExport.h"
#include "import/ClfImport.h"
#include "import/SourceFormat.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

Source LoadExample(const std::string& name) {
  auto state = std::make_unique<AppState>();
  test::RecordingPlatform platform;
  platform.speakers = {std::optional<std::string>()};
  const auto result = LoadSourceFile(*state, platform, std::string(FONDEREL_SOURCES) + "/" + name);
  EXPECT_TRUE(result) << name << ": " << (result ? "" : result.error().Text());
  return state->src;
}

// The horn with everything above its horizontal plane 3 dB down and
// everything on its left 1 dB down (directions as the SOFA page draws them:
// point k of plot p at (cos θ, sin θ cos φ, sin θ sin φ), +y left, +z up).
Source LopsidedHorn() {
  Source s = LoadExample("HORN90X40.SPK");
  const double deg = std::numbers::pi / 180;
  for (int b = s.FirstBand; b <= s.LastBand; ++b) {
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const double y = std::sin(10 * k * deg) * std::cos(10 * p * deg);
        const double z = std::sin(10 * k * deg) * std::sin(10 * p * deg);
        s.BalloonData(p, k, b) *=
            static_cast<float>((z > 1e-9 ? 0.5 : 1.0) * (y > 1e-9 ? 0.8 : 1.0));
      }
    }
  }
  return s;
}

std::vector<std::string> Split(const std::string& text, const std::string& by) {
  std::vector<std::string> out;
  for (std::size_t from = 0;;) {
    const std::size_t at = text.find(by, from);
    out.push_back(text.substr(from, at - from));
    if (at == std::string::npos) return out;
    from = at + by.size();
  }
}

// The arc lines below "<BAND>\t`hz`", split at the tabs.
std::vector<std::vector<std::string>> ArcsOf(const std::vector<std::string>& lines,
                                             const std::string& hz) {
  std::vector<std::vector<std::string>> arcs;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "<BAND>\t" + hz) continue;
    for (std::size_t a = i + 1; a < lines.size() && lines[a][0] != '<'; ++a)
      arcs.push_back(Split(lines[a], "\t"));
  }
  return arcs;
}

TEST(ClfExport, EachDirectionLandsOnItsArc) {
  const Source horn = LopsidedHorn();
  std::vector<std::string> notes;
  const auto bytes = ClfBytes(horn, notes, "horn.tab");
  ASSERT_TRUE(bytes) << bytes.error().Text();
  const std::vector<std::string> lines = Split(*bytes, "\r\n");
  // Arc (default order, counted from straight up through the left) and the
  // balloon cell of its value j degrees·10 off the axis.
  const struct {
    const char* side;
    int arc;
    int plot;
    bool far;  // the value sits at point 36 − j
  } cells[] = {{"up", 0, 9, false},          {"left", 9, 0, false},
               {"down", 18, 9, true},        {"right", 27, 0, true},
               {"up-left 30°", 3, 6, false}, {"up-right 30°", 33, 12, false}};
  for (int b = horn.FirstBand; b <= horn.LastBand; ++b) {
    const auto arcs = ArcsOf(lines, DoubleText(BandFreq(b), Lead::None));
    ASSERT_EQ(arcs.size(), 36u) << b;
    for (const auto& c : cells) {
      ASSERT_EQ(arcs[c.arc].size(), 19u);
      for (int j = 0; j <= 18; ++j) {
        const int point = c.far ? (36 - j) % 36 : j;
        const double db = Decibels(horn.BalloonData(c.plot, point, b) / horn.BalloonData(0, 0, b));
        EXPECT_EQ(arcs[c.arc][j], FormatNumber(db, "###0.00"))
            << c.side << " band " << b << " at " << 10 * j;
      }
    }
  }
  // The horn is 90 degrees wide and 40 high: at 40 degrees off the axis the
  // 2 kHz arc to the right is well above the one downwards.
  const auto arcs = ArcsOf(lines, "2000");
  EXPECT_GT(std::stod(arcs[27][4]), std::stod(arcs[18][4]) + 2.0);
}

TEST(ClfExport, HeaderAndWhatTheFileCannotCarry) {
  Source horn = LoadExample("HORN90X40.SPK");  // 125 Hz to 4 kHz
  horn.LastBand = 10;
  for (int b = 9; b <= 10; ++b) {
    horn.BandPresent(b) = kTrue;
    horn.DirQ(b) = horn.DirQ(8);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) horn.BalloonData(p, k, b) = horn.BalloonData(p, k, 8);
  }
  horn.NFaces = 2;
  std::vector<std::string> notes;
  const auto bytes = ClfBytes(horn, notes, "horn.tab");
  ASSERT_TRUE(bytes) << bytes.error().Text();
  const std::vector<std::string> lines = Split(*bytes, "\r\n");
  const std::vector<std::string> head(lines.begin(), lines.begin() + 10);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "<CLF1>", "<VERSION>\t1", "<MODELNAME>\tHorn 90x40 two-way",
                      "<MANUFACTURER>\tExample Acoustics", "<MINBAND>\t125", "<MAXBAND>\t8000",
                      "<RADIATION>\t<fullsphere>", "<BALLOON-SYMMETRY>\t<none>",
                      "<BALLOON-ARC-ORDER>\t<default>", "<BALLOON-REF>\t<relative>"}));
  EXPECT_EQ(lines[10].substr(0, 19), "<SENSITIVITY>\t98.00");
  EXPECT_EQ(Split(lines[10], "\t").size(), 8u);
  EXPECT_EQ(lines[11].substr(0, 17), "<IMPEDANCE>\t12.50");
  EXPECT_EQ(lines[12], "<BAND>\t125");
  EXPECT_EQ(lines[13].substr(0, 5), "0.00\t");
  EXPECT_TRUE(bytes->ends_with("\r\n<CLF1END>\r\n"));
  EXPECT_EQ(bytes->find("\n\n"), std::string::npos);
  EXPECT_EQ(
      notes,
      (std::vector<std::string>{
          "the 16000 Hz band is outside CLF1's range and was not written",
          "the sound power level has no place in a CLF1 file and was not written",
          "the efficiency has no place in a CLF1 file and was not written",
          "the enclosing geometry (2 faces) has no place in a CLF1 file and was not written"}));

  Source highOnly = horn;
  highOnly.FirstBand = 10;
  notes.clear();
  const auto refused = ClfBytes(highOnly, notes, "high.tab");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().Text(),
            "high.tab: no band of the source lies within CLF1's range (31.5 Hz to 8000 Hz)");
  EXPECT_FALSE(ClfBytes(Source{}, notes, "empty.tab"));
}

TEST(ClfExport, SourcesReadBackWithinTheFormatsPrecision) {
  std::vector<std::pair<std::string, Source>> sources;
  for (const char* name :
       {"HORN90X40.SPK", "COMPRESSOR.SPK", "BOX12.EAS", "COLUMN16.TXT", "HORN60.MDL"}) {
    sources.emplace_back(name, LoadExample(name));
  }
  Source bz;
  BzFunctions functions;
  for (int b = 2; b <= 9; ++b) functions(b) = static_cast<float>(b);
  CreateParametricSource(bz, functions, true, LoudspeakerPowerLevel(100));
  sources.emplace_back("BZ 2..9", bz);
  sources.emplace_back("lopsided horn", LopsidedHorn());

  test::TempDir dir;
  for (const auto& [name, src] : sources) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(src.HasData());
    std::vector<std::string> notes;
    const auto bytes = ClfBytes(src, notes, dir / "out.tab");
    ASSERT_TRUE(bytes) << bytes.error().Text();
    ASSERT_TRUE(WriteFileAtomically(dir / "out.tab", *bytes));
    auto state = std::make_unique<AppState>();
    test::RecordingPlatform platform;
    const auto read = ImportClfFile(*state, platform, dir / "out.tab");
    ASSERT_TRUE(read) << read.error().Text();
    const Source& back = state->src;
    EXPECT_EQ(back.SourceName, src.SourceName);
    EXPECT_EQ(back.FirstBand, src.FirstBand);
    EXPECT_EQ(back.LastBand, std::min<int>(src.LastBand, 9));
    for (int b = back.FirstBand; b <= back.LastBand; ++b) {
      EXPECT_NEAR(back.Sensitivity(b), src.Sensitivity(b), 0.005) << b;
      EXPECT_NEAR(back.Impedance(b), src.Impedance(b), 0.005) << b;
      for (int p = 0; p < kPlots; ++p) {
        for (int k = 0; k < kPoints; ++k) {
          const double was = Decibels(src.BalloonData(p, k, b) / src.BalloonData(0, 0, b));
          const double is = Decibels(back.BalloonData(p, k, b) / back.BalloonData(0, 0, b));
          if (was > -100) {
            EXPECT_NEAR(is, was, 0.0051) << b << " " << p << " " << k;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace fonderel
