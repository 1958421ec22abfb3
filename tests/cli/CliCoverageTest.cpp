// fonderel-cli coverage of the horn example, as text and as JSON. The angles
// themselves are worked out by hand in the engine's coverage tests.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/CliRun.h"

namespace fonderel::test {
namespace {

const std::string kHorn = std::string(FONDEREL_SOURCES) + "/HORN90X40.SPK";

TEST(CliCoverage, HornAsTextAndJson) {
  const CliRun text = Cli({"coverage", kHorn});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "Band Freq (Hz)  H (deg)  V (deg)  DI (dB)\n"
            "   3       125    304.7    264.0     2.10\n"
            "   4       250    243.5    201.7     3.47\n"
            "   5       500    183.1    133.3     5.63\n"
            "   6      1000    133.3     90.1     7.99\n"
            "   7      2000    109.8     72.4     9.35\n"
            "   8      4000     95.6     61.1    10.37\n");

  const CliRun json = Cli({"coverage", kHorn, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json j = nlohmann::json::parse(json.out);
  ASSERT_EQ(j["bands"].size(), 6u);  // bands 1, 2, 9 and 10 hold no data
  const nlohmann::json& b6 = j["bands"][3];
  EXPECT_EQ(b6["band"], 6);
  EXPECT_EQ(b6["frequency"], 1000);
  EXPECT_NEAR(b6["horizontal"].get<double>(), 133.3, 0.05);
  EXPECT_NEAR(b6["vertical"].get<double>(), 90.1, 0.05);
  EXPECT_NEAR(b6["DI"].get<double>(), 7.9851, 1e-4);  // 10·log10(6.288)
}

}  // namespace
}  // namespace fonderel::test
