// Windows-1252 bytes of the files against UTF-8 at the GUI and JSON boundary.
#include "core/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

#include "core/TableFile.h"

namespace fonderel {
namespace {

TEST(Cp1252, BytesToUtf8) {
  for (const test::Row& c : test::TableRows("cp1252.tsv"))
    EXPECT_EQ(Cp1252ToUtf8(c[0]), c[1]) << c[2];
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
  for (const test::Row& c : test::TableRows("utf8-to-cp1252.tsv"))
    EXPECT_EQ(Utf8ToCp1252(c[0]), c[1]) << c[2];
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
