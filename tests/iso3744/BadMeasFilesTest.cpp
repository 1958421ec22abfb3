// Malformed measurement, layout, export and spectrum files: each is refused
// with an error naming the file and the line, and nothing is taken over.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "iso3744/InstrumentExports.h"
#include "iso3744/MeaFile.h"
#include "iso3744/MeasFile.h"
#include "iso3744/SpectrumFiles.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::Slurp;

using Parser = std::function<std::string(const std::string& bytes)>;  // "" when read

template <typename F>
Parser Wrap(F parse, const char* file) {
  return [parse, file](const std::string& bytes) -> std::string {
    const auto r = parse(bytes, file);
    return r ? std::string() : r.error().Text();
  };
}

std::string Golden(const char* name) { return Slurp(DataPath(std::string("iso3744/") + name)); }

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

struct BadCase {
  const char* what;
  Parser parse;
  std::string bytes;
  const char* error;
};

TEST(BadMeasFiles, RefusedWithFileAndLine) {
  const Parser dat = Wrap(ParseMeasFile, "M.DAT");
  const Parser mea = Wrap(ParseMeaFile, "L.MEA");
  const Parser prn = Wrap(ParsePrnExport, "E.PRN");
  const Parser bk = Wrap(ParseBkExport, "B.TXT");
  const Parser txt = Wrap(ParseTextSpectrum, "S.TXT");
  const Parser lab = Wrap(ParseLabelledSpectrum, "S.LD");
  const std::string pump = Golden("PUMP5.DAT");
  const std::string bkHead = Golden("BK2260.TXT").substr(0, Golden("BK2260.TXT").find('\n') + 1);
  const std::string bkRow = Repeat("70\t", 80) + "\r\n";
  const BadCase cases[] = {
      {"empty result file", dat, "", "M.DAT, line 1: expected a text, found the end of the file"},
      {"101 microphones", dat, Replaced(pump, "\"Nmicros:\",5", "\"Nmicros:\",101"),
       "M.DAT, line 5: the number of microphones must be 1 to 100, found 101"},
      {"no microphones", dat, Replaced(pump, "\"Nmicros:\",5", "\"Nmicros:\",0"),
       "M.DAT, line 5: the number of microphones must be 1 to 100, found 0"},
      {"text for a level", dat, Replaced(pump, "83.00", "abc"),
       "M.DAT, line 7: expected a number, found \"abc\""},
      {"truncated in the levels", dat, pump.substr(0, pump.find("\"Lp( 3)")),
       "M.DAT, line 8: expected a text, found the end of the file"},
      {"truncated in the sound power", dat, pump.substr(0, pump.size() - 20),
       "M.DAT, line 18: expected a number, found the end of the file"},
      {"binary", dat, std::string("\0\x01\xff\"", 4), "M.DAT, line 1: expected a text, found the end of the file"},
      {"1025 receivers", mea, "s\r\n0,0,0\r\nv\r\n100\r\nr\r\n1025\r\nxyz\r\n",
       "L.MEA, line 6: the number of receivers must be 1 to 1024, found 1025"},
      {"receivers missing", mea, "s\r\n0,0,0\r\nv\r\n100\r\nr\r\n3\r\nxyz\r\n1,1,1\r\n",
       "L.MEA, line 8: expected a number, found the end of the file"},
      {"101 export records", prn, Repeat("h\r\n", 9) + Repeat("\"M 80\",1,2,3,4,5,6,7,8,90\r\n", 101),
       "E.PRN, line 110: more than 100 microphones"},
      {"export without records", prn, Repeat("h\r\n", 9), "E.PRN, line 9: no microphone records after line 9"},
      {"B&K without LEQ_25HZ", bk, Replaced(Golden("BK2260.TXT"), "LEQ_25HZ", "LEQ_20HZ"),
       "B.TXT, line 1: no column named \"LEQ_25HZ\""},
      {"B&K with 51 lines", bk, bkHead + Repeat(bkRow, 51), "B.TXT, line 52: more than 50 microphone lines"},
      {"B&K short line", bk, bkHead + "1\t2\t3\r\n", "B.TXT, line 2: expected 30 tab-ended fields, found 2"},
      {"B&K text for a level", bk, bkHead + "1\t2\tx\t" + Repeat("70\t", 77) + "\r\n",
       "B.TXT, line 2: expected a level, found \"x\""},
      {"B&K without lines", bk, bkHead, "B.TXT, line 2: no microphone lines"},
      {"third octaves too few", txt, Golden("THIRDS.TXT").substr(0, Golden("THIRDS.TXT").find("16000")),
       "S.TXT, line 37: the spectrum holds 29 entries; the ten octave bands from entry 2 need 30"},
      {"34 frequencies", txt, " Instrument\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n" + Repeat("100,50\r\n", 34),
       "S.TXT, line 42: more than 33 frequencies"},
      {"plain table of 32 records", txt, Repeat("t\r\n", 14) + Repeat("31.5,x,50\r\n", 32),
       "S.TXT, line 46: more than 31 records"},
      {"labelled without dB(A)", lab, "n,d,x\r\n25,31.5,40\r\n", "S.LD, line 2: no \"dB(A)\" field after the band labels"},
      {"labelled with 33 labels", lab, "n,d,x\r\n" + Repeat("25,", 33) + "dB(A)\r\n",
       "S.LD, line 2: more than 33 fields up to \"dB(A)\""},
      {"labelled too few levels", lab, "n,d,x\r\n25,31.5,40,Lin,dB(A)\r\n80,80\r\n",
       "S.LD, line 3: expected a number, found the end of the file"},
      {"labelled too few bands", lab, "n,d,x\r\n25,31.5,40,Lin,dB(A)\r\n80,80,80\r\n",
       "S.LD, line 3: the spectrum holds 3 entries; the ten octave bands from entry 1 need 30"},
  };
  for (const BadCase& c : cases) EXPECT_EQ(c.parse(c.bytes), c.error) << c.what;
}

}  // namespace
}  // namespace fonderel
