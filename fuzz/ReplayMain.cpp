// Replays a fuzz target's corpus without libFuzzer: every regular file below
// the folders (or the files) named on the command line goes once through the
// target's LLVMFuzzerTestOneInput. The target traps on any violation, so a
// replayed input that once crashed it fails the run. An empty corpus fails
// too, so a misplaced folder cannot pass unnoticed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path root(argv[i]);
    if (fs::is_regular_file(root)) {
      inputs.push_back(root);
      continue;
    }
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file()) inputs.push_back(it->path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::cerr << "replay: no inputs found\n";
    return 1;
  }
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::cout << input.filename().string() << '\n' << std::flush;  // names the input that traps
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::cout << "replay: " << inputs.size() << " inputs\n";
  return 0;
}
