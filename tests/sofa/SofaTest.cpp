// SOFA export and import: the file's layout as the netCDF library reads it
// back, the round trip of a real source, hand-made files on other grids, and
// malformed files that must end in an error leaving the description alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "app/CaseData.h"
#include "app/ExportCommands.h"
#include "core/AppState.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaExport.h"
#include "sofa/SofaGrid.h"
#include "sofa/SofaImport.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;
using test::TempDir;

constexpr double kDeg = std::numbers::pi / 180.0;
const LocalTime kNow{2026, 12, 7, 8, 30, 5};

bool Shown(const RecordingPlatform& p, const std::string& prefix) { return !test::CallsStarting(p, prefix).empty(); }

std::unique_ptr<AppState> LoadHorn() {
  auto state = std::make_unique<AppState>();
  RecordingPlatform platform;
  EXPECT_TRUE(ReadSpkFile(*state, platform, std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK"));
  return state;
}

double SphericalMean(const Source& src, int band) {
  const auto w = ZoneWeight();
  double sum = 0;
  for (int p = 0; p < kPlots; ++p)
    for (int a = 0; a <= 18; ++a)
      sum += w(a) * (src.BalloonData(p, a, band) + src.BalloonData(p, (36 - a) % 36, band));
  return sum / 36;
}

TEST(SofaExport, FileHoldsTheConventionsAttributesVariablesAndDirections) {
  TempDir dir;
  auto state = LoadHorn();
  const Source& src = state->src;
  ASSERT_TRUE(WriteSofaFile(src, dir / "horn.sofa", kNow, "9.8.7"));
  auto file = NetCdfFile::Open(dir / "horn.sofa");
  ASSERT_TRUE(file) << file.error();
  // Expected attributes, variable lengths and directions: tests/data/cases5/sofa.json.
  for (const auto& a : test::Cases("../cases5/sofa", "attributes"))
    EXPECT_EQ(file->TextAttribute("", a[0].get<std::string>()).value_or("<missing>"), a[1].get<std::string>()) << a[0];
  EXPECT_NE(file->TextAttribute("", "Comment").value_or("").find("phase is unknown"),
            std::string::npos);
  for (const auto& v : test::Cases("../cases5/sofa", "variables")) {
    const std::string name = v[0];
    auto dims = file->Dimensions(name);
    ASSERT_TRUE(dims) << name;
    std::vector<std::size_t> got;
    for (const auto& d : *dims) got.push_back(d.length);
    EXPECT_EQ(got, v[1].get<std::vector<std::size_t>>()) << name;
  }
  EXPECT_EQ(file->TextAttribute("ReceiverPosition", "Type").value_or(""), "spherical");
  EXPECT_EQ(file->TextAttribute("N", "Units").value_or(""), "hertz");
  EXPECT_EQ(*file->Values("N", {0}, {6}), (std::vector<double>{125, 250, 500, 1000, 2000, 4000}));
  EXPECT_EQ(*file->Values("SourceUp", {0, 0}, {1, 3}), (std::vector<double>{0, 0, 1}));

  for (const auto& d : test::Cases("../cases5/sofa", "directions")) {
    auto got = file->Values("ReceiverPosition", {d[0].get<std::size_t>(), 0}, {1, 3});
    for (int c = 0; c < 3; ++c) EXPECT_NEAR((*got)[c], d[1][c].get<double>(), 1e-3) << "receiver " << d[0];
  }
  // Data: √ of the sample; the axis the √ of the mean of its 18 samples.
  auto data = *file->Values("Data.Real", {0, 0, 0}, {1, 614, 6});
  EXPECT_NEAR(data[(9 * 34 + 2) * 6 + 3], std::sqrt(src.BalloonData(9, 3, 6)), 1e-6);
  double axis = 0;
  for (int p = 0; p < kPlots; ++p) axis += src.BalloonData(p, 0, 6);
  EXPECT_NEAR(data[612 * 6 + 3], std::sqrt(axis / 18), 1e-6);
}

TEST(SofaRoundTrip, HeaderAndBalloonComeBackScaledToASphericalMeanOfOne) {
  TempDir dir;
  auto original = LoadHorn();
  ASSERT_TRUE(WriteSofaFile(original->src, dir / "horn.sofa", kNow, "1"));
  AppState state;
  RecordingPlatform platform;
  ASSERT_TRUE(ImportSofaFile(state, platform, dir / "horn.sofa"));
  const Source& a = original->src;
  const Source& b = state.src;
  EXPECT_EQ(b.SourceName, a.SourceName);
  EXPECT_EQ(b.Manufacturer, a.Manufacturer);
  EXPECT_EQ(b.SourceKind, 1.0f);
  EXPECT_EQ(b.FirstBand, a.FirstBand);
  EXPECT_EQ(b.LastBand, a.LastBand);
  for (int band = a.FirstBand; band <= a.LastBand; ++band) {
    const double mean = SphericalMean(a, band);
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 1; k < kPoints; ++k) {
        if (k == 18) continue;
        ASSERT_NEAR(b.BalloonData(p, k, band), a.BalloonData(p, k, band) / mean,
                    2e-6 * (1 + a.BalloonData(p, k, band) / mean))
            << "band " << band << " plot " << p << " point " << k;
      }
    }
    EXPECT_NEAR(SphericalMean(b, band), 1.0, 1e-5);
    EXPECT_EQ(b.DirQ(band), b.BalloonData(0, 0, band));
    EXPECT_EQ(b.Lw(band), 0.0f);
  }
  EXPECT_NE(state.log.Lines().back().find("fill in Lw"), std::string::npos);
}

