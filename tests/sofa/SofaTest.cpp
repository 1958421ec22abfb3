// SOFA export and import: the file's layout as the netCDF library reads it
// back, the round trip of a real source, hand-made files on other grids, and
// malformed files that must end in an error leaving the description alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iomanip>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <netcdf.h>

#include "app/CaseData.h"
#include "app/ExportCommands.h"
#include "core/AppState.h"
#include "sofa/NetCdfFile.h"
#include "sofa/SofaExport.h"
#include "sofa/SofaGrid.h"
#include "sofa/SofaImport.h"
#include "sofa/SofaNearest.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;
using test::TempDir;

constexpr double kDeg = std::numbers::pi / 180.0;
const LocalTime kNow{2026, 12, 7, 8, 30, 5};

bool Shown(const RecordingPlatform& p, const std::string& prefix) {
  return !test::CallsStarting(p, prefix).empty();
}

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
  // Three times its normalised balloon: the file holds the same magnitudes.
  for (int band = 1; band <= kBandCount; ++band)
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) state->src.BalloonData(p, k, band) *= 3;
  const Source& src = state->src;
  ASSERT_TRUE(WriteSofaFile(src, dir / "horn.sofa", kNow, "9.8.7"));
  auto file = NetCdfFile::Open(dir / "horn.sofa");
  ASSERT_TRUE(file) << file.error();
  // Expected attributes, variable lengths and directions: tests/data/cases5/sofa.json.
  for (const auto& a : test::Cases("../cases5/sofa", "attributes"))
    EXPECT_EQ(file->TextAttribute("", a[0].get<std::string>()).value_or("<missing>"),
              a[1].get<std::string>())
        << a[0];
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
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR((*got)[c], d[1][c].get<double>(), 1e-3) << "receiver " << d[0];
  }
  // Data: √ of the sample over the band's spherical mean; the axis the √ of
  // the mean of its 18 samples over it.
  auto data = *file->Values("Data.Real", {0, 0, 0}, {1, 614, 6});
  const double mean = SphericalMean(src, 6);
  EXPECT_NEAR(data[(9 * 34 + 2) * 6 + 3], std::sqrt(src.BalloonData(9, 3, 6) / mean), 1e-6);
  double axis = 0;
  for (int p = 0; p < kPlots; ++p) axis += src.BalloonData(p, 0, 6);
  EXPECT_NEAR(data[612 * 6 + 3], std::sqrt(axis / 18 / mean), 1e-6);
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

  // The file's bytes in memory give the same source; bytes that are no file an error naming them.
  AppState fromMemory;
  ASSERT_TRUE(ImportSofaMemory(fromMemory, platform, "horn.sofa", test::Slurp(dir / "horn.sofa")));
  EXPECT_TRUE(fromMemory.src.BalloonData == b.BalloonData);
  auto garbage = ImportSofaMemory(fromMemory, platform, "garbage.sofa", "CDF\x01 no more");
  ASSERT_FALSE(garbage);
  EXPECT_EQ(garbage.error().file, "garbage.sofa");
}

// A hand-made directivity: per bin a TF magnitude as a function of the
// direction in the balloon's frame (and its angle θ from the axis), on
// receivers given by (θ, φ) in that frame. With a turned source or listener
// the receivers are written as the file's frames see them, so an import that
// turns them back finds the same grid.
struct Turn {
  UnitVector view{1, 0, 0}, up{0, 0, 1};  // orthogonal
  bool spherical = false, written = false;
};

