// The list-input reader behind every text format: items, line ends, line
// numbers in errors, and survival of arbitrary bytes.
#include "core/FieldReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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
  struct Case { const char* text; double value; };
  const Case cases[] = {{"0.5", 0.5}, {".5", 0.5},      {"-.25", -0.25},     {"+3", 3.0},
                        {"1E+07", 1e7}, {"1.5E-08", 1.5e-8}, {"  12.3457 ", 12.3457}, {"-0", 0.0},
                        {"1e39", 1e39}, {"100000002004087734272.0", 100000002004087734272.0}};
  for (const Case& c : cases) {
    FieldReader in(c.text, "N.TXT");
    EXPECT_EQ(Get(in.ReadDouble()), c.value) << c.text;
  }
}

// `reads` numbers (or 16-bit integers) succeed, the next fails with `message`
// on `line`.
TEST(FieldReader, NumberErrorsNameTheLine) {
  struct Case { const char* text; bool integer; int reads; int line; const char* message; };
  const Case cases[] = {
      {"x", false, 0, 1, "expected a number, found \"x\""},
      {"1\r\n2\r\n1.2.3", false, 2, 3, "expected a number, found \"1.2.3\""},
      {"inf", false, 0, 1, "expected a number, found \"inf\""},
      {"nan", false, 0, 1, "expected a number, found \"nan\""},
      {"-inf", false, 0, 1, "expected a number, found \"-inf\""},
      {"+nan", false, 0, 1, "expected a number, found \"+nan\""},
      {"0x10", false, 0, 1, "expected a number, found \"0x10\""},
      {"1e", false, 0, 1, "expected a number, found \"1e\""},
      {".", false, 0, 1, "expected a number, found \".\""},
      {"--1", false, 0, 1, "expected a number, found \"--1\""},
      {"1 , \"a\"", false, 1, 1, "expected a number, found \"\\x22a\\x22\""},
      {"1e999", false, 0, 1, "number out of range: \"1e999\""},
      {"\n\n3.5e38", false, 0, 3, "number out of range: \"3.5e38\""},
      {"1,,2", false, 1, 1, "expected a number, found an empty item"},
      {"", false, 0, 1, "expected a number, found the end of the file"},
      {"1\n2\n", false, 2, 3, "expected a number, found the end of the file"},
      {"3.0,-32768,32767,40000", true, 3, 1, "number out of range: \"40000\""},
      {"-32769", true, 0, 1, "number out of range: \"-32769\""},
      {"1e5", true, 0, 1, "number out of range: \"1e5\""},
  };
  for (const Case& c : cases) {
    FieldReader in(c.text, "HORN.SPK");
    for (int i = 0; i < c.reads; ++i) {
      ASSERT_TRUE(c.integer ? in.ReadInteger().has_value() : in.ReadSingle().has_value()) << c.text;
    }
    const FileError e = c.integer ? in.ReadInteger().error() : in.ReadSingle().error();
    EXPECT_EQ(e.file, "HORN.SPK");
    EXPECT_EQ(e.line, c.line) << c.text;
    EXPECT_EQ(e.message, c.message) << c.text;
  }
  FieldReader in("1\r\n2\r\n1.2.3", "HORN.SPK");
  (void)in.ReadSingle(), (void)in.ReadSingle();
  EXPECT_EQ(in.ReadSingle().error().Text(), "HORN.SPK, line 3: expected a number, found \"1.2.3\"");
}

TEST(FieldReader, IntegersMustBeWhole) {
  for (const char* text : {"3.5", "0.5", "-1.25", "32767.4"}) {
    FieldReader in(text, "I.TXT");
    const auto r = in.ReadInteger();
    ASSERT_FALSE(r.has_value()) << text;
    EXPECT_NE(r.error().message.find("whole number"), std::string::npos) << r.error().message;
  }
  FieldReader in("3.0 -7", "I.TXT");
  EXPECT_EQ(Get(in.ReadInteger()), 3);
  EXPECT_EQ(Get(in.ReadInteger()), -7);
}

TEST(FieldReader, OneSignOnly) {
  for (const char* text : {"+-3", "+-.5", "++3"}) {
    FieldReader in(text, "S.TXT");
    const auto r = in.ReadSingle();
    ASSERT_FALSE(r.has_value()) << text << " read as " << *r;
    EXPECT_EQ(r.error().message, "expected a number, found " + Quoted(text));
  }
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
  struct Case { std::string text; std::string quoted; };
  const Case cases[] = {
      {"x", "\"x\""},
      {"", "\"\""},
      {std::string("a\0b", 3), "\"a\\x00b\""},
      {"a\x01" "b", "\"a\\x01b\""},
      {"\r\n\t", "\"\\x0D\\x0A\\x09\""},
      {"Z (\xEA)", "\"Z (\\xEA)\""},
      {"\x7F\xFF", "\"\\x7F\\xFF\""},
      {"say \"hi\" \\", "\"say \\x22hi\\x22 \\x5C\""},
      {std::string(30, 'a'), "\"" + std::string(24, 'a') + "...\""},
  };
  for (const Case& c : cases) EXPECT_EQ(Quoted(c.text), c.quoted);
}

}  // namespace
}  // namespace fonderel
