#include "iso3744/MeasurementInput.h"

#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "iso3744/InstrumentExports.h"
#include "iso3744/MeasFile.h"
#include "iso3744/MicLayout.h"
#include "iso3744/RayReceivers.h"
#include "iso3744/SpectrumFiles.h"

namespace fonderel {

MeasKind MeasKindOfPath(const std::string& path) {
  if (EndsWithUpper(path, "DAT")) return MeasKind::Result;
  if (EndsWithUpper(path, "PRN")) return MeasKind::CommaExport;
  if (EndsWithUpper(path, "TXT")) return MeasKind::BkExport;
  return MeasKind::Other;
}

std::expected<void, FileError> LoadMeasurement(AppState& state, const std::string& path) {
  const MeasKind kind = MeasKindOfPath(path);
  if (kind == MeasKind::Other) return {};
  TRY_READ(bytes, ReadWholeFile(path));
  if (kind == MeasKind::Result) {
    TRY_READ(content, ParseMeasFile(bytes, path));
    ApplyMeasContent(state, content);
    return {};
  }
  TRY_READ(levels, kind == MeasKind::CommaExport ? ParsePrnExport(bytes, path)
                                                 : ParseBkExport(bytes, path));
  ApplyExportLevels(state, levels);
  return {};
}

std::expected<LayoutFile, FileError> ReadLayoutFile(Source& src, Platform& platform,
                                                    const std::string& path) {
  LayoutFile layout;
  if (EndsWithUpper(path, "RAY")) {
    TRY_READ(rec, ReadRayReceivers(src, platform, path));
    layout.rec = rec;
  } else {
    TRY_READ(mea, ReadMeaFile(path));
    layout.rec = mea.Rec;
    layout.mea = mea;
  }
  if (layout.rec.NReceivers < 1 || layout.rec.NReceivers > kMaxMics) {
    return std::unexpected(FileError{path, 0,
                                     "the file gives " + std::to_string(layout.rec.NReceivers) +
                                         " receivers; a measurement takes 1 to 100 microphones"});
  }
  return layout;
}

std::optional<std::string> ApplyLayoutFile(Measurement& m, const LayoutFile& layout,
                                           const std::string& path) {
  m.MicLayoutFile = path;
  m.Rec = layout.rec;
  std::optional<std::string> note;
  if (layout.mea) {
    m.SrcX = layout.mea->SrcX;
    m.SrcY = layout.mea->SrcY;
    m.SrcZ = layout.mea->SrcZ;
    if (layout.mea->RoomVolume != m.RoomVolume) {
      note = "The room volume of " + path + " (" + SingleText(layout.mea->RoomVolume, Lead::None) +
             " m3) replaces the " + SingleText(m.RoomVolume, Lead::None) + " m3 given before.";
    }
    m.RoomVolume = layout.mea->RoomVolume;
  }
  ApplyReceiverLayout(m);
  return note;
}

}  // namespace fonderel
