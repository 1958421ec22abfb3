// The Modeler importer against golden files written byte by byte from the
// layout (six 418-byte band blocks of big-endian words, the name at 2510), and
// against every way such a file can be broken.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/EmptySource.h"
#include "import/ModelerImport.h"
#include "import/SourceFormat.h"
#include "core/TableFile.h"
#include "support/RecordingPlatform.h"
#include "support/GoldenText.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;
using test::Spit;
using test::TempDir;

struct Import {
  AppState state;
  RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Import> ImportPath(const std::string& path,
                                   std::vector<std::optional<std::string>> inputs = {"Acme"}) {
  auto run = std::make_unique<Import>();
  run->state.src.SourceFile = path;
  for (auto& answer : inputs) run->platform.inputs.push_back(answer);
  run->result = ImportModelerFile(run->state, run->platform, path);
  return run;
}

void PutWord(std::string& bytes, std::size_t at, int value) {
  const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
  bytes[at] = static_cast<char>(u >> 8);
  bytes[at + 1] = static_cast<char>(u & 0xFF);
}

// The zone (angle from the axis, 0..18) of a point 0..35 of a plot.
int Zone(int point) {
  return point <= 18 ? point : 36 - point;
}
// The half-plane of the quarter read (0..9) that a plot mirrors.
int QuarterPlane(int plot) {
  return plot <= 9 ? plot : 18 - plot;
}

void ExpectFinite(const Source& src) {
  for (int b = 1; b <= kBandCount; ++b) {
    for (float v :
         {src.Lw(b), src.DirQ(b), src.Efficiency(b), src.Impedance(b), src.Sensitivity(b)})
      EXPECT_TRUE(std::isfinite(v)) << "band " << b;
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) EXPECT_TRUE(std::isfinite(src.BalloonData(p, k, b)));
  }
}

// The mean intensity over the sphere: every plot holds two half-planes,
// points 0..18 and 18..35 back to the axis.
double SphereMean(const Source& src, int band) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p)
    for (int a = 0; a <= 18; ++a)
      sum += (src.BalloonData(p, a, band) + src.BalloonData(p, (36 - a) % 36, band)) * w(a);
  return sum / 36.0;
}

double PowerLevel(double watts, double percent) {
  return 10.0 * std::log10(watts * percent / 100.0 / 1e-12);
}

// MODELER_ONE.MDL: one band (500 Hz, attenuation a·(10 + r) tenths of a dB)
// among five empty ones, first word FF FE; checks the header, the scalars of
// band 5, the range, the manufacturer box with the dialogs in their order and
// every log line. A cancelled manufacturer box leaves the import standing.
TEST(ModelerImport, OneBandFillsTheDescription) {
  const std::string path = DataPath("import/MODELER_ONE.MDL");
  auto run = ImportPath(path);
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& src = run->state.src;
  EXPECT_EQ(std::tie(src.SourceName, src.Manufacturer, src.SourceDate, src.SourceTime, src.SourceFile),
            std::make_tuple("ONE-5", "Acme", "12-06-2026", "17:45:09", path));
  EXPECT_EQ(std::make_tuple(src.SourceKind, src.FirstBand, src.LastBand, src.BandCount),
            std::make_tuple(1.0f, 5, 5, 1));
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(src.BandPresent(b) != 0, b == 5) << b;
  EXPECT_FLOAT_EQ(src.Sensitivity(5), 91.5f);
  EXPECT_FLOAT_EQ(src.Impedance(5), 7.9f);
  EXPECT_FLOAT_EQ(src.DirQ(5), 2.5f);
  EXPECT_FLOAT_EQ(src.Efficiency(5), 1.2f);
  // 100 W at 1.2 %; one band, so nothing is spread.
  EXPECT_NEAR(src.Lw(5), PowerLevel(100, 1.2), 1e-4);
  EXPECT_NEAR(SphereMean(src, 5), 1.0, 1e-5);
  ExpectFinite(src);
  const std::vector<std::string> calls = {
      "SetBusy on", "ShowTextLog", "SetBusy off",
      "InputBox Modeler File has been loaded|Speaker Name:\rONE-5\r\rEnter Manufacturer"};
  EXPECT_EQ(run->platform.calls, calls);
  EXPECT_TRUE(run->platform.infoTables.empty()) << "the caller refreshes the views";
  test::ExpectGoldenLines(run->state.log.Lines(), "modeler-one.log", {{"{path}", path}});

  auto cancelled = ImportPath(path, {std::nullopt});
  ASSERT_TRUE(cancelled->result) << cancelled->result.error().Text();
  EXPECT_EQ(cancelled->state.src.Manufacturer, "");
  EXPECT_EQ(cancelled->state.src.SourceName, "ONE-5");
  EXPECT_TRUE(cancelled->state.src.BalloonData == src.BalloonData);
}

