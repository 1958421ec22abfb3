#include "CliUsage.h"

#include <charconv>
#include <filesystem>

#include "core/BandTables.h"

namespace fonderel {

void AddVersionFlag(CLI::App& app) {
  app.set_version_flag("--version", std::string("fonderel-cli ") + FONDEREL_VERSION,
                       "Print the program's version and exit");
}

bool ReportUnknownCommand(const CLI::App& app, int argc, const char* const* argv,
                          std::ostream& err) {
  std::string word;
  for (int i = 1; i < argc && word.empty(); ++i) {
    if (argv[i][0] != '-') word = argv[i];
  }
  if (word.empty()) return false;
  std::string names;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (sub->get_name() == word) return false;
    names += (names.empty() ? "" : ", ") + sub->get_name();
  }
  err << "fonderel-cli: unknown command \"" << word << "\"; the commands are: " << names
      << "\nRun with --help for more information.\n";
  return true;
}

CLI::Validator BandNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        int band = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, band);
        if (ec == std::errc() && ptr == end && band >= 1 && band <= kBandCount) return {};
        return "expected a band number 1 to " + std::to_string(kBandCount) + ", found \"" + text +
               "\"";
      },
      "1..10");
}

bool OutputPathUsable(const std::string& out, std::ostream& err) {
  if (out.empty()) {
    err << "fonderel-cli: convert: OUT is empty; name the SPK file to write\n";
    return false;
  }
  std::error_code ec;
  if (out.back() == '/' || std::filesystem::is_directory(out, ec)) {
    err << "fonderel-cli: " << out
        << ": names a folder; name the SPK file to write, such as " << out
        << (out.back() == '/' ? "" : "/") << "SOURCE.SPK\n";
    return false;
  }
  return true;
}

}  // namespace fonderel
