// Every reader on input it cannot read: its golden files cut short at points
// all through them, random bytes (some behind a start that looks right), a
// missing file and a folder. Each ends in an error naming the file, with the
// description left empty and the busy pointer off; no reader crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/EmptySource.h"
#include "core/SpkFile.h"
#include "import/CattImport.h"
#include "import/EaseImport.h"
#include "import/ModelerImport.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::DataPath;
using test::Slurp;
using test::Spit;
using test::TempDir;
using ReadFunction = std::expected<void, FileError> (*)(AppState&, Platform&, const std::string&);

struct Cut {
  const char* golden;
  std::size_t step;
  // The length below which a cut leaves a value out, or part of one.
  std::function<std::size_t(const std::string&)> whole;
};

struct Reader {
  const char* name;
  ReadFunction read;
  const char* extension;
  std::vector<Cut> cuts;
  std::string lookalike;        // a start of a file that looks right
  const char* cutMessage = "";  // the start of the message of a cut file
};

std::vector<Reader> Readers() {
  return {
      {"SPK",
       ReadSpkFile,
       ".SPK",
       {{"NOISE_GEOMETRY.SPK", 97, [](const std::string& f) { return f.find("\r\n\"END\"") - 7; }}},
       Slurp(DataPath("LOUD_3_8.SPK")).substr(0, 700)},
      {"EASE",
       ImportEaseFile,
       ".EAS",
       {{"import/EASE3_DIRECTIONAL.EAS", 1,
         [](const std::string& f) { return f.find_last_not_of("\r\n") + 1; }},
        {"import/EASE2_OMNI.EAS", 1,
         [](const std::string& f) { return f.find_last_not_of("\r\n") + 1; }}},
       "Format,x\r\nSpeakerName,A\r\n"},
      {"CATT",
       ImportCattFile,
       ".TXT",
       {{"import/CATT_OMNI.TXT", 101,
         [](const std::string& f) { return f.rfind("\r\n", f.size() - 3) + 1; }}},
       "CATT-SD1\r\nVERSION = 1\r\nNAME = X\r\n"},
      // The bytes after a Modeler file's name are not part of the layout.
      {"Modeler",
       ImportModelerFile,
       ".MDL",
       {{"import/MODELER_ONE.MDL", 1,
         [](const std::string& f) { return 2511 + static_cast<unsigned char>(f[2510]); }},
        {"import/MODELER_HORN", 7,
         [](const std::string& f) { return 2511 + static_cast<unsigned char>(f[2510]); }}},
       "",
       "byte "},
  };
}

struct Run {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  test::RecordingPlatform platform;
  std::expected<void, FileError> result;
};

std::unique_ptr<Run> ReadPath(const Reader& reader, const std::string& path) {
  auto run = std::make_unique<Run>();
  run->platform.inputs = {std::string("Acme")};  // the Modeler reader's question
  run->result = reader.read(*run->state, run->platform, path);
  return run;
}

// A failed read: the error names the file, nothing of the input is kept.
void ExpectRefused(const Run& run, const std::string& path) {
  ASSERT_FALSE(run.result);
  EXPECT_EQ(run.result.error().file, path);
  test::ExpectEmptySource(run.state->src);
  EXPECT_FALSE(!run.platform.calls.empty() && run.platform.calls.back() == "SetBusy on");
}

TEST(BadInput, CutFilesAreRefusedUntilWhole) {
  TempDir dir;
  for (const Reader& reader : Readers()) {
    for (const Cut& cut : reader.cuts) {
      const std::string full = Slurp(DataPath(cut.golden));
      const std::size_t whole = cut.whole(full);
      ASSERT_LE(whole, full.size());
      for (std::size_t length = 0; length < whole;
           length += length < 400          ? std::min<std::size_t>(cut.step, 3)
                     : length + 20 < whole ? cut.step
                                           : 1) {
        SCOPED_TRACE(std::string(cut.golden) + " cut to " + std::to_string(length));
        // A fresh file each time: rewriting one in place makes the file system flush it.
        const std::string path = dir / ("CUT" + std::to_string(length) + reader.extension);
        Spit(path, full.substr(0, length));
        const auto run = ReadPath(reader, path);
        ExpectRefused(*run, path);
        EXPECT_EQ(run->result.error().message.rfind(reader.cutMessage, 0), 0u)
            << run->result.error().message;
        std::remove(path.c_str());
      }
      const std::string path = dir / (std::string("WHOLE") + reader.extension);
      Spit(path, full);
      const auto run = ReadPath(reader, path);
      EXPECT_TRUE(run->result) << cut.golden << ": " << run->result.error().Text();
    }
  }
}

TEST(BadInput, RandomBytesAreRefused) {
  TempDir dir;
  std::mt19937 random(20261207);
  for (const Reader& reader : Readers()) {
    for (const std::size_t size : {1u, 2u, 7u, 396u, 2510u, 2511u, 2600u, 5000u, 70000u}) {
      for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(std::string(reader.name) + ", " + std::to_string(size) + " bytes");
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
        if (round % 2 == 1) bytes = reader.lookalike + bytes;
        const std::string path = dir / (std::to_string(size) + reader.extension);
        Spit(path, bytes);
        ExpectRefused(*ReadPath(reader, path), path);
      }
    }
  }
}

TEST(BadInput, MissingFileOrFolderIsRefused) {
  TempDir dir;
  for (const Reader& reader : Readers()) {
    for (const std::string& path : {dir / (std::string("NONE") + reader.extension), dir.Path()}) {
      SCOPED_TRACE(std::string(reader.name) + " " + path);
      const auto run = ReadPath(reader, path);
      ExpectRefused(*run, path);
      if (path != dir.Path()) {
        EXPECT_FALSE(run->result.error().cancelled);
      }
    }
  }
}

}  // namespace
}  // namespace fonderel
