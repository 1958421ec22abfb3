// Number texts of the files and the log: BASIC-style texts, Format patterns and
// the balloon field of the SPK file. Expected texts are worked out by hand.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/FieldReader.h"

namespace fonderel {
namespace {

TEST(NumberText, SingleTextHasSevenSignificantDigits) {
  struct Case { float value; Lead lead; const char* text; };
  const Case cases[] = {
      {0.5f, Lead::Blank, " .5"},         {0.5f, Lead::None, ".5"},
      {-0.25f, Lead::Blank, "-.25"},      {-0.25f, Lead::None, "-.25"},
      {0.0f, Lead::Blank, " 0"},          {0.0f, Lead::None, "0"},
      {-0.0f, Lead::Blank, " 0"},         {1.0f, Lead::Blank, " 1"},
      {31.5f, Lead::Blank, " 31.5"},      {16000.0f, Lead::Blank, " 16000"},
      {0.1f, Lead::Blank, " .1"},         {3.2f, Lead::None, "3.2"},
      {-90.125f, Lead::Blank, "-90.125"}, {123.4567f, Lead::Blank, " 123.4567"},
      {1.0f / 3.0f, Lead::Blank, " .3333333"}, {2.0f / 3.0f, Lead::Blank, " .6666667"},
      {1234567.0f, Lead::Blank, " 1234567"}, {9999999.0f, Lead::Blank, " 9999999"},
      {12345678.0f, Lead::Blank, " 1.234568E+07"}, {12345678.0f, Lead::None, "1.234568E+07"},
      {1e7f, Lead::Blank, " 1E+07"},      {-1e7f, Lead::Blank, "-1E+07"},
      {1e20f, Lead::None, "1E+20"},       {0.0001f, Lead::Blank, " .0001"},
      {0.0123f, Lead::Blank, " .0123"},   {0.001234567f, Lead::Blank, " 1.234567E-03"},
      {1.5e-8f, Lead::Blank, " 1.5E-08"}, {-1.5e-8f, Lead::Blank, "-1.5E-08"},
      {1e-10f, Lead::None, "1E-10"},      {999999.96875f, Lead::Blank, " 1000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(SingleText(c.value, c.lead), c.text) << c.text;
}

TEST(NumberText, DoubleTextHasFifteenSignificantDigits) {
  struct Case { double value; Lead lead; const char* text; };
  const Case cases[] = {
      {10.0 * std::log10(3.2), Lead::Blank, " 5.05149978319906"},
      {1.0 / 3.0, Lead::Blank, " .333333333333333"},
      {-2.0 / 3.0, Lead::Blank, "-.666666666666667"},
      {0.1 + 0.2, Lead::Blank, " .3"},
      {0.1, Lead::None, ".1"},
      {static_cast<double>(0.1f), Lead::Blank, " .100000001490116"},
      {100.0, Lead::None, "100"},
      {123456789012345.0, Lead::Blank, " 123456789012345"},
      {1e15, Lead::Blank, " 1E+15"},
      {1e300, Lead::Blank, " 1E+300"},
      {-1.5e-8, Lead::Blank, "-.000000015"},  // nine places: fixed for a double
      {1.5e-15, Lead::Blank, " 1.5E-15"},     // sixteen places: exponent form
      {0.0, Lead::Blank, " 0"},
  };
  for (const Case& c : cases) EXPECT_EQ(DoubleText(c.value, c.lead), c.text) << c.text;
  EXPECT_EQ(IntText(3), " 3");
  EXPECT_EQ(IntText(-3), "-3");
  EXPECT_EQ(IntText(3, Lead::None), "3");
}

struct FormatCase { double value; const char* pattern; const char* text; };

TEST(NumberText, FormatNumberFollowsThePattern) {
  const FormatCase cases[] = {
      {0.5, "###0.00", "0.50"},          {1234.567, "###0.00", "1234.57"},
      {-3.2, "###0.00", "-3.20"},        {0.0, "###0.00", "0.00"},
      {-0.001, "###0.00", "0.00"},       {-0.004999, "###0.00", "0.00"},
      {12345.678, "###0.00", "12345.68"}, {90.0000000391, "###0.00", "90.00"},
      {0.5, "##0.000", "0.500"},         {1.23456, "##0.000", "1.235"},
      {1.5, "##0.0#", "1.5"},            {1.25, "##0.0#", "1.25"},
      {1.234, "##0.0#", "1.23"},         {1.999, "##0.0#", "2.0"},
      {0.0, "##0.0#", "0.0"},            {3.14159, "##0.0", "3.1"},
      {5.0, "####0.#", "5."},            {5.25, "####0.#", "5.3"},
      {12.04, "####0.#", "12."},         {0.0, "####0.#", "0."},
      {3.14159, " #0.00", " 3.14"},      {0.0, " #0.00", " 0.00"},
      {-2.5, " #0.00", "- 2.50"},        {0.0, "#####", ""},
      {42.0, "#####", "42"},             {42.5, "#####", "43"},
      {-7.0, "#####", "-7"},             {123456.0, "#####", "123456"},
      {0.5, "####.#", ".5"},             {0.0, "####.#", "."},
      {3.14159, "####.##", "3.14"},      {10.0, "####.##", "10."},
      {10000000.0, "###,###,###", "10,000,000"}, {999.0, "###,###,###", "999"},
      {1000.0, "###,###,###", "1,000"},  {1234567.5, "###,###,###", "1,234,568"},
      {-1234.0, "###,###,###", "-1,234"}, {13.456, "###.#####", "13.456"},
      {0.123456, "###.#####", ".12346"}, {2.0, "###.#####", "2."},
      // Half-way texts round away from zero, although the binary value lies
      // just below (2.67499999...).
      {2.675, "###0.00", "2.68"},        {-2.675, "###0.00", "-2.68"},
      {0.125, "###0.00", "0.13"},        {1.005, "###0.00", "1.01"},
      {-0.005, "###0.00", "-0.01"},      {0.05, "##0.0", "0.1"},
      {9.9995, "##0.000", "10.000"},     {999.995, "###0.00", "1000.00"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " in " << c.pattern;
  }
}

TEST(NumberText, FormatNumberOfSingleRoundsItsOwnShortestText) {
  // As doubles these singles lie below the half-way point (1.005f is
  // 1.00499999523...); the single's own text "1.005" decides.
  const FormatCase cases[] = {
      {1.005, "###0.00", "1.01"}, {2.675, "###0.00", "2.68"}, {1.23456, "##0.000", "1.235"},
      {0.5, "##0.000", "0.500"},  {90.0, "###0.00", "90.00"}, {-3.2, "###0.00", "-3.20"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumber(static_cast<float>(c.value), c.pattern), c.text) << c.value;
  }
}

TEST(NumberText, RightAlignKeepsLongTextsWhole) {
  EXPECT_EQ(RightAlign("10", 7), "     10");
  EXPECT_EQ(RightAlign("12345678", 7), "12345678");
}

TEST(NumberText, BalloonFieldIsSevenCharactersWithFourDecimals) {
  struct Case { float value; const char* text; };
  const Case cases[] = {
      {0.5f, "  .5000"},      {1.0f, "    1.0"},     {0.0f, "    0.0"},
      {12.34567f, "12.3457"}, {1.25f, " 1.2500"},    {99.99994f, "99.9999"},
      {99.99996f, "  100.0"}, {0.99996f, "    1.0"}, {9.5f, " 9.5000"},
      {10.5f, "10.5000"},     {12.0f, "   12.0"},    {0.00004f, "    0.0"},
      {0.00005001f, "  .0001"}, {-0.00001f, "    0.0"}, {-0.00006f, " -.0001"},
      {-1.5f, "-1.5000"},     {-0.5f, " -.5000"},    {-3.0f, "   -3.0"},
      {-9.75f, "-9.7500"},    {-10.0f, "  -10.0"},
      // Values beyond the field are written in full instead of being cut.
      {123.4567f, "123.4567"}, {-12.5f, "-12.5000"}, {100.0f, "  100.0"},
      {-10.25f, "-10.2500"},  {1234567.0f, "1234567.0"}, {1e10f, "10000000000.0"},
      {-20000.0f, "-20000.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(BalloonField(c.value), c.text) << c.text;
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
  addTenThousandths(0, 1000000, 7);          // 0 .. 100
  addTenThousandths(-100000, 0, 3);          // -10 .. 0
  addTenThousandths(-200000, -100000, 11);   // -20 .. -10
  addTenThousandths(1000000, 2000000, 13);   // 100 .. 200
  for (float big : {1e6f, -1e6f, 16777216.0f, 1e10f, 1e20f, -3e30f}) {
    values.push_back(big);
    expected.push_back(big);
  }
  std::mt19937 gen(1252);
  std::uniform_real_distribution<float> any(-50.0f, 150.0f);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(any(gen));
    expected.push_back(static_cast<float>(std::floor(static_cast<double>(values.back()) * 10000.0 + 0.5) / 10000.0));
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

}  // namespace
}  // namespace fonderel

namespace fonderel {
namespace {

// The single text takes a faster way for most floats; it must give exactly
// the digits of the value rounded to 7 significant digits (subnormals
// included), here worked out
// through the double text of the float's exact value.
std::string SevenDigitReference(float f) {
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<double>(std::fabs(f)),
                                 std::chars_format::scientific, 6).ptr;
  std::string mantissa(buf, static_cast<std::size_t>(std::find(buf, end, 'e') - buf));
  mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  int exponent = 0;
  const char* e = std::find(buf, end, 'e') + 1;
  std::from_chars(*e == '+' ? e + 1 : e, end, exponent);
  return mantissa + "e" + std::to_string(exponent);
}

std::string DigitsOfText(std::string text) {
  // " 1.234E+05", "-.0012" -> "1234e5", "12e-4"
  text.erase(0, text.find_first_not_of(" -"));
  int exponent = 0;
  if (const std::size_t e = text.find('E'); e != std::string::npos) {
    exponent = std::stoi(text.substr(e + 1));
    text.resize(e);
  }
  const std::size_t point = text.find('.');
  std::string digits = text;
  int pointPos = static_cast<int>(text.size());
  if (point != std::string::npos) {
    digits.erase(point, 1);
    pointPos = static_cast<int>(point);
  }
  const std::size_t first = digits.find_first_not_of('0');
  exponent += pointPos - 1 - static_cast<int>(first);
  digits = digits.substr(first);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits + "e" + std::to_string(exponent);
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
    ASSERT_EQ(DigitsOfText(SingleText(f)), SevenDigitReference(f)) << raw;
    ++checked;
  }
  // Every float of two binades around 1 and 8, where the fast way ends.
  for (float f = 0.9f; f < 1.1f; f = std::nextafter(f, 2.0f)) {
    ASSERT_EQ(DigitsOfText(SingleText(f)), SevenDigitReference(f)) << f;
  }
  for (float f = 7.9f; f < 8.1f; f = std::nextafter(f, 9.0f)) {
    ASSERT_EQ(DigitsOfText(SingleText(f)), SevenDigitReference(f)) << f;
  }
  EXPECT_GT(checked, 390000);
}

}  // namespace
}  // namespace fonderel
