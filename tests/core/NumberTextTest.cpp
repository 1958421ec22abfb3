// Number texts of the files and the log: BASIC-style texts, Format patterns and
// the balloon field of the SPK file. Expected texts are worked out by hand.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/FieldReader.h"
#include "core/TableFile.h"

namespace fonderel {
namespace {

Lead LeadOf(const std::string& cell) {
  return cell == "none" ? Lead::None : Lead::Blank;
}

TEST(NumberText, SingleAndDoubleTexts) {
  for (const test::Row& c : test::TableRows("single-text.tsv")) {
    EXPECT_EQ(SingleText(std::stof(c[0]), LeadOf(c[1])), c[2]) << c[0];
  }
  for (const test::Row& c : test::TableRows("double-text.tsv")) {
    EXPECT_EQ(DoubleText(std::stod(c[0]), LeadOf(c[1])), c[2]) << c[0];
  }
  EXPECT_EQ(IntText(3), " 3");
  EXPECT_EQ(IntText(-3), "-3");
  EXPECT_EQ(IntText(3, Lead::None), "3");
}

TEST(NumberText, FormatNumberFollowsThePattern) {
  for (const test::Row& c : test::TableRows("format-number.tsv")) {
    const std::string text = c[3] == "single" ? FormatNumber(std::stof(c[0]), c[1])
                                              : FormatNumber(std::stod(c[0]), c[1]);
    EXPECT_EQ(text, c[2]) << c[0] << " in " << c[1] << " as " << c[3];
  }
  EXPECT_EQ(RightAlign("10", 7), "     10");
  EXPECT_EQ(RightAlign("12345678", 7), "12345678");
}

TEST(NumberText, BalloonFieldIsSevenCharactersWithFourDecimals) {
  for (const test::Row& c : test::TableRows("balloon-field.tsv")) {
    EXPECT_EQ(BalloonField(std::stof(c[0])), c[1]) << c[0];
  }
  std::string row = "x";
  AppendBalloonField(row, 0.5f);
  EXPECT_EQ(row, "x  .5000");
}

// Every field written reads back as the value rounded to four decimals: whole
// rows of fields, comma-separated as in the SPK file, are read with the
// reader of the SPK file.
TEST(NumberText, BalloonFieldsReadBackRoundedToFourDecimals) {
  std::vector<float> values, expected;
  auto addTenThousandths = [&](long from, long to, long step) {
    for (long k = from; k <= to; k += step) {
      values.push_back(static_cast<float>(static_cast<double>(k) / 10000.0));
      expected.push_back(values.back());
    }
  };
  addTenThousandths(0, 1000000, 7);         // 0 .. 100
  addTenThousandths(-100000, 0, 3);         // -10 .. 0
  addTenThousandths(-200000, -100000, 11);  // -20 .. -10
  addTenThousandths(1000000, 2000000, 13);  // 100 .. 200
  for (float big : {1e6f, -1e6f, 16777216.0f, 1e10f, 1e20f, -3e30f}) {
    values.push_back(big);
    expected.push_back(big);
  }
  std::mt19937 gen(1252);
  std::uniform_real_distribution<float> any(-50.0f, 150.0f);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(any(gen));
    expected.push_back(static_cast<float>(
        std::floor(static_cast<double>(values.back()) * 10000.0 + 0.5) / 10000.0));
  }
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string field = BalloonField(values[i]);
    const float v = values[i];
    if (v >= 0.0f && v < 99.99995f) {
      ASSERT_EQ(field.size(), 7u) << v;
      ASSERT_TRUE(field.ends_with(".0") || field[2] == '.') << field;
    }
    text += (i % 36 == 0) ? "\r\n" : ",";
    text += field;
  }
  FieldReader in(text, "ROUND.SPK");
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto read = in.ReadSingle();
    ASSERT_TRUE(read.has_value()) << read.error().Text();
    ASSERT_EQ(*read, expected[i]) << values[i] << " written as " << BalloonField(values[i]);
  }
  EXPECT_TRUE(in.AtEnd());
}

// The single text takes a faster way for most floats; it must give the value
// rounded to 7 significant digits (subnormals included), as printf rounds it.
// Two texts of at most 7 digits are the same number when their doubles are.
void ExpectSevenDigits(float f) {
  char reference[32];
  std::snprintf(reference, sizeof reference, "%.6e", static_cast<double>(f));
  ASSERT_EQ(std::stod(SingleText(f)), std::stod(reference)) << SingleText(f) << " vs " << reference;
}

TEST(NumberText, SingleTextIsTheSevenDigitRounding) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<std::uint32_t> bits;
  int checked = 0;
  for (int i = 0; i < 400000; ++i) {
    std::uint32_t raw = bits(rng);
    float f;
    std::memcpy(&f, &raw, sizeof f);
    if (!std::isfinite(f) || f == 0) continue;
    ASSERT_NO_FATAL_FAILURE(ExpectSevenDigits(f)) << raw;
    ++checked;
  }
  // Every float of two binades around 1 and 8, where the fast way ends.
  for (const float from : {0.9f, 7.9f})
    for (float f = from; f < from + 0.2f; f = std::nextafter(f, 9.0f))
      ASSERT_NO_FATAL_FAILURE(ExpectSevenDigits(f));
  EXPECT_GT(checked, 390000);
}

}  // namespace
}  // namespace fonderel
