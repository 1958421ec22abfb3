// Windows-1252 bytes of the files against UTF-8 at the GUI and JSON boundary.
#include "core/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace fonderel {
namespace {

TEST(Cp1252, BytesToUtf8) {
  struct Case { char byte; const char* utf8; };
  const Case cases[] = {
      {'A', "A"},         {'\r', "\r"},
      {'\xEA', "\xC3\xAA"},       // the label "Z (ê)"
      {'\xDF', "\xC3\x9F"},       // ß
      {'\xF8', "\xC3\xB8"},       // ø
      {'\xA0', "\xC2\xA0"},       {'\xFF', "\xC3\xBF"},
      {'\x80', "\xE2\x82\xAC"},   // €
      {'\x99', "\xE2\x84\xA2"},   // ™
      {'\x9F', "\xC5\xB8"},       // Ÿ
      {'\x81', "\xC2\x81"},       // undefined in the code page: the C1 control U+0081
      {'\x9D', "\xC2\x9D"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, c.byte)), c.utf8) << int(static_cast<unsigned char>(c.byte));
  }
  EXPECT_EQ(Cp1252ToUtf8("Z (\xEA)"), "Z (\xC3\xAA)");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
  }
}

TEST(Cp1252, Utf8WithoutAByteBecomesQuestionMark) {
  struct Case { std::string utf8; std::string bytes; };
  const Case cases[] = {
      {"plain", "plain"},
      {"\xE2\x82\xAC" "5", "\x80" "5"},
      {"\xCE\xA9", "?"},                 // Ω has no byte
      {"a\xF0\x9F\x98\x80" "b", "a?b"},  // a four-byte character
      {"\xFF", "?"},
      {"\x80", "?"},                     // a continuation byte alone
      {"A\xC3", "A?"},                   // cut after the lead byte
      {"\xC3(", "?("},                   // the byte after a broken lead is kept
      {"\xF8\x88\x80\x80\x80", "?????"}, // five-byte forms do not exist
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes);
}

TEST(Cp1252, OverlongUtf8IsNotDecoded) {
  // "\xC0\xAF" is an overlong '/', "\xC1\x81" an overlong 'A': neither is
  // UTF-8, so neither may turn into the character it imitates.
  for (const std::string text : {"\xC0\xAF", "\xC1\x81", "\xE0\x80\xAF"}) {
    const std::string bytes = Utf8ToCp1252(text);
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find_first_not_of('?'), std::string::npos) << "got " << bytes;
  }
}

}  // namespace
}  // namespace fonderel
