// The CATT SD1 and EASE 3.0 writers against the program's own readers: every
// example source and a source of each creator (BZ, ISO 3744, interpolated
// polar plots) written and read back equals the original within the format's
// precision, and what the format cannot carry is named in a note.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "compare/SourceCompare.h"
#include "core/AppState.h"
#include "export/DirectionMaps.h"
#include "export/SourceWriters.h"
#include "import/SourceFormat.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;
using test::TempDir;

std::unique_ptr<AppState> Load(const std::string& path) {
  auto state = std::make_unique<AppState>();
  RecordingPlatform platform;
  platform.speakers = {std::string("Horn 60x40")};  // SPEAKERS.EAS holds two
  platform.inputs = {std::string("Acme")};          // the Modeler manufacturer
  auto loaded = LoadSourceFile(*state, platform, path);
  EXPECT_TRUE(loaded) << loaded.error().Text();
  return state;
}

bool Noted(const std::vector<std::string>& notes, const std::string& part) {
  return std::ranges::any_of(
      notes, [&](const std::string& n) { return n.find(part) != std::string::npos; });
}

// What an EASE reader gives back of `src`: the left half mirrored onto the right.
Source Mirrored(const Source& src) {
  Source out = src;
  for (int b = 1; b <= kBandCount; ++b)
    for (int p = 0; p < kPlots; ++p)
      for (int k = 0; k < kPoints; ++k) {
        const BalloonCell from = EaseMirrorSource({p, k});
        out.BalloonData(p, k, b) = src.BalloonData(from.plot, from.point, b);
      }
  return out;
}

struct Writer {
  const char* format;
  const char* extension;
  double lw, balloon;  // precision of the format, dB
};
const Writer kWriters[] = {{"CATT SD1", ".txt", 0.051, 0.101},
                           {"EASE 3.0 text", ".eas", 0.001, 0.011}};

const char* const kSources[] = {
    FONDEREL_SOURCES "/HORN90X40.SPK",          FONDEREL_SOURCES "/COMPRESSOR.SPK",
    FONDEREL_SOURCES "/COLUMN16.TXT",           FONDEREL_SOURCES "/BOX12.EAS",
    FONDEREL_SOURCES "/SPEAKERS.EAS",           FONDEREL_SOURCES "/HORN60.MDL",
    FONDEREL_SOURCES "/HORN90X40.EAS",          FONDEREL_SOURCES "/HORN90X40.TXT",
    FONDEREL_TEST_DATA "/export/BZ_HORN.SPK",    // create-bz
    FONDEREL_TEST_DATA "/export/ISO_PUMP.SPK",   // iso3744 of a five-microphone measurement
    FONDEREL_TEST_DATA "/export/POLAR_FAN.SPK",  // interpolate of a polar-plot file
};

TEST(ExportRoundTrip, EverySourceReadsBackWithinTheFormatsPrecision) {
  TempDir dir;
  for (const char* path : kSources) {
    const auto original = Load(path);
    const Source& a = original->src;
    for (const Writer& w : kWriters) {
      const std::string what = std::string(path) + " as " + w.format;
      const std::string out = dir / (std::string("out") + w.extension);
      std::vector<std::string> notes;
      auto written = WriteSource(a, *WritableFormatNamed(w.format), out, notes, {});
      ASSERT_TRUE(written) << what << ": " << written.error().Text();
      const auto back = Load(out);
      const Source& b = back->src;
      const bool ease = std::string(w.extension) == ".eas";
      EXPECT_EQ(b.SourceName, a.SourceName.empty() && ease ? "Fonderel source" : a.SourceName)
          << what;
      if (ease) {
        EXPECT_EQ(b.Manufacturer, a.Manufacturer) << what;
        const auto halves = CompareSources(a, Mirrored(a));
        if (std::ranges::any_of(halves, [](const BandDifference& d) { return d.balloon > 0.05; })) {
          EXPECT_TRUE(Noted(notes, "mirror")) << what;
        }
      }
      if (a.SourceKind == 0.0f) {
        EXPECT_TRUE(Noted(notes, "noise source")) << what;
      }
      const Source expected = ease ? Mirrored(a) : a;
      for (const BandDifference& d : CompareSources(expected, b)) {
        const std::string band = what + ", band " + std::to_string(d.band);
        if (ease && (d.band < 3 || d.band > 9)) {
          EXPECT_TRUE(Noted(notes, "125 Hz to 8 kHz")) << band;
          continue;
        }
        if (!d.inA && !ease) {  // a gap in the band range: SD1 bands are contiguous
          EXPECT_TRUE(Noted(notes, "written omnidirectional")) << band;
          continue;
        }
        ASSERT_TRUE(d.inA && d.inB) << band;
        EXPECT_LE(std::fabs(d.lw), w.lw) << band;
        EXPECT_LE(d.balloon, w.balloon) << band << " at " << d.plot << "," << d.point;
        if (ease) {
          EXPECT_LE(std::fabs(d.q), 1e-4) << band;
          EXPECT_EQ(b.Sensitivity(d.band), a.Sensitivity(d.band)) << band;
          EXPECT_EQ(b.Impedance(d.band), a.Impedance(d.band)) << band;
        } else if (std::fabs(d.q) > 0.05) {
          EXPECT_TRUE(Noted(notes, "Q is not carried")) << band;
        }
      }
    }
  }
}

