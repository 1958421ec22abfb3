// fonderel-cli on foreign files: dispatch by extension, the loudspeaker of a
// multi-loudspeaker EASE file, the Modeler manufacturer, import errors.
#include <gtest/gtest.h>

#include <ctime>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

TEST(CliImport, SpeakerChoice) {
  const std::string multi = DataPath("import/EASE3_MULTI.EAS");
  const struct {
    std::vector<std::string> extra;
    int status;
    const char* text;  // in standard output (0) or standard error (1)
  } cases[] = {
      {{}, 1, "holds several loudspeakers; choose one with --speaker: \"Horn\", \"horn\", \"Sub 18\""},
      {{"--speaker", "HORN"}, 1, "no loudspeaker named \"HORN\" in the file"},
      {{"--speaker", "horn"}, 0, "Source name:    horn"},
      {{"--speaker", "Horn"}, 0, "Source name:    Horn\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"info", multi};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, c.status) << c.text;
    EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.text), std::string::npos) << r.out << r.err;
  }
}

TEST(CliImport, ModelerManufacturerAndConvert) {
  TempDir dir;
  const CliRun r = Cli({"convert", DataPath("import/MODELER_ONE.MDL"), dir / "one.mdl",
                        "--manufacturer", "Acme"});
  ASSERT_EQ(r.status, 0) << r.err;
  // A .mdl target is written as .SPK.
  const std::string written = Slurp(dir / "one.SPK");
  EXPECT_NE(written.find("\"Manufacturer\",\"Acme\"\r\n"), std::string::npos);
  const CliRun info = Cli({"info", DataPath("import/MODELER_ONE.MDL")});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("Manufacturer:   \n"), std::string::npos) << info.out;
}

// The CATT reader's own message about a wrong first line is printed once.
TEST(CliImport, ReaderMessageIsPrintedOnce) {
  const CliRun r = Cli({"info", DataPath("import/CATT_LOWER.TXT")});
  EXPECT_EQ(r.status, 1);
  const std::string text = "The TXT file does not appear";
  const std::size_t first = r.err.find(text);
  ASSERT_NE(first, std::string::npos) << r.err;
  EXPECT_EQ(r.err.find(text, first + 1), std::string::npos) << r.err;
}

TEST(CliImport, BrokenForeignFileFails) {
  TempDir dir;
  Spit(dir / "broken.eas", "Format,\"EASE\"\r\nSpeakerName,\"A\"\r\nManufacturer,\"M\"\r\nFrequency,x\r\n");
  const CliRun r = Cli({"convert", dir / "broken.eas", dir / "out.SPK", "--log"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("broken.eas, line 4"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.SPK"));
}

// An import is stamped with the local date (month first) and time it ran.
TEST(CliImport, ImportIsStampedWithTheLocalDateAndTime) {
  const auto stamp = [](const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return std::string(text);
  };
  const std::string dayBefore = stamp("%m-%d-%Y"), timeBefore = stamp("%H:%M:%S");
  const CliRun r = Cli({"info", DataPath("import/EASE3_ONE.EAS"), "--json"});
  const std::string dayAfter = stamp("%m-%d-%Y"), timeAfter = stamp("%H:%M:%S");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const std::string day = j["SourceDate"], time = j["SourceTime"];
  EXPECT_TRUE(day == dayBefore || day == dayAfter) << day << " " << dayBefore;
  if (dayBefore == dayAfter) {
    EXPECT_TRUE(time >= timeBefore && time <= timeAfter) << time << " " << timeBefore;
  }
}

}  // namespace
}  // namespace fonderel::test
