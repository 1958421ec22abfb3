// Where the written files put the balloon's directions, read from the bytes
// of the example horn (90 degrees wide horizontally, 40 vertically, so a swap
// of the planes changes the numbers checked; a small tilt across the cells
// makes a mirror change them too).
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/SpkFile.h"
#include "export/CattExport.h"
#include "export/EaseExport.h"
#include "support/RecordingPlatform.h"

namespace fonderel {
namespace {

// The numbers of the file's grid lines of the first band: the lines after
// the `skip` lines before the grid, `count` lines.
std::vector<std::vector<double>> GridOf(const std::string& bytes, std::size_t skip,
                                        std::size_t count) {
  std::vector<std::vector<double>> rows;
  std::size_t at = 0;
  for (std::size_t line = 0; line < skip + count; ++line) {
    const std::size_t end = bytes.find("\r\n", at);
    if (line >= skip) {
      std::vector<double> row;
      const char* p = bytes.data() + at;
      const char* e = bytes.data() + end;
      while (p < e) {
        while (p < e && (*p == ' ' || *p == ',')) ++p;
        double v = 0;
        const auto r = std::from_chars(p, e, v);
        if (r.ec != std::errc()) break;
        row.push_back(v);
        p = r.ptr;
      }
      rows.push_back(row);
    }
    at = end + 2;
  }
  return rows;
}

struct Row {
  int halfPlane, a;  // h 0..35 (CATT) or r -9..9 (EASE)
  int plot, point;
  const char* where;
};

TEST(DirectionMap, TheHornsPlanesLandWhereTheManualSays) {
  auto state = std::make_unique<AppState>();
  test::RecordingPlatform platform;
  ASSERT_TRUE(ReadSpkFile(*state, platform, FONDEREL_SOURCES "/HORN90X40.SPK"));
  // The 1000 Hz band alone, tilted by up to 1 dB from cell to cell so that no
  // two directions hold the same value and a mirror shows too.
  Source& src = state->src;
  const int band = 6;
  src.FirstBand = src.LastBand = band;
  for (int p = 0; p < kPlots; ++p)
    for (int k = 1; k < kPoints; ++k)
      src.BalloonData(p, k, band) *= std::pow(10.0f, -0.1f * static_cast<float>(p * 36 + k) / 648);
  const auto db = [&](int p, int k) {
    return 10.0 * std::log10(src.BalloonData(0, 0, band) / src.BalloonData(p, k, band));
  };
  // The horn is narrower vertically (plot 9) than horizontally (plot 0).
  ASSERT_GT(db(9, 4) - db(0, 4), 2.0);

  std::vector<std::string> notes;
  const std::string catt = *CattBytes(src, notes, "H.TXT");
  const auto cattGrid = GridOf(catt, 11, 36);  // nine header lines, title, angle headings
  const Row cattRows[] = {{0, 4, 9, 4, "up"},      {9, 4, 0, 4, "left"},   {18, 5, 9, 31, "down"},
                          {27, 4, 0, 32, "right"}, {30, 9, 15, 9, "h 30"}, {12, 5, 15, 31, "h 12"},
                          {0, 5, 9, 5, "up 50"}};
  for (const Row& r : cattRows) {
    EXPECT_NEAR(
        cattGrid.at(static_cast<std::size_t>(r.halfPlane)).at(static_cast<std::size_t>(r.a)),
        db(r.plot, r.point), 0.05)
        << "CATT " << r.where;
  }

  const std::string ease = *EaseBytes(src, notes, "H.EAS");
  const auto easeGrid = GridOf(ease, 10, 19);  // format line and nine record lines
  const Row easeRows[] = {{0, 4, 0, 4, "left"},    {9, 4, 9, 4, "up"},     {-9, 5, 9, 31, "down"},
                          {-3, 7, 15, 29, "r -3"}, {5, 18, 5, 18, "rear"}, {9, 5, 9, 5, "up 50"}};
  for (const Row& r : easeRows) {
    EXPECT_NEAR(
        easeGrid.at(static_cast<std::size_t>(r.halfPlane + 9)).at(static_cast<std::size_t>(r.a)),
        db(r.plot, r.point), 0.005)
        << "EASE " << r.where;
  }
}

}  // namespace
}  // namespace fonderel