// MODELER_OMNI.MDL: six omnidirectional bands with their own scalars; every
// cell is 1 and every Lw is lowered by 10·log10(6).
TEST(ModelerImport, SixOmnidirectionalBands) {
  auto run = ImportPath(DataPath("import/MODELER_OMNI.MDL"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& src = run->state.src;
  EXPECT_EQ(std::make_tuple(src.FirstBand, src.LastBand, src.BandCount), std::make_tuple(3, 8, 6));
  EXPECT_EQ(src.SourceName, "OMNI SIX");
  struct Band {
    int band;
    float sensitivity, impedance, dirQ, efficiency, watts;
  };
  const Band bands[] = {{3, 90, 8, 1, 0.5f, 50},  {4, 91, 8, 2, 1.0f, 100},
                        {5, 92, 8, 3, 1.5f, 150}, {6, 93, 8, 4, 2.0f, 200},
                        {7, 94, 8, 5, 2.5f, 250}, {8, 95, 8, 6, 3.0f, 300}};
  for (const Band& b : bands) {
    SCOPED_TRACE(b.band);
    EXPECT_NE(src.BandPresent(b.band), 0);
    EXPECT_FLOAT_EQ(src.Sensitivity(b.band), b.sensitivity);
    EXPECT_FLOAT_EQ(src.Impedance(b.band), b.impedance);
    EXPECT_FLOAT_EQ(src.DirQ(b.band), b.dirQ);
    EXPECT_FLOAT_EQ(src.Efficiency(b.band), b.efficiency);
    EXPECT_NEAR(src.Lw(b.band), PowerLevel(b.watts, b.efficiency) - 7.781513, 1e-4);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) EXPECT_NEAR(src.BalloonData(p, k, b.band), 1.0f, 1e-6);
  }
  // Band 3: 50 W at 0.5 % is 0.25 W, 113.98 dB, spread over six bands.
  EXPECT_NEAR(src.Lw(3), 106.1979, 1e-3);
  for (int b : {1, 2, 9, 10}) {
    EXPECT_EQ(src.BandPresent(b), 0);
    EXPECT_EQ(src.Lw(b), 0.0f);
  }
  int ones = 0;
  for (const std::string& line : run->state.log.Lines())
    ones += line == "Computed Directivity =  1";
  EXPECT_EQ(ones, 6);
  ExpectFinite(src);
}

// MODELER_HORN (no extension, as Modeler 3.1 writes it): bands 4, 6 and 7 with
// data, 3, 5 and 8 empty with bytes in their blocks that would be refused if
// read; band 4 holds 30·r + 5·a tenths of a dB, band 6 the words 01 F4 and
// FF 9C; the name carries Windows-1252 degree signs and bytes follow it.
TEST(ModelerImport, DirectionalFileMapsTheQuarterOntoTheSphere) {
  auto run = ImportPath(DataPath("import/MODELER_HORN"));
  ASSERT_TRUE(run->result) << run->result.error().Text();
  const Source& src = run->state.src;
  EXPECT_EQ(src.SourceName, "Horn 60\xB0x40\xB0");
  EXPECT_EQ(std::make_tuple(src.FirstBand, src.LastBand, src.BandCount), std::make_tuple(4, 7, 4));
  for (int b : {1, 2, 3, 5, 8, 9, 10}) {
    SCOPED_TRACE(b);
    EXPECT_EQ(src.BandPresent(b), 0);
    EXPECT_EQ(src.Lw(b), 0.0f);
    EXPECT_EQ(src.Efficiency(b), 0.0f);
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) EXPECT_EQ(src.BalloonData(p, k, b), 0.0f);
  }

  // Band 4: every cell against the half-plane and angle it mirrors.
  const float axis = src.BalloonData(0, 0, 4);
  for (int p = 0; p < kPlots; ++p) {
    for (int k = 0; k < kPoints; ++k) {
      const double tenths = 30 * QuarterPlane(p) + 5 * Zone(k);
      EXPECT_NEAR(src.BalloonData(p, k, 4) / axis, std::pow(10.0, -tenths / 100), 1e-5)
          << "plot " << p << " point " << k;
    }
  }
  // A few cells by hand: (plot, point, tenths of a dB below the axis).
  struct Cell {
    int plot, point, tenths;
  };
  for (const Cell& c : {Cell{0, 18, 90}, Cell{9, 18, 360}, Cell{9, 0, 270}, Cell{12, 20, 260},
                        Cell{17, 35, 35}, Cell{3, 30, 120}, Cell{10, 1, 245}}) {
    EXPECT_NEAR(src.BalloonData(c.plot, c.point, 4) / axis, std::pow(10.0, -c.tenths / 100.0), 1e-5)
        << "plot " << c.plot << " point " << c.point;
  }

  // Band 6: 01 F4 is 500 (50 dB below the axis), FF 9C is -100 (10 dB above),
  // each with its three mirror images.
  const float axis6 = src.BalloonData(0, 0, 6);
  for (auto [p, k] : {std::pair{1, 3}, {17, 3}, {1, 33}, {17, 33}})
    EXPECT_NEAR(src.BalloonData(p, k, 6) / axis6, 1e-5, 1e-10) << p << "," << k;
  for (auto [p, k] : {std::pair{2, 4}, {16, 4}, {2, 32}, {16, 32}})
    EXPECT_NEAR(src.BalloonData(p, k, 6) / axis6, 10.0, 1e-5) << p << "," << k;
  EXPECT_NEAR(src.BalloonData(1, 4, 6), axis6, 1e-6);

  // Every band with data is normalised to a mean of 1 over the sphere, and
  // the electrical power is spread over the three bands.
  for (int b : {4, 6, 7}) EXPECT_NEAR(SphereMean(src, b), 1.0, 1e-5) << b;
  const double spread = 10 * std::log10(3.0);
  EXPECT_NEAR(src.Lw(4), PowerLevel(40, 10) - spread, 1e-4);
  EXPECT_NEAR(src.Lw(6), PowerLevel(60, 15.5) - spread, 1e-4);
  EXPECT_NEAR(src.Lw(7), PowerLevel(60, 20) - spread, 1e-4);
  EXPECT_FLOAT_EQ(src.DirQ(7), 16.0f);
  ExpectFinite(src);
}

