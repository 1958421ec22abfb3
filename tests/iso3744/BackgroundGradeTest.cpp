// The background correction K1, the grade with its criteria and the
// uncertainty, each worked out by hand; a layout whose count is a standard
// arrangement's keeps its own positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "iso3744/IsoCases.h"
#include "iso3744/MeasFile.h"
#include "iso3744/MeasurementGrade.h"
#include "iso3744/MeasurementInput.h"
#include "iso3744/MicLayout.h"
#include "iso3744/SoundPower.h"

namespace fonderel {
namespace {

// Nine microphones at 80 dB in every band on the default box (S = 10 m2),
// free field: Lw = 80 + 10 - K1 in every band.
std::unique_ptr<AppState> NineAt80() {
  auto s = std::make_unique<AppState>();
  test::Set(*s, {{"MicCount", 9}, {"MicLp 1-9 1-10", 80}});
  return s;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Background, EachBranchOfK1) {
  struct Case {
    float background;
    double k1;  // -10·lg(1 - 10^(-ΔLp/10)), ΔLp = 80 - Lb
    bool upperBound;
  } const cases[] = {
      {60.0f, 0.0, false},          // ΔLp 20 dB: above 15, no correction
      {70.0f, 0.457574906, false},  // ΔLp 10 dB: -10·lg(0.9)
      {74.0f, 1.256276, false},     // ΔLp 6 dB: -10·lg(1 - 0.251189)
      {76.0f, 1.256276, true},      // ΔLp 4 dB: the 6 dB value, an upper bound
      {85.0f, 1.256276, true},      // background above the source
  };
  for (const Case& c : cases) {
    auto s = NineAt80();
    s->Iso.Background(6) = c.background;
    const auto r = ComputeSoundPower(*s);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->Background(6).DeltaLp, 80.0 - c.background, 1e-9) << c.background;
    EXPECT_NEAR(r->Background(6).K1, c.k1, 1e-6) << c.background;
    EXPECT_EQ(r->Background(6).UpperBound, c.upperBound) << c.background;
    EXPECT_NEAR(s->src.Lw(6), 90.0 - c.k1, 1e-4) << c.background;
    EXPECT_EQ(s->src.Lw(5), 90.0f) << "a band without background is not corrected";
    const auto notes = K2Warnings(s->Iso, *r);
    const bool noted = std::any_of(notes.begin(), notes.end(), [](const std::string& n) {
      return Contains(n, "1000 Hz band") &&
             Contains(n, "K1 = 1.3 dB is used and Lw there is an upper bound");
    });
    EXPECT_EQ(noted, c.upperBound) << c.background;
  }
  auto s = NineAt80();
  s->Iso.Background(6) = 85.0f;
  const auto notes = K2Warnings(s->Iso, *ComputeSoundPower(*s));
  EXPECT_EQ(notes.back(),
            "The background in the 1000 Hz band is not under the source level (-5.0 dB): "
            "K1 = 1.3 dB is used and Lw there is an upper bound.");
}

TEST(Grade, RoomK2AOnBothSidesOfFourDb) {
  // Equal K2 in every band (T the same), so K2A = K2 = 10·lg(1 + 4·10·T/0.16/200).
  struct Case {
    float revTime;
    double k2a;
    Grade grade;
    const char* text;
  } const cases[] = {
      {0.7f, 2.730013, Grade::Engineering, "met - Room: K2A = 2.7 dB, at most 4 dB."},
      {1.5f, 4.586378, Grade::Survey, "FAILED - Room: K2A = 4.6 dB, above the 4 dB allowed."},
      {6.0f, 9.294189, Grade::Neither, "FAILED - Room: K2A = 9.3 dB, above the 4 dB allowed."},
  };
  for (const Case& c : cases) {
    auto s = NineAt80();
    s->Iso.RevTime.Fill(c.revTime);
    const auto r = ComputeSoundPower(*s);
    ASSERT_TRUE(r.has_value());
    const MeasurementGrade g = GradeMeasurement(*s, *r);
    EXPECT_NEAR(g.K2A, c.k2a, 1e-5) << c.revTime;
    EXPECT_EQ(g.grade, c.grade) << c.revTime;
    const auto lines = GradeLines(g);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.text), lines.end()) << c.revTime;
  }
}

TEST(Grade, SpreadOfTheMicrophoneLevelsAgainstTheirNumber) {
  // Nine positions: a spread of 9 dB is allowed, 9.5 dB is not.
  for (const float high : {89.0f, 89.5f}) {
    auto s = NineAt80();
    s->MicLp(1, 5) = high;
    const MeasurementGrade g = GradeMeasurement(*s, *ComputeSoundPower(*s));
    EXPECT_DOUBLE_EQ(g.Spread(5), high - 80.0);
    const std::string text = g.criteria[2].text;
    if (high == 89.0f) {
      EXPECT_EQ(g.grade, Grade::Engineering);
      EXPECT_EQ(text, "Microphone spread: the levels spread over at most 9 dB (9 positions).");
    } else {
      EXPECT_EQ(g.grade, Grade::Survey);
      EXPECT_EQ(text,
                "Microphone spread: the levels spread over more than 9 dB (9 positions) in the "
                "500 Hz level(s); more positions are needed.");
    }
  }
}