UnitVector Across(const UnitVector& a, const UnitVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A direction in the frame of `turn`, given in the file's frame.
UnitVector IntoFrame(const UnitVector& v, const Turn& turn) {
  const UnitVector y = Across(turn.up, turn.view);
  return {v.x * turn.view.x + v.y * turn.view.y + v.z * turn.view.z,
          v.x * y.x + v.y * y.y + v.z * y.z, v.x * turn.up.x + v.y * turn.up.y + v.z * turn.up.z};
}
UnitVector OutOfFrame(const UnitVector& v, const Turn& turn) {
  const UnitVector y = Across(turn.up, turn.view);
  return {v.x * turn.view.x + v.y * y.x + v.z * turn.up.x,
          v.x * turn.view.y + v.y * y.y + v.z * turn.up.y,
          v.x * turn.view.z + v.y * y.z + v.z * turn.up.z};
}

struct HandMade {
  nlohmann::json convention = "FreeFieldDirectivityTF";  // a text, a number or a list of texts
  bool cartesian = false, classic = false;
  double step = 5;  // degrees between receivers in θ and φ
  std::vector<double> frequencies = {700, 1000, 1400};
  std::function<double(const UnitVector& v, double theta, std::size_t bin)> tf =
      [](const UnitVector&, double, std::size_t) { return 1.0; };
  std::vector<std::string> dims = {"M", "R", "N"};
  Turn source, listener;
  // Declared but never written: a file that asks for this many receivers and bins.
  std::size_t declaredReceivers = 0, declaredBins = 0;
};

void PutTurn(NetCdfFile& file, const Turn& turn, const std::string& who, int I, int C) {
  if (!turn.written) return;
  const auto coordinates = [&](const UnitVector& v) {
    if (turn.spherical) {
      const auto s = SphericalOf(v);
      return std::vector<double>(s.begin(), s.end());
    }
    return std::vector<double>{v.x, v.y, v.z};
  };
  ASSERT_TRUE(file.AddVariable(who + "View", {I, C}));
  ASSERT_TRUE(file.AddVariable(who + "Up", {I, C}));
  file.PutText(who + "View", "Type", turn.spherical ? "spherical" : "cartesian");
  ASSERT_TRUE(file.PutValues(who + "View", coordinates(turn.view)));
  ASSERT_TRUE(file.PutValues(who + "Up", coordinates(turn.up)));
}

void Write(const HandMade& h, const std::string& path) {
  std::vector<double> positions, real;
  std::size_t receivers = 0;
  for (double phi = 0; phi < 180 - 1e-9; phi += h.step) {
    for (double theta = 0; theta < 360 - 1e-9; theta += h.step) {
      const UnitVector b{std::cos(theta * kDeg), std::sin(theta * kDeg) * std::cos(phi * kDeg),
                         std::sin(theta * kDeg) * std::sin(phi * kDeg)};
      const UnitVector v = IntoFrame(OutOfFrame(b, h.source), h.listener);
      if (h.cartesian) {
        positions.insert(positions.end(), {2 * v.x, 2 * v.y, 2 * v.z});
      } else {
        const auto s = SphericalOf(v);
        positions.insert(positions.end(), s.begin(), s.end());
      }
      for (std::size_t n = 0; n < h.frequencies.size(); ++n) real.push_back(h.tf(b, theta, n));
      ++receivers;
    }
  }
  const bool declared = h.declaredReceivers > 0;
  if (declared) receivers = h.declaredReceivers;
  const std::size_t bins = declared ? h.declaredBins : h.frequencies.size();
  auto file = NetCdfFile::Create(path, h.classic);
  ASSERT_TRUE(file);
  const int id = file->Handle();
  if (h.convention.is_string()) {
    file->PutText("", "SOFAConventions", h.convention.get<std::string>());
  } else if (h.convention.is_number()) {
    const double number = h.convention.get<double>();
    nc_put_att_double(id, NC_GLOBAL, "SOFAConventions", NC_DOUBLE, 1, &number);
  } else {
    std::vector<std::string> texts = h.convention;
    std::vector<const char*> pointers;
    for (const auto& t : texts) pointers.push_back(t.c_str());
    nc_put_att_string(id, NC_GLOBAL, "SOFAConventions", pointers.size(), pointers.data());
  }
  file->PutText("", "Title", "Dipole");
  const int M = *file->AddDimension("M", 1), R = *file->AddDimension("R", receivers),
            N = *file->AddDimension("N", bins), C = *file->AddDimension("C", 3),
            I = *file->AddDimension("I", 1);
  std::map<std::string, int> ids{{"M", M}, {"R", R}, {"N", N}};
  std::vector<int> dataDims;
  for (const auto& d : h.dims) dataDims.push_back(ids[d]);
  ASSERT_TRUE(file->AddVariable("Data.Real", dataDims));
  ASSERT_TRUE(file->AddVariable("ReceiverPosition", {R, C}));
  ASSERT_TRUE(file->AddVariable("N", {N}));
  file->PutText("ReceiverPosition", "Type", h.cartesian ? "cartesian" : "spherical");
  PutTurn(*file, h.source, "Source", I, C);
  PutTurn(*file, h.listener, "Listener", I, C);
  if (!declared) {
    ASSERT_TRUE(file->PutValues("Data.Real", real));
    ASSERT_TRUE(file->PutValues("ReceiverPosition", positions));
    ASSERT_TRUE(file->PutValues("N", h.frequencies));
  }
  ASSERT_TRUE(file->Close());
}

TEST(SofaImport, HandMadeGridsGiveTheExpectedBalloon) {
  // Bin 1000 Hz is a dipole (cos θ), bin 1400 Hz omnidirectional: the
  // 1 kHz octave is their energy mean (cos²θ + 1)/2; 700 Hz, alone in the
  // 500 Hz octave, is the dipole's cos²θ.
  // Scaled by 1e20 the energies are beyond the float range, by 1e-25 below it;
  // the balloon is the same.
  struct Grid {
    bool cartesian;
    double step, scale;
  };
  const auto w = ZoneWeight();
  for (const Grid g : {Grid{false, 5, 1}, Grid{false, 10, 1}, Grid{true, 5, 1}, Grid{true, 10, 1},
                       Grid{false, 10, 1e20}, Grid{true, 10, 1e-25}}) {
    const bool cartesian = g.cartesian;
    const double step = g.step;
    {
      TempDir dir;
      HandMade h;
      h.cartesian = cartesian, h.step = step;
      h.tf = [&](const UnitVector&, double theta, std::size_t bin) {
        return g.scale * (bin == 2 ? 1.0 : std::cos(theta * kDeg));
      };
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
                << (cartesian ? "cartesian" : "spherical") << " step " << step << " scale "
                << g.scale << " band " << band << " plot " << p << " point " << k;
          }
        }
        EXPECT_NEAR(state.src.DirQ(band), 1 / mean, 1e-5);
      }
    }
  }
}

