// fonderel-cli run on the cases of tests/data/cli-cases.txt (what each
// command line prints, writes and exits with), the local date stamp of an
// import, and the exit status of the program itself.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "support/CliRun.h"
#include "support/GoldenText.h"
#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;

// The first word of `s` ("quoted" if it holds spaces) and the rest after one space.
std::pair<std::string, std::string> Word(const std::string& s) {
  const std::size_t quote = s.starts_with('"') ? s.find('"', 1) : npos;
  const std::size_t end = quote != npos ? quote + 1 : s.find(' ');
  return {quote != npos ? s.substr(1, quote - 1) : s.substr(0, end),
          end >= s.size() ? "" : s.substr(end + 1)};
}

// `s` with its escapes \n, \r, \t, \xHH (a byte), \\ replaced.
std::string Unescaped(const std::string& s) {
  std::string t;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i] == '\\' && i + 1 < s.size() ? s[++i] : 0;
    if (c == 'x')
      t += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16)), i += 2;
    else
      t += c == 0 ? s[i] : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return t;
}

// The local time `t` as `format` gives it.
std::string Stamp(std::time_t t, const std::string& format) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  return std::string(text, std::strftime(text, sizeof text, format.c_str(), &local));
}

TEST(CliCases, EachCaseOfTheFile) {
  TempDir dir;
  const Placeholders names = {
      {"{odd}", "{tmp}/Mein Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 Test \u97F3"},
      {"{tmp}", dir.Path()},
      {"{data}", FONDEREL_TEST_DATA},
      {"{sources}", FONDEREL_SOURCES}};
  std::ifstream in(DataPath("cli-cases.txt"));
  ASSERT_TRUE(in);
  CliRun r{};
  std::vector<std::string> lines;
  std::string run;
  std::time_t before = 0, after = 0;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE("cli-cases.txt:" + std::to_string(number) + " " + line + " of " + run);
    auto [kind, raw] = Word(line);
    const auto replaced = [&](std::string s) {
      for (const auto& [key, value] : names) s = Replaced(s, key, value);
      return Unescaped(s);
    };
    const std::string text = replaced(raw);
    for (const auto& [key, value] : names) raw = Replaced(raw, key, value);
    const auto [first, rest] = Word(text);
    if (kind == "run") {
      std::vector<std::string> args;
      for (std::string more = Word(line.substr(4)).second; !more.empty();) {
        const auto [word, next] = Word(more);
        args.push_back(replaced(word));
        more = next;
      }
      run = line;
      before = std::time(nullptr);
      r = Cli(args);
      after = std::time(nullptr);
      lines = Lines(r.out);
      EXPECT_EQ(r.status, std::stoi(first)) << r.err;
      // compare prints its table also when the sources differ (status 1).
      EXPECT_TRUE(r.status == 0 || rest.find("--log") != npos || rest.starts_with("compare") ||
                  r.out.empty())
          << r.out;
      EXPECT_TRUE(r.status != 1 || r.err.starts_with("fonderel-cli: ")) << r.err;
    } else if (kind.starts_with("out") || kind.starts_with("err")) {
      const std::string& got = kind.starts_with("out") ? r.out : r.err;
      const char op = kind[3];
      EXPECT_TRUE(op != '~' || got.find(text) != npos) << got;
      EXPECT_EQ(op == '=' ? got : op == '^' ? got.substr(0, text.size()) : text, text);
      if (op == '/' || op == '!') {
        EXPECT_EQ(std::regex_search(got, std::regex(op == '/' ? "^" + raw + "$" : raw)), op == '/')
            << got;
      }
    } else if (kind == "lines") {
      EXPECT_EQ(lines.size(), std::stoul(text)) << r.out;
    } else if (kind == "line" || kind == "line^" || kind == "cell") {
      const std::size_t k = std::stoul(first);
      ASSERT_LT(k, lines.size()) << r.out;
      const auto [i, cell] = Word(rest);
      EXPECT_EQ(kind == "cell"   ? Cells(lines[k]).at(std::stoul(i))
                : kind == "line" ? lines[k]
                                 : lines[k].substr(0, rest.size()),
                kind == "cell" ? cell : rest);
    } else if (kind == "cells") {
      const std::size_t dash = first.find('-');
      const std::size_t from = first == "*" ? 0 : std::stoul(first.substr(0, dash));
      const std::size_t to = first == "*" ? lines.size() - 1 : std::stoul(first.substr(dash + 1));
      ASSERT_LT(to, lines.size()) << r.out;
      for (std::size_t k = from; k <= to; ++k)
        EXPECT_EQ(Cells(lines[k]).size(), std::stoul(rest)) << lines[k];
    } else if (kind == "json") {
      const auto j = nlohmann::json::parse(r.out).at(nlohmann::json::json_pointer(first));
      if (rest[0] == '%') {  // the local time of the run
        const std::string at = j, from = Stamp(before, rest), to = Stamp(after, rest);
        EXPECT_TRUE(at == from || at == to || (from < at && at < to)) << at << " " << from;
      } else if (rest[0] == '#') {
        EXPECT_EQ(j.size(), std::stoul(rest.substr(1)));
      } else if (rest[0] == '~') {
        const std::size_t point = rest.find('.');
        const int decimals = point == npos ? 0 : static_cast<int>(rest.size() - point - 1);
        EXPECT_NEAR(j.get<double>(), std::stod(rest.substr(1)), 0.5 * std::pow(10.0, -decimals));
      } else {
        EXPECT_EQ(j.dump(), rest);
      }
    } else if (kind == "golden") {
      Placeholders paths;
      std::istringstream words(rest);
      for (std::string w; words >> w;)
        paths.emplace_back(w.substr(0, w.find('=')), w.substr(w.find('=') + 1));
      ExpectGoldenLines(lines, first, paths);
    } else if (kind == "same") {
      EXPECT_TRUE(fs::exists(first) && Slurp(first) == Slurp(rest));
    } else if (kind == "has" || kind == "lacks") {
      EXPECT_EQ(Slurp(first).find(rest) != npos, kind == "has") << Slurp(first);
    } else if (kind == "absent" || kind == "isdir") {
      EXPECT_EQ(fs::exists(text), kind == "isdir");
      EXPECT_EQ(fs::is_directory(text), kind == "isdir");
    } else if (kind == "count") {
      EXPECT_EQ(std::distance(fs::directory_iterator(first), fs::directory_iterator()),
                std::stol(rest));
    } else if (kind == "file") {
      Spit(first, rest);
    } else if (kind == "edit") {
      const auto [source, change] = Word(rest);
      std::string bytes = Slurp(source);
      const std::size_t arrow = change.find("=>"), at = bytes.find(change.substr(0, arrow));
      ASSERT_NE(at, npos);
      if (arrow != npos) bytes.replace(at, arrow, change.substr(arrow + 2));
      Spit(first, bytes);
    } else if (kind == "mkdir") {
      fs::create_directories(text);
    } else {
      ADD_FAILURE() << "unknown line";
    }
  }
  EXPECT_GT(number, 100);
}

// The installed program itself, so main's exit status is what scripts see.
TEST(CliCases, ExitStatusOfTheExecutable) {
  for (const auto& [args, status] : {std::pair{" info " FONDEREL_SOURCES "/HORN90X40.SPK", 0},
                                     {" info /nonexistent/HORN.SPK", 1},
                                     {"", 2}}) {
    const int raw =
        std::system((FONDEREL_CLI_PATH + std::string(args) + " >/dev/null 2>&1").c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << args;
  }
}

}  // namespace
}  // namespace fonderel::test