TEST(Grade, UncertaintyFollowsTheGrade) {
  auto s = NineAt80();
  MeasurementGrade g = GradeMeasurement(*s, *ComputeSoundPower(*s));
  ASSERT_EQ(g.grade, Grade::Engineering);
  EXPECT_EQ(g.UA, 3.0);     // 2 · 1.5 dB
  EXPECT_EQ(g.U(2), 10.0);  // 63 Hz: 2 · 5 dB
  EXPECT_EQ(g.U(6), 3.0);
  EXPECT_EQ(g.U(9), 5.0);
  EXPECT_TRUE(std::isnan(g.U(1))) << "31.5 Hz is not covered";
  EXPECT_EQ(GradeLines(g)[0],
            "Grade: engineering grade (ISO 3744); uncertainty of LwA +/- 3.0 dB (k = 2).");

  s->Iso.MicCount = 5;  // fewer positions than a box needs: survey grade
  g = GradeMeasurement(*s, *ComputeSoundPower(*s));
  EXPECT_EQ(g.grade, Grade::Survey);
  EXPECT_EQ(g.UA, 6.0);  // 2 · 3 dB
  EXPECT_TRUE(std::isnan(g.U(6)));
  EXPECT_EQ(g.criteria[3].text, "Positions: 5, fewer than the 9 that a box needs.");
}

TEST(Background, MeasurementFileKeepsItAndOldFilesHaveNone) {
  auto s = NineAt80();
  s->Iso.Background(2) = 61.25f;
  s->Iso.Background(10) = 40.0f;
  const std::string text = MeasFileText(*s);
  EXPECT_NE(text.find("\"Lb =      \",-,61.25,-,-,-,-,-,-,-,40.00\r\n"), std::string::npos);
  const auto read = ParseMeasFile(text, "B.DAT");
  ASSERT_TRUE(read.has_value()) << read.error().Text();
  auto loaded = std::make_unique<AppState>();
  ApplyMeasContent(*loaded, *read);
  EXPECT_EQ(loaded->Iso.Background(2), 61.25f);
  EXPECT_EQ(loaded->Iso.Background(10), 40.0f);
  EXPECT_FALSE(loaded->Iso.HasBackground(1));

  auto plain = NineAt80();
  const std::string old = MeasFileText(*plain);
  EXPECT_EQ(old.find("Lb ="), std::string::npos) << "no background, no line";
  loaded->Iso.Background(3) = 50.0f;  // a file without the line clears what was there
  ApplyMeasContent(*loaded, *ParseMeasFile(old, "O.DAT"));
  EXPECT_FALSE(loaded->Iso.HasBackground(3));
}

TEST(Layout, TenReceiversStayWhereTheFileHasThem) {
  // A 10-point hemisphere of radius 2 m: the standard arrangement made of the
  // receivers' extent would put microphone 10 at z = 3.76 m.
  static constexpr double kH[10][3] = {
      {-0.99, 0, 0.15},     {0.5, -0.86, 0.15}, {0.5, 0.86, 0.15},  {-0.45, 0.77, 0.45},
      {-0.45, -0.77, 0.45}, {0.89, 0, 0.45},    {0.33, 0.57, 0.75}, {-0.66, 0, 0.75},
      {0.33, -0.57, 0.75},  {0, 0, 1.0}};
  LayoutFile layout;
  layout.rec.NReceivers = 10;
  for (int k = 1; k <= 10; ++k) {
    layout.rec.RecX(k) = static_cast<float>(2 * kH[k - 1][0]);
    layout.rec.RecY(k) = static_cast<float>(2 * kH[k - 1][1]);
    layout.rec.RecZ(k) = static_cast<float>(2 * kH[k - 1][2]);
  }
  layout.mea = MeaLayout{0, 0, 0, 80.0f, layout.rec};
  Measurement m;
  const auto note = ApplyLayoutFile(m, layout, "HEMI.MEA");
  ASSERT_TRUE(note.has_value());
  EXPECT_EQ(*note, "The room volume of HEMI.MEA (80 m3) replaces the 200 m3 given before.");
  EXPECT_EQ(m.MicCount, 10);
  EXPECT_EQ(ArrangementPosition(m), 4) << "shown as User";
  ASSERT_TRUE(PlaceMicrophones(m));
  EXPECT_EQ(m.MicZ(10), 2.0f);
  EXPECT_EQ(m.MicX(1), -1.98f);
  // The surface is the box around the receivers, as for any layout file.
  EXPECT_NEAR(SurfaceArea(m), 4 * (1.88 * 1.72 + 1.72 * 2 + 2 * 1.88), 1e-4);
}

}  // namespace
}  // namespace fonderel
