#include "polar/PolarFiles.h"

#include <cctype>

namespace fonderel {

PolarFormat PolarFormatOfPath(const std::string& path) {
  if (path.size() < 3) return PolarFormat::Unknown;
  std::string tail = path.substr(path.size() - 3);
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (tail == "PRN") return PolarFormat::Prn;
  if (tail == "TXT") return PolarFormat::Txt;
  if (tail == "CSV") return PolarFormat::Csv;
  return PolarFormat::Unknown;
}

std::string PolarResultName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return path + ".SPK";
  return path.substr(0, dot + 1) + "SPK";
}

}  // namespace fonderel
