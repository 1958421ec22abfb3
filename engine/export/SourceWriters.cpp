#include "export/SourceWriters.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/SafeFile.h"
#include "core/SpkFile.h"
#include "export/CattExport.h"
#include "export/ClfExport.h"
#include "export/EaseExport.h"
#include "export/ExportCommon.h"
#include "sofa/SofaExport.h"

namespace fonderel {
namespace {

// The writers that need the source alone, in the table's shape.
template <auto Writer>
std::expected<std::string, FileError> SourceOnly(const Source& src, std::vector<std::string>& notes,
                                                 const std::string& path, const WriteContext&) {
  return Writer(src, notes, path);
}

std::expected<std::string, FileError> Spk(const Source& src, std::vector<std::string>&,
                                          const std::string& path, const WriteContext& context) {
  TextLog quiet;
  return SpkBytes(src, context.log ? *context.log : quiet, path);
}

std::expected<std::string, FileError> Sofa(const Source& src, std::vector<std::string>& notes,
                                           const std::string& path, const WriteContext& context) {
  auto bytes = SofaBytes(src, path, context.now, context.version);
  if (!bytes) return bytes;
  notes.push_back(
      "a SOFA file holds no power data: Lw, sensitivity, impedance and efficiency are "
      "not carried, and a reader takes Q as the balloon's on-axis value over its mean");
  if (src.NFaces > 0) {
    notes.push_back("the enclosing geometry (" + std::to_string(src.NFaces) +
                    " faces) is not carried by a SOFA file");
  }
  return bytes;
}

constexpr std::array kFormats = {
    WritableFormat{"SPK", ".spk", "Plivox Speaker Files (*.spk)", &Spk},
    WritableFormat{"SOFA", ".sofa", "SOFA Files (*.sofa)", &Sofa},
    WritableFormat{"CATT SD1", ".txt", "Catt SD1 Files (*.txt)", &SourceOnly<CattBytes>},
    WritableFormat{"EASE 3.0 text", ".eas", "EASE 3.0 Text Files (*.eas)", &SourceOnly<EaseBytes>},
    WritableFormat{"CLF1 text", ".tab", "CLF1 Text Files (*.tab)", &SourceOnly<ClfBytes>},
};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const WritableFormat> WritableFormats() {
  return kFormats;
}

const WritableFormat* WritableFormatNamed(std::string_view name) {
  for (const WritableFormat& f : kFormats) {
    if (SameText(name, f.name) || SameText(name, f.extension) ||
        SameText(name, f.extension.substr(1)))
      return &f;
  }
  return nullptr;
}

const WritableFormat* WritableFormatOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t period = name.rfind('.');
  if (period == std::string_view::npos || period == 0) return &kFormats[0];
  const std::string_view extension = name.substr(period);
  if (SameText(extension, ".mdl")) return &kFormats[0];
  for (const WritableFormat& f : kFormats) {
    if (SameText(extension, f.extension)) return &f;
  }
  return nullptr;
}

std::string WritableFormatList() {
  std::string text;
  for (const WritableFormat& f : kFormats) {
    if (!text.empty()) text += ", ";
    text += std::string(f.name) + " (" + std::string(f.extension) + ")";
  }
  return text;
}

std::string WritableFormatFilter() {
  std::string text;
  for (const WritableFormat& f : kFormats) {
    if (!text.empty()) text += '|';
    text += std::string(f.filter) + "|*" + std::string(f.extension);
  }
  return text;
}

int FilterIndexOf(const WritableFormat& format) {
  return static_cast<int>(&format - kFormats.data()) + 1;
}

std::string WrittenPath(const WritableFormat& format, const std::string& path) {
  return format.bytes == kFormats[0].bytes ? SpkFileName(path) : path;
}

std::expected<void, FileError> WriteSource(const Source& src, const WritableFormat& format,
                                           const std::string& path, std::vector<std::string>& notes,
                                           const WriteContext& context) {
  std::vector<std::string> found;
  auto bytes = format.bytes(src, found, path, context);
  if (!bytes) return std::unexpected(bytes.error());
  if (auto written = WriteFileAtomically(path, *bytes); !written) return written;
  notes.insert(notes.end(), found.begin(), found.end());
  return {};
}

}  // namespace fonderel
