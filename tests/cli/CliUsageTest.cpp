// What fonderel-cli answers when the command line itself is at fault, and the
// texts it prints where a reader or the help speaks to the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";
const char* const kNotSd1 =
    "The TXT file does not appear to be a valid export file from CATT in SD1 format";

TEST(CliUsage, StatusAndMessage) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  const std::string catt = DataPath("import/CATT_MAP.TXT");
  std::string version2 = Slurp(catt);
  version2.replace(version2.find("VERSION = 1"), 11, "VERSION = 2");
  Spit(dir / "V2.TXT", version2);
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;  // the whole of standard error; "" where only `out` is checked
    const char* out = "";  // a regular expression for standard output
  } cases[] = {
      {"version", {"--version"}, 0, "", R"(fonderel-cli \d+\.\d+\.\d+\n)"},
      {"unknown command", {"bogus", kHorn}, 2,
       "fonderel-cli: unknown command \"bogus\"; the commands are: info, balloon, polar, convert"},
      {"band not a number", {"balloon", kHorn, "--band", "abc"}, 2,
       "--band: expected a band number 1 to 10, found \"abc\""},
      {"band zero", {"polar", kHorn, "--band", "0"}, 2,
       "--band: expected a band number 1 to 10, found \"0\""},
      {"band with a fraction", {"balloon", kHorn, "--band", "5.5"}, 2,
       "--band: expected a band number 1 to 10, found \"5.5\""},
      {"empty OUT", {"convert", kHorn, ""}, 2,
       "fonderel-cli: convert: OUT is empty; name the SPK file to write\n"},
      {"OUT a folder", {"convert", kHorn, dir / "folder"}, 2,
       "fonderel-cli: " + dir / "folder" +
           ": names a folder; name the SPK file to write, such as " + dir / "folder/SOURCE.SPK\n"},
      {"OUT ends in a slash", {"convert", kHorn, dir / "new/"}, 2,
       "fonderel-cli: " + dir / "new/" + ": names a folder; name the SPK file to write, such as " +
           dir / "new/SOURCE.SPK\n"},
      // The CATT reader's own first-line messages, named by file and line.
      {"not an SD1 file", {"info", DataPath("import/CATT_LOWER.TXT")}, 1,
       "fonderel-cli: " + DataPath("import/CATT_LOWER.TXT") + ", line 1: " + kNotSd1 + "\n"},
      {"not version 1", {"convert", dir / "V2.TXT", dir / "OUT.SPK"}, 1,
       "fonderel-cli: " + dir / "V2.TXT" +
           ", line 2: The TXT file does not contains Version 1 SD1 format\n"},
      {"help names the formats", {"info", "--help"}, 0, "",
       R"([\s\S]*EASE 3\.0 or 2\.0 \(\.eas\), CATT SD1 \(\.txt\), Modeler 3\.0[\s\S]*)"
       R"(--json[^\n]*Print one JSON object instead[\s\S]*)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    // A message that ends its line is all that is printed; otherwise CLI11
    // adds its hint about --help.
    if (c.err.ends_with('\n')) {
      EXPECT_EQ(r.err, c.err);
    } else {
      EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    }
    EXPECT_TRUE(std::regex_match(r.out, std::regex(c.out))) << r.out;
  }
  // Nothing was written by the refused conversions.
  EXPECT_TRUE(std::filesystem::is_empty(dir / "folder"));
  EXPECT_FALSE(std::filesystem::exists(dir / "folder.SPK"));
  EXPECT_FALSE(std::filesystem::exists(dir / "new"));
  EXPECT_FALSE(std::filesystem::exists(dir / "OUT.SPK"));
  EXPECT_FALSE(std::filesystem::exists(".SPK"));
}

// The Modeler reader logs the first word of its file; convert --log says what
// that number is, also for a file that is no Modeler file at all.
TEST(CliUsage, LogLabelsTheModelerFirstWord) {
  TempDir dir;
  Spit(dir / "garbage", "v_ this is no loudspeaker file");
  const struct {
    std::string in;
    int status;
    const char* line;
  } cases[] = {
      {dir / "garbage", 1, "First word of the file: 30303"},
      {std::string(FONDEREL_SOURCES) + "/HORN60.MDL", 0, "First word of the file: 300"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    const CliRun r = Cli({"convert", c.in, dir / "out.SPK", "--log", "--manufacturer", "M"});
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.out.find(std::string("\n") + c.line + "\n"), std::string::npos) << r.out;
    // No line is a bare number.
    EXPECT_FALSE(std::regex_search(r.out, std::regex(R"((^|\n) *-?\d+\n)"))) << r.out;
  }
}

}  // namespace
}  // namespace fonderel::test
