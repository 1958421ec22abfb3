// The list-input reader behind every text format: items, line ends, line
// numbers in errors, and survival of arbitrary bytes.
#include "core/FieldReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/TableFile.h"

namespace fonderel {
namespace {

template <typename T>
T Get(std::expected<T, FileError> r) {
  EXPECT_TRUE(r.has_value()) << (r ? std::string() : r.error().Text());
  return r ? *r : T{};
}

TEST(FieldReader, ReadsTheSameItemsWithEveryLineEnd) {
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    const std::string text = "\"Source Name\",\"Big Box, 2\"" + eol + "\"Number of frequency bands\",6" + eol +
                             "\"Z (\xEA)\",\"Lw (dBpW)\"" + eol + "8, .5,-.25 +3\t1E+07 , 0.5" + eol +
                             "  bare words , next" + eol + "last line";
    FieldReader in(text, "HORN.SPK");
    EXPECT_EQ(Get(in.ReadString()), "Source Name");
    EXPECT_EQ(Get(in.ReadString()), "Big Box, 2");
    EXPECT_EQ(in.Line(), 2);
    EXPECT_EQ(Get(in.ReadString()), "Number of frequency bands");
    EXPECT_EQ(Get(in.ReadInteger()), 6);
    EXPECT_EQ(in.Line(), 3);
    ASSERT_TRUE(in.SkipLine());
    EXPECT_EQ(in.Line(), 4);
    for (float want : {8.0f, 0.5f, -0.25f, 3.0f, 1e7f, 0.5f}) EXPECT_EQ(Get(in.ReadSingle()), want);
    EXPECT_EQ(in.Line(), 5);
    EXPECT_EQ(Get(in.ReadString()), "bare words");
    EXPECT_EQ(Get(in.ReadString()), "next");
    EXPECT_EQ(Get(in.ReadLine()), "last line");
    EXPECT_TRUE(in.AtEnd());
  }
}

TEST(FieldReader, LastItemOfALineTakesItsLineEnd) {
  // The item ends its line, so SkipLine drops the labels line after it.
  FieldReader in("\"Freq. band no.\",3\r\n\"Z\",\"Lw\"\r\n\"Q\"\r\nlabels\r\n  7  \r\n\r\n\r\n8", "A.SPK");
  EXPECT_EQ(Get(in.ReadString()), "Freq. band no.");
  EXPECT_EQ(Get(in.ReadInteger()), 3);
  ASSERT_TRUE(in.SkipLine());
  EXPECT_EQ(Get(in.ReadString()), "Q");
  ASSERT_TRUE(in.SkipLine());
  EXPECT_EQ(Get(in.ReadDouble()), 7.0);
  EXPECT_EQ(in.Line(), 6);
  EXPECT_EQ(Get(in.ReadDouble()), 8.0);  // empty lines before a number are passed over
  EXPECT_EQ(in.Line(), 8);
  EXPECT_TRUE(in.AtEnd());

  FieldReader lines("a\rb\r\n\nc", "L.TXT");
  for (const char* want : {"a", "b", "", "c"}) EXPECT_EQ(Get(lines.ReadLine()), want);
  EXPECT_TRUE(lines.AtEnd());
  EXPECT_EQ(lines.Line(), 4);
}

TEST(FieldReader, NumberItems) {
  for (const test::Row& c : test::TableRows("field-reader-numbers.tsv")) {
    FieldReader in(c[0], "N.TXT");
    EXPECT_EQ(Get(in.ReadDouble()), std::stod(c[1])) << c[0];
  }
}

// `reads` numbers (or 16-bit integers) succeed, the next fails with the
// message on the line; integers that are not whole are refused too.
TEST(FieldReader, NumberErrorsNameTheLine) {
  for (const test::Row& c : test::TableRows("field-reader-errors.tsv")) {
    const bool integer = c[1] == "integer";
    FieldReader in(c[0], "HORN.SPK");
    for (int i = 0; i < std::stoi(c[2]); ++i) {
      ASSERT_TRUE(integer ? in.ReadInteger().has_value() : in.ReadSingle().has_value()) << c[0];
    }
    const FileError e = integer ? in.ReadInteger().error() : in.ReadSingle().error();
    EXPECT_EQ(e.file, "HORN.SPK");
    EXPECT_EQ(e.line, std::stoi(c[3])) << c[0];
    EXPECT_EQ(e.message, c[4]) << c[0];
  }
  FieldReader in("1\r\n2\r\n1.2.3", "HORN.SPK");
  (void)in.ReadSingle(), (void)in.ReadSingle();
  EXPECT_EQ(in.ReadSingle().error().Text(), "HORN.SPK, line 3: expected a number, found \"1.2.3\"");
  for (const char* text : {"3.5", "0.5", "-1.25", "32767.4"}) {
    FieldReader whole(text, "I.TXT");
    const auto r = whole.ReadInteger();
    ASSERT_FALSE(r.has_value()) << text;
    EXPECT_NE(r.error().message.find("whole number"), std::string::npos) << r.error().message;
  }
  FieldReader whole("3.0 -7", "I.TXT");
  EXPECT_EQ(Get(whole.ReadInteger()), 3);
  EXPECT_EQ(Get(whole.ReadInteger()), -7);
}

TEST(FieldReader, TextErrorsAtTheEnd) {
  FieldReader in("", "E.TXT");
  EXPECT_EQ(in.ReadString().error().message, "expected a text, found the end of the file");
  EXPECT_EQ(in.ReadLine().error().message, "expected a line, found the end of the file");
  EXPECT_FALSE(in.SkipLine().has_value());
}

TEST(FieldReader, GeometryLinesByCharacters) {
  FieldReader in("EntityList\r\n Face 3  1  4   0 0 0 1 0 0 1 1 0 0 1 0\r\n"
                 "  Face 7  2  3   -1.5 .25 1E+07 0 0 0 1 1 1\r\nEnd\r\nab\r\ncd",
                 "G.SPK");
  EXPECT_EQ(Get(in.ReadLine()), "EntityList");
  EXPECT_EQ(in.PeekLine(3), " Fa");
  EXPECT_EQ(in.PeekLine(100), " Face 3  1  4   0 0 0 1 0 0 1 1 0 0 1 0");
  in.SkipChars(3);
  in.SkipPastBlank();
  for (int want : {3, 1, 4}) EXPECT_EQ(Get(in.ReadInteger()), want);
  for (float want : {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}) EXPECT_EQ(Get(in.ReadSingle()), want);
  EXPECT_EQ(in.Line(), 3);
  EXPECT_EQ(in.PeekLine(3), "  F");
  in.SkipChars(3);
  in.SkipPastBlank();
  for (int want : {7, 2, 3}) EXPECT_EQ(Get(in.ReadInteger()), want);
  for (float want : {-1.5f, 0.25f, 1e7f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f}) {
    EXPECT_EQ(Get(in.ReadSingle()), want);
  }
  EXPECT_EQ(in.PeekLine(3), "End");
  ASSERT_TRUE(in.SkipLine());
  in.SkipChars(10);  // never past the line end
  EXPECT_EQ(in.PeekLine(5), "");
  in.SkipPastBlank();
  EXPECT_EQ(in.Line(), 5);
  EXPECT_EQ(Get(in.ReadLine()), "");
  EXPECT_EQ(in.PeekLine(9), "cd");
  in.SkipPastBlank();  // no blank: to the end of the line
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.PeekLine(3), "");
}