// The examples shipped in sources/ are what the writers make of the horn, so
// a change of a single byte of the layouts shows here.
TEST(ExportRoundTrip, TheShippedExamplesAreWhatTheWritersWrite) {
  const auto horn = Load(FONDEREL_SOURCES "/HORN90X40.SPK");
  for (const char* format : {"CATT SD1", "EASE 3.0 text"}) {
    const WritableFormat& f = *WritableFormatNamed(format);
    std::string name = "/HORN90X40" + std::string(f.extension);
    std::ranges::transform(name, name.begin(), [](char ch) { return std::toupper(ch); });
    std::vector<std::string> notes;
    auto bytes = f.bytes(horn->src, notes, name, {});
    ASSERT_TRUE(bytes) << format;
    EXPECT_EQ(*bytes, test::Slurp(FONDEREL_SOURCES + name)) << format;
  }
}

// A source that cannot be written leaves no file and an existing one as it was.
TEST(ExportRoundTrip, RefusedSourcesWriteNothing) {
  TempDir dir;
  const auto horn = Load(FONDEREL_SOURCES "/HORN90X40.SPK");
  Source outside = horn->src;  // bands 10 only: EASE has no band range for it
  outside.FirstBand = outside.LastBand = 10;
  outside.BalloonData(0, 0, 10) = 1.0f;
  Source none;
  Source broken = horn->src;
  broken.BalloonData(3, 3, broken.FirstBand) = std::nanf("");
  struct Case {
    const Source* src;
    const char* format;
    const char* message;
  } cases[] = {{&none, "CATT SD1", "no band"},
               {&none, "EASE 3.0 text", "no band"},
               {&broken, "CATT SD1", "no number"},
               {&broken, "EASE 3.0 text", "no number"},
               {&outside, "EASE 3.0 text", "125 Hz to 8 kHz"}};
  for (const Case& c : cases) {
    const std::string out = dir / "kept";
    test::Spit(out, "old");
    std::vector<std::string> notes;
    auto written = WriteSource(*c.src, *WritableFormatNamed(c.format), out, notes, {});
    ASSERT_FALSE(written) << c.format << " " << c.message;
    EXPECT_NE(written.error().message.find(c.message), std::string::npos)
        << written.error().message;
    EXPECT_EQ(test::Slurp(out), "old");
    EXPECT_TRUE(notes.empty());
  }
}

TEST(SourceWriters, TheExtensionOrTheNameChoosesTheFormat) {
  const struct {
    const char* path;
    const char* format;  // nullptr: refused
  } byPath[] = {{"/a/horn.eas", "EASE 3.0 text"},
                {"/a/HORN.EAS", "EASE 3.0 text"},
                {"horn.TXT", "CATT SD1"},
                {"horn.Sofa", "SOFA"},
                {"horn.spk", "SPK"},
                {"horn.mdl", "SPK"},
                {"/a.b/horn", "SPK"},
                {"horn.xyz", nullptr},
                {"horn.eas.bak", nullptr}};
  for (const auto& c : byPath) {
    const WritableFormat* f = WritableFormatOfPath(c.path);
    EXPECT_EQ(f ? std::string(f->name) : "none", c.format ? c.format : "none") << c.path;
  }
  const struct {
    const char* name;
    const char* format;
  } byName[] = {{"ease 3.0 TEXT", "EASE 3.0 text"},
                {"eas", "EASE 3.0 text"},
                {".txt", "CATT SD1"},
                {"catt sd1", "CATT SD1"},
                {"SOFA", "SOFA"},
                {"tab", "CLF1 text"},
                {"clf", nullptr},
                {"", nullptr}};
  for (const auto& c : byName) {
    const WritableFormat* f = WritableFormatNamed(c.name);
    EXPECT_EQ(f ? std::string(f->name) : "none", c.format ? c.format : "none") << c.name;
  }
  EXPECT_EQ(WritableFormatFilter(),
            "Plivox Speaker Files (*.spk)|*.spk|SOFA Files (*.sofa)|*.sofa|Catt SD1 Files "
            "(*.txt)|*.txt|EASE 3.0 Text Files (*.eas)|*.eas|CLF1 Text Files (*.tab)|*.tab");
}

}  // namespace
}  // namespace fonderel
