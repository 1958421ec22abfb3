#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/SpkFile.h"

namespace fonderel {
namespace {

constexpr std::string_view kEol = "\r\n";

// Labels of the band blocks, Windows-1252 bytes (0xEA, 0xDF, 0xF8).
constexpr std::string_view kBandLabels =
    "\"Z (\xEA)\",\"Efficiency (%)\",\"Lw (dBpW)\",\"Directivity Q\","
    "\"Directivity Index (dB)\",\"Sensitivity (dB SPL at 1W,1m)\"";
constexpr std::string_view kAngleHeaderStart = "\"Polar Angle on the plot (\xDF)\",\"---->\"";
constexpr std::string_view kRowStart = "\"Angle of the polar plot (\xF8)\"";

// A string item of a written line. A double quote inside would end the item
// early when read back, and a line end would break the line, so they are
// written as a single quote and a blank.
void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"') {
      out += '\'';
    } else if (c == '\r' || c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendLabelled(std::string& out, std::string_view label, std::string_view value) {
  AppendQuoted(out, label);
  out += ',';
  AppendQuoted(out, value);
  out += kEol;
}

// Integers of the geometry section: a leading blank (or minus) and a trailing blank.
void AppendPrintedInt(std::string& out, int value) {
  out += IntText(value);
  out += ' ';
}

template <typename Coords>
void AppendVertices(std::string& out, int i, int n, const Coords& x, const Coords& y,
                    const Coords& z) {
  for (int v = 1; v <= n; ++v) {
    out += ' ';
    AppendSingleText(out, x(i, v));
    out += ' ';
    AppendSingleText(out, y(i, v));
    out += ' ';
    AppendSingleText(out, z(i, v));
  }
}

void AppendFace(std::string& out, const Source& src, int f, std::string_view tag) {
  out += tag;
  AppendPrintedInt(out, src.FaceNum(f));
  AppendPrintedInt(out, src.FaceMat(f));
  const int n = std::clamp<int>(src.FaceNVert(f), 0, kFaceVertices);
  AppendPrintedInt(out, n);
  out += "  ";
  AppendVertices(out, f, n, src.FaceX, src.FaceY, src.FaceZ);
  out += kEol;
}

template <typename Coords, typename Ints>
void AppendOpening(std::string& out, std::string_view tag, int i, int most, const Ints& num,
                   const Ints& mat, const Ints& nvert, const Coords& x, const Coords& y,
                   const Coords& z) {
  out += tag;
  AppendPrintedInt(out, num(i));
  AppendPrintedInt(out, mat(i));
  const int n = std::clamp<int>(nvert(i), 0, most);
  AppendPrintedInt(out, n);
  AppendVertices(out, i, n, x, y, z);
  out += kEol;
}

void AppendGeometry(std::string& out, const Source& src) {
  out += "EntityList";
  out += kEol;
  const int faces = std::min<int>(src.NFaces, kMaxFaces);
  const int holes = std::clamp<int>(src.NHoles, 0, kMaxHoles);
  const int doors = std::clamp<int>(src.NDoors, 0, kMaxDoors);
  for (int f = 1; f <= faces; ++f) {
    if (!src.FaceIsWall(f)) {
      AppendFace(out, src, f, " Face");
      continue;
    }
    out += " Wall";
    out += kEol;
    AppendFace(out, src, f, "  Face");
    if (src.FaceHasOpenings(f)) {
      for (int h = 1; h <= holes; ++h) {
        if (src.HoleFace(h) == f) {
          AppendOpening(out, "  Hole", h, kHoleVertices, src.HoleNum, src.HoleMat, src.HoleNVert,
                        src.HoleX, src.HoleY, src.HoleZ);
        }
      }
      for (int d = 1; d <= doors; ++d) {
        if (src.DoorFace(d) == f) {
          AppendOpening(out, "  Door", d, kDoorVertices, src.DoorNum, src.DoorMat, src.DoorNVert,
                        src.DoorX, src.DoorY, src.DoorZ);
        }
      }
    }
    out += " End";
    out += kEol;
  }
  out += "End";
  out += kEol;
}

void AppendBand(std::string& out, const Source& src, int b) {
  out += "\"Freq. band no.\",";
  out += IntText(b, Lead::None);
  out += kEol;
  out += kBandLabels;
  out += kEol;
  const std::string numbers[] = {
      SingleText(src.Impedance(b), Lead::None), SingleText(src.Efficiency(b), Lead::None),
      SingleText(src.Lw(b), Lead::None),        SingleText(src.DirQ(b), Lead::None),
      DoubleText(DirectivityIndex(src.DirQ(b)), Lead::None),
      SingleText(src.Sensitivity(b), Lead::None)};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    if (i > 0) out += ',';
    out += numbers[i];
  }
  out += kEol;
  out += "\"No. of polar plots\",18";
  out += kEol;
  out += "\"No. of points per plot\",36";
  out += kEol;
  static const std::string angleHeader = [] {
    std::string h(kAngleHeaderStart);
    for (int k = 0; k < kPoints; ++k) h += "," + RightAlign(std::to_string(10 * k), 7);
    return h + std::string(kEol);
  }();
  out += angleHeader;
  for (int p = 0; p < kPlots; ++p) {
    out += kRowStart;
    out += ',';
    out += RightAlign(std::to_string(10 * p), 7);
    for (int k = 0; k < kPoints; ++k) {
      out += ',';
      AppendBalloonField(out, src.BalloonData(p, k, b));
    }
    out += kEol;
  }
}

// A number the file cannot carry (infinity, not-a-number) would make a file
// that no reader loads again; such a description is refused instead.
bool AllFinite(const Source& src) {
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    for (float v : {src.Impedance(b), src.Efficiency(b), src.Lw(b), src.DirQ(b), src.Sensitivity(b)}) {
      if (!std::isfinite(v)) return false;
    }
    for (int p = 0; p < kPlots; ++p) {
      for (int k = 0; k < kPoints; ++k) {
        if (!std::isfinite(src.BalloonData(p, k, b))) return false;
      }
    }
  }
  return true;
}

}  // namespace