// Arbitrary bytes: every read either succeeds or reports an error on a line
// of the text, and the reader always reaches the end.
TEST(FieldReader, SurvivesArbitraryBytes) {
  std::mt19937 gen(3744);
  const std::string alphabet = "0123456789.,-+eE \"\r\n\t xnaif";
  for (int round = 0; round < 3000; ++round) {
    std::string text(gen() % 200, '\0');
    for (char& c : text) {
      c = gen() % 2 ? alphabet[gen() % alphabet.size()] : static_cast<char>(gen() % 256);
    }
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    FieldReader in(text, "FUZZ.TXT");
    const int bound = 8 * (static_cast<int>(text.size()) + 2);
    int step = 0;
    for (; !in.AtEnd() && step < bound; ++step) {
      std::expected<void, FileError> r;
      switch (step % 8) {
        case 0: if (auto v = in.ReadString(); !v) r = std::unexpected(v.error()); break;
        case 1: if (auto v = in.ReadSingle(); !v) r = std::unexpected(v.error()); break;
        case 2: if (auto v = in.ReadDouble(); !v) r = std::unexpected(v.error()); break;
        case 3: if (auto v = in.ReadInteger(); !v) r = std::unexpected(v.error()); break;
        case 4: if (auto v = in.ReadLine(); !v) r = std::unexpected(v.error()); break;
        case 5: in.SkipChars(in.PeekLine(3).size()); break;
        case 6: in.SkipPastBlank(); break;
        default: r = in.SkipLine(); break;
      }
      ASSERT_LE(in.Line(), lines);
      if (!r) {
        ASSERT_EQ(r.error().file, "FUZZ.TXT");
        ASSERT_GE(r.error().line, 1);
        ASSERT_LE(r.error().line, lines);
        ASSERT_FALSE(r.error().message.empty());
        for (char c : r.error().message) ASSERT_TRUE(c >= 0x20 && c < 0x7F) << Quoted(r.error().message);
        if (!in.AtEnd()) {
          ASSERT_TRUE(in.SkipLine());
        }
      }
    }
    ASSERT_TRUE(in.AtEnd()) << "no progress after " << step << " reads";
  }
}

TEST(FieldReader, QuotedEscapesControlAndHighBytes) {
  for (const test::Row& c : test::TableRows("quoted.tsv")) EXPECT_EQ(Quoted(c[0]), c[1]);
}

}  // namespace
}  // namespace fonderel