// MODELER_HORN through the import dispatch: a file without extension reaches
// this reader.
TEST(ModelerImport, FileWithoutExtensionIsDispatchedHere) {
  const std::string path = DataPath("import/MODELER_HORN");
  AppState state;
  RecordingPlatform platform;
  platform.inputs.push_back("Acme");
  auto result = LoadSourceFile(state, platform, path, ImportFormatOfPath(path));
  ASSERT_TRUE(result) << result.error().Text();
  EXPECT_EQ(state.src.Manufacturer, "Acme");
  EXPECT_EQ(state.src.FirstBand, 4);
}

// MODELER_ONE.MDL with one word or byte changed: each change is refused with
// the byte where it sits, and nothing of the file stays.
TEST(ModelerImport, BrokenFilesAreRefusedAtTheirByte) {
  const std::string good = Slurp(DataPath("import/MODELER_ONE.MDL"));
  ASSERT_EQ(good.size(), 2516u);
  TempDir dir;
  for (const test::Row& c : test::TableRows("modeler-broken.tsv")) {
    SCOPED_TRACE(c[0]);
    std::string bytes = good;
    const std::size_t at = std::stoul(c[2]);
    const int value = std::stoi(c[3]);
    if (c[1] == "word") PutWord(bytes, at, value);
    if (c[1] == "byte") bytes[at] = static_cast<char>(value);
    if (c[1] == "cut") bytes.resize(at);
    for (int i = 0; c[1] == "grid" && i < 190; ++i) PutWord(bytes, at + 2 * i, value);
    Spit(dir / "BROKEN", bytes);
    auto run = ImportPath(dir / "BROKEN");
    ASSERT_FALSE(run->result);
    const FileError& e = run->result.error();
    EXPECT_EQ(e.file, dir / "BROKEN");
    EXPECT_EQ(e.line, 0);
    EXPECT_FALSE(e.cancelled);
    EXPECT_EQ(e.message.rfind("byte " + c[4] + ": ", 0), 0u) << e.message;
    test::ExpectEmptySource(run->state.src);
    EXPECT_EQ(run->state.src.SourceFile, dir / "BROKEN");
    EXPECT_EQ(run->platform.calls.back(), "SetBusy off");
    EXPECT_FALSE(run->platform.Called(
        "InputBox Modeler File has been loaded|Speaker Name:\rONE-5\r\rEnter Manufacturer"));
  }
}

}  // namespace
}  // namespace fonderel
