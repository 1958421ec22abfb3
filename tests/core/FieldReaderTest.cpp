// The list-input reader behind every text format: items, line ends, line
// numbers in errors, and survival of arbitrary bytes.
#include "core/FieldReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/TableFile.h"
#include "support/GoldenText.h"

namespace fonderel {
namespace {

template <typename T>
T Get(std::expected<T, FileError> r) {
  EXPECT_TRUE(r.has_value()) << (r ? std::string() : r.error().Text());
  return r ? *r : T{};
}

// What a read gave: nothing, or its error.
using Status = std::expected<void, FileError>;
template <typename T>
Status StatusOf(const std::expected<T, FileError>& r) {
  if (r) return {};
  return std::unexpected(r.error());
}

// One call of the reader as a row of tests/data/core/field-reader-scripts.tsv
// says, checked against what the row gives.
void Call(FieldReader& in, const test::Row& c) {
  const std::string& call = c[0];
  for (std::size_t i = 1; i < c.size() && call == "integer"; ++i)
    EXPECT_EQ(Get(in.ReadInteger()), std::stoi(c[i]));
  for (std::size_t i = 1; i < c.size() && call == "single"; ++i)
    EXPECT_EQ(Get(in.ReadSingle()), std::stof(c[i]));
  for (std::size_t i = 1; i < c.size() && call == "double"; ++i)
    EXPECT_EQ(Get(in.ReadDouble()), std::stod(c[i]));
  if (call == "string" || call == "line" || call == "peek") {
    EXPECT_EQ(call == "string" ? Get(in.ReadString())
              : call == "line" ? Get(in.ReadLine())
                               : in.PeekLine(std::stoi(c.at(1))),
              c.back());
  } else if (call == "skip line") {
    EXPECT_TRUE(in.SkipLine());
  } else if (call == "skip chars") {
    in.SkipChars(std::stoi(c.at(1)));
  } else if (call == "skip blank") {
    in.SkipPastBlank();
  } else if (call == "at line") {
    EXPECT_EQ(in.Line(), std::stoi(c.at(1)));
  } else if (call == "at end") {
    EXPECT_TRUE(in.AtEnd());
  } else if (call.ends_with(" fails")) {
    const Status r = call == "string fails"      ? StatusOf(in.ReadString())
                     : call == "line fails"      ? StatusOf(in.ReadLine())
                     : call == "integer fails"   ? StatusOf(in.ReadInteger())
                     : call == "skip line fails" ? in.SkipLine()
                                                 : Status();
    ASSERT_FALSE(r.has_value()) << call;
    EXPECT_NE(r.error().message.find(c.size() > 1 ? c[1] : ""), std::string::npos)
        << r.error().message;
  } else {
    EXPECT_TRUE(call == "integer" || call == "single" || call == "double") << "no call " << call;
  }
}

TEST(FieldReader, ReadsAsTheScriptsSay) {
  std::vector<std::pair<test::Row, std::vector<test::Row>>> scripts;
  for (const test::Row& c : test::TableRows("../core/field-reader-scripts.tsv")) {
    if (c[0] == "text") {
      scripts.push_back({c, {}});
    } else {
      ASSERT_FALSE(scripts.empty());
      scripts.back().second.push_back(c);
    }
  }
  ASSERT_EQ(scripts.size(), 10u);
  for (const auto& [text, calls] : scripts)
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
      if (eol != "\r\n" && text[1].find("{eol}") == std::string::npos) continue;
      const std::string bytes = test::Replaced(text[1], "{eol}", eol);  // the reader keeps a view
      FieldReader in(bytes, text[2]);
      for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(text[2] + " " + Quoted(eol) + ", call " + std::to_string(i + 1));
        Call(in, calls[i]);
      }
    }
}

TEST(FieldReader, NumberItems) {
  for (const test::Row& c : test::TableRows("field-reader-numbers.tsv")) {
    FieldReader in(c[0], "N.TXT");
    EXPECT_EQ(Get(in.ReadDouble()), std::stod(c[1])) << c[0];
  }
}

// `reads` numbers (or 16-bit integers) succeed, the next fails with the
// message on the line.
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
}

// Every call of the reader in turn, each giving what it gave.
Status (*const kCalls[])(FieldReader&) = {
    [](FieldReader& in) { return StatusOf(in.ReadString()); },
    [](FieldReader& in) { return StatusOf(in.ReadSingle()); },
    [](FieldReader& in) { return StatusOf(in.ReadDouble()); },
    [](FieldReader& in) { return StatusOf(in.ReadInteger()); },
    [](FieldReader& in) { return StatusOf(in.ReadLine()); },
    [](FieldReader& in) -> Status {
      in.SkipChars(in.PeekLine(3).size());
      return {};
    },
    [](FieldReader& in) -> Status {
      in.SkipPastBlank();
      return {};
    },
    [](FieldReader& in) { return in.SkipLine(); }};

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
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
        ++lines;
    }
    FieldReader in(text, "FUZZ.TXT");
    const int bound = 8 * (static_cast<int>(text.size()) + 2);
    int step = 0;
    for (; !in.AtEnd() && step < bound; ++step) {
      const Status r = kCalls[step % std::size(kCalls)](in);
      ASSERT_LE(in.Line(), lines);
      if (!r) {
        ASSERT_EQ(r.error().file, "FUZZ.TXT");
        ASSERT_GE(r.error().line, 1);
        ASSERT_LE(r.error().line, lines);
        ASSERT_FALSE(r.error().message.empty());
        for (char c : r.error().message)
          ASSERT_TRUE(c >= 0x20 && c < 0x7F) << Quoted(r.error().message);
        ASSERT_TRUE(in.AtEnd() || in.SkipLine());
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