// A hand-made directivity: per bin a TF magnitude as a function of the angle
// from the axis, on receivers given by (θ, φ) in the balloon's own frame.
struct HandMade {
  std::string convention = "FreeFieldDirectivityTF";
  bool cartesian = false;
  double step = 5;  // degrees between receivers in θ and φ
  std::vector<double> frequencies = {700, 1000, 1400};
  std::function<double(double theta, std::size_t bin)> tf = [](double, std::size_t) { return 1.0; };
  std::vector<std::string> dims = {"M", "R", "N"};
};

void Write(const HandMade& h, const std::string& path) {
  std::vector<double> positions, real;
  std::size_t receivers = 0;
  for (double phi = 0; phi < 180 - 1e-9; phi += h.step) {
    for (double theta = 0; theta < 360 - 1e-9; theta += h.step) {
      const UnitVector v{std::cos(theta * kDeg), std::sin(theta * kDeg) * std::cos(phi * kDeg),
                         std::sin(theta * kDeg) * std::sin(phi * kDeg)};
      if (h.cartesian) {
        positions.insert(positions.end(), {2 * v.x, 2 * v.y, 2 * v.z});
      } else {
        const auto s = SphericalOf(v);
        positions.insert(positions.end(), s.begin(), s.end());
      }
      for (std::size_t n = 0; n < h.frequencies.size(); ++n) real.push_back(h.tf(theta, n));
      ++receivers;
    }
  }
  auto file = NetCdfFile::Create(path);
  ASSERT_TRUE(file);
  file->PutText("", "SOFAConventions", h.convention);
  file->PutText("", "Title", "Dipole");
  const int M = *file->AddDimension("M", 1), R = *file->AddDimension("R", receivers),
            N = *file->AddDimension("N", h.frequencies.size()), C = *file->AddDimension("C", 3);
  std::map<std::string, int> ids{{"M", M}, {"R", R}, {"N", N}};
  std::vector<int> dataDims;
  for (const auto& d : h.dims) dataDims.push_back(ids[d]);
  ASSERT_TRUE(file->AddVariable("Data.Real", dataDims));
  ASSERT_TRUE(file->AddVariable("ReceiverPosition", {R, C}));
  ASSERT_TRUE(file->AddVariable("N", {N}));
  file->PutText("ReceiverPosition", "Type", h.cartesian ? "cartesian" : "spherical");
  ASSERT_TRUE(file->PutValues("Data.Real", real));
  ASSERT_TRUE(file->PutValues("ReceiverPosition", positions));
  ASSERT_TRUE(file->PutValues("N", h.frequencies));
  ASSERT_TRUE(file->Close());
}

