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
  bool prompted = false;           // written after "$ ": the lines below are its output
  std::vector<std::string> shown;  // the output the docs show
};

std::string Unescape(std::string text) {
  static const std::regex tag("<[^>]*>");
  text = std::regex_replace(text, tag, "");
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, std::string(from).size(), to);
  }
  return text;
}

bool IsSynopsis(const std::string& command) {
  static const std::regex placeholder(R"((^|\s)[A-Z]+(\s|$)|[\[\]|])");
  return std::regex_search(command, placeholder);
}

// The examples of one file's code blocks, each block given as its lines.
void CollectExamples(const std::string& where, const std::vector<std::pair<int, std::string>>& block,
                     std::vector<Example>& examples) {
  // In a block with "$ " lines, the other lines are what the commands print.
  const bool hasPrompts = std::ranges::any_of(
      block, [](const auto& numbered) { return numbered.second.starts_with("$ "); });
  Example* current = nullptr;
  for (const auto& [lineNo, raw] : block) {
    std::string line = raw;
    const bool prompted = line.starts_with("$ ");
    if (prompted) line.erase(0, 2);
    if ((prompted || !hasPrompts) && (line.starts_with("fonderel-cli ") || line == "fonderel-cli")) {
      // A trailing "# ..." is a comment of the README's command lists.
      line = std::regex_replace(line, std::regex(R"(\s+#\s.*$)"), "");
      current = nullptr;
      if (IsSynopsis(line)) continue;
      examples.push_back({where + ":" + std::to_string(lineNo), line, prompted, {}});
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
    std::istringstream in(Slurp(doc.string()));
    std::vector<std::pair<int, std::string>> block;
    bool inside = false;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNo;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!html) {
        if (line.starts_with("```")) {
          if (inside) CollectExamples(doc.filename().string(), block, examples);
          inside = !inside;
          block.clear();
        } else if (inside) {
          block.emplace_back(lineNo, line);
        }
        continue;
      }
      // <pre> blocks; one may open and close on the same line.
      std::size_t from = 0;
      if (!inside) {
        from = line.find("<pre");
        if (from == std::string::npos) continue;
        inside = true;
        block.clear();
      }
      const std::size_t end = line.find("</pre>", from);
      block.emplace_back(lineNo, Unescape(line.substr(0, end)));
      if (end != std::string::npos) {
        inside = false;
        CollectExamples(doc.filename().string(), block, examples);
      }
    }
  }
  return examples;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
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