std::string SpkFileName(std::string path) {
  const auto endsWith = [&](std::string_view tail) {
    return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (endsWith(".mdl") || endsWith(".MDL")) path.replace(path.size() - 4, 4, ".SPK");
  const std::size_t slash = path.rfind('/');
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t period = name.find('.');
  if (period == std::string_view::npos || period == 0) path += ".SPK";
  return path;
}

std::expected<std::string, FileError> SpkBytes(const Source& src, TextLog& log,
                                               const std::string& path) {
  if (src.FirstBand < 1 || src.LastBand < src.FirstBand || src.LastBand > kBandCount) {
    return std::unexpected(FileError{path, 0, "there are no source data to save"});
  }
  if (!AllFinite(src)) {
    return std::unexpected(FileError{path, 0, "the source holds a value that is not a finite number"});
  }
  std::string out;
  out.reserve(4096 + 12000 * static_cast<std::size_t>(src.LastBand - src.FirstBand + 1) +
              400 * static_cast<std::size_t>(std::max<int>(src.NFaces, 0)));
  const std::pair<std::string_view, const std::string*> header[] = {
      {"Source Name", &src.SourceName},
      {"Manufacturer", &src.Manufacturer},
      {"Date", &src.SourceDate},
      {"Time", &src.SourceTime}};
  for (const auto& [label, value] : header) {
    AppendLabelled(out, label, *value);
    log.AddLogLine(std::string(label) + ": " + *value);
  }
  const int n = src.LastBand - src.FirstBand + 1;
  out += "\"Number of frequency bands\",";
  out += IntText(n, Lead::None);
  out += kEol;
  log.AddLogLine("Number of frequency bands: " + IntText(n));
  for (int b = src.FirstBand; b <= src.LastBand; ++b) {
    log.AddLogLine("Saving the Directivity data... Lw=" + SingleText(src.Lw(b)) + " Q= " +
                   SingleText(src.DirQ(b)));
    log.AddLogLine("Freq. band no." + IntText(b) + " - " + SingleText(BandFreq(b)) + "Hz");
    AppendBand(out, src, b);
  }
  out += "\"END\"";
  out += kEol;
  if (src.NFaces > 0) {
    AppendGeometry(out, src);
    log.AddLogLine("Incapsulated geometry was saved in SPK file");
  }
  return out;
}

std::expected<void, FileError> WriteSpkFile(AppState& state, Platform& platform, std::string& path) {
  platform.ShowTextLog();
  platform.SetBusy(true);
  path = SpkFileName(path);
  state.AddLogLine("");
  state.AddLogLine("Saving Source Description to: " + path);
  auto bytes = SpkBytes(state.src, state.log, path);
  std::expected<void, FileError> written;
  if (bytes) {
    written = WriteFileAtomically(path, *bytes);
  } else {
    written = std::unexpected(bytes.error());
  }
  platform.SetBusy(false);
  if (!written) return written;
  state.src.DataSaved = kTrue;
  state.AddLogLine("Source file saved correctly!!!");
  return {};
}

}  // namespace fonderel