TEST(SofaImport, HandMadeGridsGiveTheExpectedBalloon) {
  // Bin 1000 Hz is a dipole (cos θ), bin 1400 Hz omnidirectional: the
  // 1 kHz octave is their energy mean (cos²θ + 1)/2; 700 Hz, alone in the
  // 500 Hz octave, is the dipole's cos²θ.
  const auto tf = [](double theta, std::size_t bin) { return bin == 2 ? 1.0 : std::cos(theta * kDeg); };
  const auto w = ZoneWeight();
  for (const bool cartesian : {false, true}) {
    for (const double step : {5.0, 10.0}) {
      TempDir dir;
      HandMade h;
      h.cartesian = cartesian, h.step = step, h.tf = tf;
      Write(h, dir / "dipole.sofa");
      AppState state;
      RecordingPlatform platform;
      ASSERT_TRUE(ImportSofaFile(state, platform, dir / "dipole.sofa"));
      EXPECT_EQ(state.src.SourceName, "Dipole");
      EXPECT_EQ(state.src.FirstBand, 5);
      EXPECT_EQ(state.src.LastBand, 6);
      for (const int band : {5, 6}) {
        const auto shape = [&](int k) {
          const double c2 = std::pow(std::cos(10 * k * kDeg), 2);
          return band == 5 ? c2 : (c2 + 1) / 2;
        };
        double mean = 0;
        for (int a = 0; a <= 18; ++a) mean += w(a) * shape(a);
        for (int p = 0; p < kPlots; ++p) {
          for (int k = 0; k < kPoints; ++k) {
            ASSERT_NEAR(state.src.BalloonData(p, k, band), shape(k) / mean, 1e-5)
                << (cartesian ? "cartesian" : "spherical") << " step " << step << " band "
                << band << " plot " << p << " point " << k;
          }
        }
        EXPECT_NEAR(state.src.DirQ(band), 1 / mean, 1e-5);
      }
    }
  }
}

// Cases in tests/data/sofa/malformed.json.
TEST(SofaImport, MalformedFilesAreRefusedAndTheDescriptionKept) {
  for (const auto& c : test::Cases("../sofa/malformed", "malformed")) {
    const std::string what = c[0], tf = c[1].value("tf", "");
    TempDir dir;
    const std::string path = dir / "bad.sofa";
    HandMade h;
    h.convention = c[1].value("convention", h.convention);
    h.step = c[1].value("step", h.step);
    h.dims = c[1].value("dims", h.dims);
    h.frequencies = c[1].value("frequencies", h.frequencies);
    const bool silent = tf == "silent";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!tf.empty()) h.tf = [=](double t, std::size_t) { return silent ? 0 : t == 90 ? nan : 1; };
    if (c[1].contains("bytes")) test::Spit(path, c[1]["bytes"].get<std::string>());
    else Write(h, path);
    auto state = LoadHorn();
    const Source before = state->src;
    RecordingPlatform platform;
    auto result = ImportSofaFile(*state, platform, path);
    ASSERT_FALSE(result) << what;
    EXPECT_EQ(result.error().file, path) << what;
    EXPECT_NE(result.error().message.find(c[2].get<std::string>()), std::string::npos)
        << what << ": " << result.error().message;
    EXPECT_TRUE(state->src.BalloonData == before.BalloonData && state->src.SourceName == before.SourceName)
        << what;
  }
}

TEST(ExportCommand, ExportsSofaRefusesAndKeepsAnOldFileOnFailure) {
  TempDir dir;
  auto state = LoadHorn();
  state->src.SourceFile = "/somewhere/HORN90X40.SPK";
  state->DialogInitialDir = dir.Path();
  RecordingPlatform platform;
  platform.files = {dir / "horn"};  // the extension is added
  FileExport(*state, platform, "1");
  ASSERT_EQ(platform.fileDialogs.size(), 1u);
  EXPECT_EQ(platform.fileDialogs[0].fileName, "HORN90X40.sofa");
  EXPECT_TRUE(std::filesystem::exists(dir / "horn.sofa"));
  EXPECT_EQ(platform.fileDialogs[0].filterIndex, 2);  // the SOFA row of the filter
  EXPECT_TRUE(std::ranges::find(state->log.Lines(), "Source exported as SOFA to: " + (dir / "horn.sofa")) !=
              state->log.Lines().end());

  // A target that cannot be written: an error, and the old file as it was.
  const std::string old = test::Slurp(dir / "horn.sofa");
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
  if (::access(dir.Path().c_str(), W_OK) != 0) {  // root writes anyway
    platform.files = {dir / "horn.sofa"};
    FileExport(*state, platform, "1");
    EXPECT_TRUE(Shown(platform, "ShowMessage Export Error|"));
    EXPECT_EQ(test::Slurp(dir / "horn.sofa"), old);
  }
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);

  AppState empty;
  RecordingPlatform quiet;
  FileExport(empty, quiet, "1");
  EXPECT_TRUE(quiet.fileDialogs.empty());
  EXPECT_TRUE(Shown(quiet, "ShowMessage Warning|"));
  EXPECT_EQ(ExportProposal("", ".sofa"), "*.sofa");
}

}  // namespace
}  // namespace fonderel
