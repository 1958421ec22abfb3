#include "import/SourceFormat.h"

#include <cctype>
#include <fstream>

#include "core/SpkFile.h"
#include "import/CattImport.h"
#include "import/ClfImport.h"
#include "import/ClfText.h"
#include "import/EaseImport.h"
#include "import/ModelerImport.h"
#include "sofa/SofaImport.h"

namespace fonderel {
namespace {

// A ".txt" file is CLF text when its first line says so; one that cannot be
// opened stays a CATT file, whose reader then reports it.
bool StartsAsClf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[64] = {};
  in.read(head, sizeof head);
  std::string_view line(head, static_cast<std::size_t>(in.gcount()));
  line = line.substr(0, line.find_first_of("\r\n"));
  return IsClfFirstLine(line);
}

}  // namespace

SourceFormat FormatOfPath(const std::string& path) {
  std::string tail = path.size() >= 5 ? path.substr(path.size() - 5) : path;
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (tail == ".SOFA") return SourceFormat::Sofa;
  tail = tail.size() > 3 ? tail.substr(tail.size() - 3) : tail;
  if (tail == "MDL") return SourceFormat::Modeler;
  if (tail == "SPK") return SourceFormat::Spk;
  if (tail == "EAS") return SourceFormat::Ease;
  if (tail == "TAB") return SourceFormat::Clf;
  if (tail == "TXT") return StartsAsClf(path) ? SourceFormat::Clf : SourceFormat::Catt;
  return SourceFormat::Modeler;
}

SourceFormat ImportFormatOfPath(const std::string& path) {
  const SourceFormat format = FormatOfPath(path);
  return format == SourceFormat::Spk ? SourceFormat::Modeler : format;
}

std::string SpkNameForImport(const std::string& path) {
  if (FormatOfPath(path) == SourceFormat::Spk) return path;
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t period = path.rfind('.');
  if (period == std::string::npos || period < nameStart) return path + ".SPK";
  return path.substr(0, period + 1) + "SPK";
}

std::expected<void, FileError> LoadSourceFile(AppState& state, Platform& platform,
                                              const std::string& path, SourceFormat format) {
  switch (format) {
    case SourceFormat::Spk:
      return ReadSpkFile(state, platform, path);
    case SourceFormat::Modeler:
      return ImportModelerFile(state, platform, path);
    case SourceFormat::Ease:
      return ImportEaseFile(state, platform, path);
    case SourceFormat::Catt:
      return ImportCattFile(state, platform, path);
    case SourceFormat::Sofa:
      return ImportSofaFile(state, platform, path);
    case SourceFormat::Clf:
      return ImportClfFile(state, platform, path);
  }
  return std::unexpected(FileError{path, 0, "unknown file format"});
}

}  // namespace fonderel
