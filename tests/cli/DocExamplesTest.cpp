// Every fonderel-cli example in README.md and the manual runs as written from
// the project root. An example is a line of a code block (``` in README, <pre>
// in the manual) that starts with "fonderel-cli " or "$ fonderel-cli "; a
// synopsis, with a placeholder in capitals (FILE, N) or brackets, is none. In
// a block with "$ " lines only those are commands, and the lines below one, up
// to the next, are what it prints: a line "..." (indented or not) stands for
// lines left out, a line ending in "..." for the rest of that line, and the
// date and time of an import are the run's own. A shown "fonderel-cli: " line
// is an error message, which comes with a non-zero exit status. The examples
// run in document order, in a folder holding a copy of sources/, so one that
// writes a relative path leaves the tree alone; one that names an absolute
// path outside /tmp is skipped.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

namespace fonderel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(FONDEREL_SOURCES).parent_path();

struct Example {
  std::string where;  // file and line, for failures
  std::string command;
  std::vector<std::string> shown;  // the output the docs show below a "$ " line
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A <pre> block's text as the reader sees it: no tags, entities replaced.
std::string Unescape(std::string text) {
  text = std::regex_replace(text, std::regex("<[^>]*>"), "");
  const std::pair<std::string, std::string> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
  }
  return text;
}

// The examples of one code block, whose first line is line `lineNo` of `doc`.
void CollectExamples(const std::string& doc, int lineNo, const std::vector<std::string>& block,
                     std::vector<Example>& examples) {
  static const std::regex synopsis(R"((^|\s)[A-Z]+(\s|$)|[\[\]|])");
  const bool hasPrompts =
      std::ranges::any_of(block, [](const std::string& line) { return line.starts_with("$ "); });
  Example* current = nullptr;
  for (std::string line : block) {
    ++lineNo;
    const bool prompted = line.starts_with("$ ");
    if (prompted) line.erase(0, 2);
    if ((prompted || !hasPrompts) && (line.starts_with("fonderel-cli ") || line == "fonderel-cli")) {
      // A trailing "# ..." is a comment of the README's command lists.
      line = std::regex_replace(line, std::regex(R"(\s+#\s.*$)"), "");
      current = nullptr;
      if (std::regex_search(line, synopsis)) continue;
      examples.push_back({doc + ":" + std::to_string(lineNo - 1), line, {}});
      if (prompted) current = &examples.back();
    } else if (prompted) {
      current = nullptr;  // another program's command
    } else if (current != nullptr) {
      current->shown.push_back(line);
    }
  }
}

std::vector<Example> DocumentedExamples() {
  std::vector<fs::path> docs = {kRoot / "README.md"};
  for (const auto& entry : fs::directory_iterator(kRoot / "doc/Manual")) {
    if (entry.path().extension() == ".htm") docs.push_back(entry.path());
  }
  std::sort(docs.begin() + 1, docs.end());
  std::vector<Example> examples;
  for (const fs::path& doc : docs) {
    const bool html = doc.extension() == ".htm";
    const std::string text = Slurp(doc.string()), open = html ? "<pre" : "```",
                      close = html ? "</pre>" : "```";
    for (std::size_t at = 0; (at = text.find(open, at)) != std::string::npos;) {
      const std::size_t start = text.find(html ? '>' : '\n', at) + 1;
      const std::size_t end = text.find(close, start);
      if (start == 0 || end == std::string::npos) break;
      const std::string block = text.substr(start, end - start);
      const int lineNo = 1 + static_cast<int>(std::count(text.begin(), text.begin() + start, '\n'));
      CollectExamples(doc.filename().string(), lineNo, Lines(html ? Unescape(block) : block),
                      examples);
      at = end + close.size();
    }
  }
  return examples;
}

bool LineMatches(const std::string& actual, const std::string& shown) {
  for (const char* label : {"Date:", "Time:"}) {
    if (shown.starts_with(label)) return actual.starts_with(label);
  }
  if (shown.ends_with("...")) return actual.starts_with(shown.substr(0, shown.size() - 3));
  return actual == shown;
}

// Empty when `actual` holds the shown lines as the docs' rules read them.
std::string Mismatch(const std::vector<std::string>& actual, const std::vector<std::string>& shown) {
  std::size_t j = 0;
  bool skipping = false;
  for (const std::string& s : shown) {
    if (s.find_first_not_of(' ') != std::string::npos && s.substr(s.find_first_not_of(' ')) == "...") {
      skipping = true;
      continue;
    }
    while (skipping && j < actual.size() && !LineMatches(actual[j], s)) ++j;
    if (j >= actual.size()) return "missing line: " + s;
    if (!LineMatches(actual[j], s)) return "printed: " + actual[j] + "\n  shown: " + s;
    ++j;
    skipping = false;
  }
  if (!skipping && j < actual.size()) return "printed more than shown, from: " + actual[j];
  return {};
}

bool WritesOutsideTheTemporaryFolder(const std::string& command) {
  std::istringstream words(command);
  for (std::string word; words >> word;) {
    if (word.starts_with("/") && word != "/tmp" && !word.starts_with("/tmp/")) return true;
  }
  return false;
}

TEST(DocExamples, EveryExampleRunsAsWritten) {
  const std::vector<Example> examples = DocumentedExamples();
  ASSERT_GE(examples.size(), 10u) << "the docs' examples were not found";
  TempDir root;
  fs::copy(kRoot / "sources", root / "sources", fs::copy_options::recursive);
  const std::string bin = fs::path(FONDEREL_CLI_PATH).parent_path().string();
  for (const Example& e : examples) {
    SCOPED_TRACE(e.where + ": " + e.command);
    if (WritesOutsideTheTemporaryFolder(e.command)) {
      std::cout << "skipped (absolute path outside /tmp): " << e.command << '\n';
      continue;
    }
    // Without Qt the command-line tool paints no datasheets or reports.
    const bool paints = e.command.find(" --report ") != std::string::npos ||
                        e.command.find(" datasheet ") != std::string::npos;
    if (paints && !FONDEREL_CLI_PAINTS_PAGES) {
      std::cout << "skipped (this build paints no pages): " << e.command << '\n';
      continue;
    }
    Spit(root / "example.sh", e.command + "\n");
    const std::string run = "cd '" + root.Path() + "' && PATH='" + bin +
                            "':\"$PATH\" sh example.sh >out.txt 2>err.txt";
    const int raw = std::system(run.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const std::string out = Slurp(root / "out.txt"), err = Slurp(root / "err.txt");
    const bool showsError = !e.shown.empty() && e.shown.front().starts_with("fonderel-cli: ");
    if (showsError) {
      EXPECT_NE(status, 0) << out;
      EXPECT_EQ(Mismatch(Lines(err), e.shown), "");
    } else {
      EXPECT_EQ(status, 0) << err;
      if (!e.shown.empty()) {
        EXPECT_EQ(Mismatch(Lines(out), e.shown), "");
      }
    }
  }
}

}  // namespace
}  // namespace fonderel::test