// A source turned by SourceView/SourceUp, or receivers given in a listener
// frame turned by ListenerView/ListenerUp: the balloon is the one the default
// orientation gives. The pattern leans towards the axis, up and left, so a
// wrong axis or a wrong up both show.
TEST(SofaImport, TurnedSourcesAndListenersGiveTheBalloonInTheSourcesFrame) {
  struct Case {
    const char* what;
    Turn source, listener;
  };
  const Turn none;
  const Case cases[] = {
      {"view and up not in the file", none, none},
      {"beam along +y", {{0, 1, 0}, {0, 0, 1}, false, true}, none},
      {"beam along +y, up along +x", {{0, 1, 0}, {1, 0, 0}, false, true}, none},
      {"beam at azimuth 90, up at elevation 90 (spherical)",
       {{0, 1, 0}, {0, 0, 1}, true, true},
       none},
      {"beam down, listener turned too",
       {{0, 0, -1}, {0, 1, 0}, false, true},
       {{0, 1, 0}, {0, 0, 1}, false, true}},
  };
  const auto shape = [](const UnitVector& v) { return 1 + 0.8 * v.x + 0.4 * v.z + 0.2 * v.y; };
  const auto w = ZoneWeight();
  double mean = 0;
  for (int a = 0; a <= 18; ++a) {
    for (int p = 0; p < kPlots; ++p) {
      mean += w(a) * (std::pow(shape(BalloonDirection(p, a)), 2) +
                      std::pow(shape(BalloonDirection(p, (36 - a) % 36)), 2));
    }
  }
  mean /= 36;
  for (const Case& c : cases) {
    TempDir dir;
    HandMade h;
    h.frequencies = {1000};
    h.source = c.source, h.listener = c.listener;
    h.tf = [&](const UnitVector& v, double, std::size_t) { return shape(v); };
    Write(h, dir / "turned.sofa");
    AppState state;
    RecordingPlatform platform;
    auto imported = ImportSofaFile(state, platform, dir / "turned.sofa");
    ASSERT_TRUE(imported) << c.what << ": " << imported.error().message;
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        ASSERT_NEAR(state.src.BalloonData(p, k, 6),
                    std::pow(shape(BalloonDirection(p, k)), 2) / mean, 1e-5)
            << c.what << ": plot " << p << " point " << k;
      }
    }
    EXPECT_NEAR(state.src.DirQ(6), 1.8 * 1.8 / mean, 1e-5) << c.what;
  }
}

// Octave bands of base 2 about 1 kHz, each from its lower edge up to, not
// including, the next one's: a bin on or near an edge counts in one band.
TEST(SofaImport, EachFrequencyCountsInOneOctaveBand) {
  const std::pair<double, int> cases[] = {
      {22.09708691207961, 1},
      {44.19417382415922, 2},
      {44.1941738241592, 1},
      {88.3, 2},
      {88.5, 3},
      {89.0, 3},
      {707.1067811865476, 6},
      {std::nextafter(707.1067811865476, 0.0), 5},
      {11313.70849898476, 10},
      {22627.4, 10},
  };
  for (const auto& [hz, band] : cases) {
    TempDir dir;
    HandMade h;
    h.step = 10, h.frequencies = {hz};
    Write(h, dir / "one.sofa");
    AppState state;
    RecordingPlatform platform;
    ASSERT_TRUE(ImportSofaFile(state, platform, dir / "one.sofa")) << hz;
    EXPECT_EQ(state.src.FirstBand, band) << std::setprecision(17) << hz << " Hz";
    EXPECT_EQ(state.src.LastBand, band) << std::setprecision(17) << hz << " Hz";
  }
}

