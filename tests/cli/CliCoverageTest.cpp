// fonderel-cli coverage: the angles and the index of a small source worked
// out by hand, as text and as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/CliRun.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

// Bands 5 and 6. Band 5 is flat (Q 1). Band 6 (Q 4): plot 0 is flat to 20
// degrees and .0631 (-12.0 dB) beyond on both sides, so -6 dB lies at 25
// degrees each way; plot 9 is flat.
std::string TwoBandSpk() {
  std::string s =
      "\"Source Name\",\"Cov\"\r\n\"Manufacturer\",\"Test\"\r\n\"Date\",\"01-02-2025\"\r\n"
      "\"Time\",\"12:00:00\"\r\n\"Number of frequency bands\",2\r\n";
  for (int band : {5, 6}) {
    s += "\"Freq. band no.\"," + std::to_string(band) +
         "\r\n\"Z\",\"Efficiency (%)\",\"Lw\",\"Q\",\"DI\",\"Sensitivity\"\r\n8,2,90," +
         (band == 5 ? "1,0" : "4,6.02") +
         ",95\r\n\"No. of polar plots\",18\r\n\"No. of points per plot\",36\r\n"
         "\"Polar Angle on the plot\",\"---->\"";
    for (int k = 0; k < 36; ++k) s += "," + std::to_string(10 * k);
    s += "\r\n";
    for (int p = 0; p < 18; ++p) {
      s += "\"Angle of the polar plot\"," + std::to_string(10 * p);
      for (int k = 0; k < 36; ++k) {
        const bool narrow = band == 6 && p == 0 && k >= 3 && k <= 33;
        s += narrow ? ",.0631" : ",1";
      }
      s += "\r\n";
    }
  }
  return s + "\"END\"\r\n";
}

TEST(CliCoverage, TextAndJson) {
  TempDir dir;
  const std::string file = dir / "COV.SPK";
  Spit(file, TwoBandSpk());

  const CliRun text = Cli({"coverage", file});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "Band Freq (Hz)  H (deg)  V (deg)  DI (dB)\n"
            "   5       500    360.0    360.0     0.00\n"
            "   6      1000     50.0    360.0     6.02\n");

  const CliRun json = Cli({"coverage", file, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json j = nlohmann::json::parse(json.out);
  ASSERT_EQ(j["bands"].size(), 2u);
  const nlohmann::json& b6 = j["bands"][1];
  EXPECT_EQ(b6["band"], 6);
  EXPECT_EQ(b6["frequency"], 1000);
  EXPECT_NEAR(b6["horizontal"].get<double>(), 50.0, 0.01);
  EXPECT_EQ(b6["vertical"], 360.0);
  EXPECT_NEAR(b6["DI"].get<double>(), 6.0206, 1e-4);
}

}  // namespace
}  // namespace fonderel::test
