// The SPK reader on malformed input: every case ends in an error naming the
// file and line, the description stays as the reset left it, nothing crashes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/EmptySource.h"
#include "core/SpkFile.h"
#include "core/TableFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::RecordingPlatform;
using test::Slurp;

// The two cases below, then LOUD_3_8.SPK edited as tests/data/tables/spk-bad.tsv
// says. Every case is refused with the file, the line of the offending item
// and the reason.
TEST(SpkBadInput, RefusedWithFileLineAndReason) {
  const std::string loud = Slurp(DataPath("LOUD_3_8.SPK"));
  ASSERT_FALSE(loud.empty());
  std::vector<test::Row> cases = {
      {"empty file", "", "1", "expected a text, found the end of the file"},
      {"header only", loud.substr(0, loud.find("\"Freq.")), "6", "end of the file"}};
  for (const test::Row& c : test::TableRows("spk-bad.tsv")) {
    std::string bytes = loud;
    if (!c[1].empty()) {
      const std::size_t at = bytes.find(c[1]);
      ASSERT_NE(at, std::string::npos) << c[1];
      bytes.replace(at, c[1].size(), c[2]);
    } else {
      bytes += c[3];
      for (int i = 0; i < std::stoi(c[5]); ++i) bytes += c[4];
      bytes += c[6];
    }
    cases.push_back({c[0], bytes, c[7], c[8]});
  }
  for (const test::Row& c : cases) {
    SCOPED_TRACE(c[0]);
    auto state = std::make_unique<AppState>();
    RecordingPlatform platform;
    const auto result = ReadSpkBytes(*state, platform, c[1], "BAD.SPK");
    ASSERT_FALSE(result);
    const FileError& e = result.error();
    EXPECT_EQ(e.line, std::stoi(c[2])) << e.Text();
    EXPECT_NE(e.message.find(c[3]), std::string::npos) << e.Text();
    EXPECT_EQ(e.Text().rfind("BAD.SPK, line " + std::to_string(e.line) + ": ", 0), 0u);
    test::ExpectEmptySource(state->src);
    EXPECT_FALSE(platform.Called("ViewGeometry on"));
    EXPECT_EQ(platform.calls.back(), "SetBusy off");
  }
}

}  // namespace
}  // namespace fonderel