// The bucketed nearest-receiver search against comparing every receiver: the
// same receiver for every balloon direction (the first of equals: each set
// ends with copies of its first receivers), or both refuse.
TEST(SofaNearest, FindsWhatComparingEveryReceiverFinds) {
  const double minCos = std::cos(kSofaMaxGapDegrees * kDeg);
  for (const std::size_t count : {40u, 300u, 4000u, 30000u}) {
    std::mt19937 random(static_cast<unsigned>(count));
    std::normal_distribution<double> normal;
    std::vector<UnitVector> receivers;
    for (std::size_t r = 0; r < count; ++r) {
      UnitVector v;
      if (FromCartesian(normal(random), normal(random), normal(random), v)) receivers.push_back(v);
    }
    for (std::size_t r = 0; r < 10; ++r) receivers.push_back(receivers[r]);
    bool covered = true;
    NearestTable expected{};
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        const UnitVector d = BalloonDirection(p, k);
        double best = -2;
        for (std::size_t r = 0; r < receivers.size(); ++r) {
          const double c = d.x * receivers[r].x + d.y * receivers[r].y + d.z * receivers[r].z;
          if (c > best) best = c, expected[p][k] = r;
        }
        covered = covered && best >= minCos;
      }
    }
    auto found = FindNearestReceivers(receivers, kSofaMaxGapDegrees);
    ASSERT_EQ(found.has_value(), covered) << count << " receivers";
    if (covered) {
      EXPECT_TRUE(*found == expected) << count << " receivers";
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
    const bool huge = tf == "huge";
    if (!tf.empty()) {
      h.tf = [=](const UnitVector&, double t, std::size_t) {
        return silent ? 0 : huge ? (t == 90 ? 1e200 : 1) : t == 90 ? nan : 1;
      };
    }
    h.classic = c[1].value("classic", false);
    h.declaredReceivers = c[1].value("receivers", std::size_t{0});
    h.declaredBins = c[1].value("bins", std::size_t{0});
    for (const char* who : {"source", "listener"}) {
      if (!c[1].contains(who)) continue;
      Turn& turn = std::string(who) == "source" ? h.source : h.listener;
      const std::vector<double> view = c[1][who][0], up = c[1][who][1];
      turn = {{view[0], view[1], view[2]}, {up[0], up[1], up[2]}, false, true};
    }
    if (c[1].contains("bytes"))
      test::Spit(path, c[1]["bytes"].get<std::string>());
    else
      Write(h, path);
    if (c[1].contains("truncate")) {
      std::filesystem::resize_file(path, c[1]["truncate"].get<std::size_t>());
    }
    auto state = LoadHorn();
    const Source before = state->src;
    RecordingPlatform platform;
    auto result = ImportSofaFile(*state, platform, path);
    ASSERT_FALSE(result) << what;
    EXPECT_EQ(result.error().file, path) << what;
    EXPECT_NE(result.error().message.find(c[2].get<std::string>()), std::string::npos)
        << what << ": " << result.error().message;
    EXPECT_TRUE(state->src.BalloonData == before.BalloonData &&
                state->src.SourceName == before.SourceName)
        << what;
  }
}

// A source whose bands have gaps, saved as an SPK file (which marks its whole
// band range present) and exported: the file holds the bands with data only,
// and reads back with the same bands.
TEST(SofaExport, ASourceWithGapsExportsItsBandsWithDataAndReadsBack) {
  TempDir dir;
  HandMade h;
  h.step = 10, h.frequencies = {125, 500, 2000, 8000};
  Write(h, dir / "gaps.sofa");
  AppState imported;
  RecordingPlatform platform;
  ASSERT_TRUE(ImportSofaFile(imported, platform, dir / "gaps.sofa"));
  std::string spk = dir / "gaps.SPK";
  ASSERT_TRUE(WriteSpkFile(imported, platform, spk));
  AppState saved;
  ASSERT_TRUE(ReadSpkFile(saved, platform, spk));
  ASSERT_TRUE(WriteSofaFile(saved.src, dir / "again.sofa", kNow, "1"));
  auto file = NetCdfFile::Open(dir / "again.sofa");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Dimensions("N")->at(0).length, 4u);
  EXPECT_EQ(*file->Values("N", {0}, {4}), (std::vector<double>{125, 500, 2000, 8000}));
  AppState back;
  auto read = ImportSofaFile(back, platform, dir / "again.sofa");
  ASSERT_TRUE(read) << read.error().message;
  for (int band = 1; band <= kBandCount; ++band) {
    EXPECT_EQ(back.src.BandPresent(band) != 0, band == 3 || band == 5 || band == 7 || band == 9)
        << "band " << band;
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
  std::filesystem::permissions(
      dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
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
