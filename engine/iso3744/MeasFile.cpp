#include "iso3744/MeasFile.h"

#include <charconv>
#include <cmath>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "iso3744/MeaFile.h"

namespace fonderel {
namespace {

std::string Quote(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}
std::string Listed(float v) {
  return SingleText(v, Lead::None);
}

// The whole item as a finite number, whatever the locale.
std::optional<float> StrictNumber(std::string_view item) {
  if (!item.empty() && item.front() == '+') item.remove_prefix(1);
  float v = 0.0f;
  const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
  if (item.empty() || ec != std::errc() || end != item.data() + item.size() || !std::isfinite(v)) {
    return std::nullopt;
  }
  return v;
}

std::string MicLabel(int m) {
  const std::string padded = "  " + IntText(m);
  return "Lp(" + padded.substr(padded.size() - 2) + ")   :";
}

}  // namespace

std::string MeasFileText(const AppState& state) {
  const Source& src = state.src;
  const Measurement& m = state.Iso;
  const std::string eol = "\r\n";
  std::string out;
  out += Quote("Source Name:") + "," + Quote(src.SourceName) + eol;
  out += Quote("Manufacturer:") + "," + Quote(src.Manufacturer) + eol;
  out += Quote("Date") + "," + Quote(src.SourceDate) + eol;
  out += Quote("Time") + "," + Quote(src.SourceTime) + eol;
  out += Quote("Nmicros:") + "," + IntText(m.MicCount, Lead::None) + eol;
  out += Quote("Frequency:");
  for (int b = 1; b <= kBandCount; ++b) out += "," + FormatNumber(BandFreq(b), "####0.#");
  out += eol;
  for (int mic = 1; mic <= m.MicCount && mic <= kMaxMics; ++mic) {
    out += Quote(MicLabel(mic));
    for (int b = 1; b <= kBandCount; ++b) out += "," + FormatNumber(state.MicLp(mic, b), "###0.00");
    out += eol;
  }
  out += Quote("RevTime  :");
  for (int b = 1; b <= kBandCount; ++b) out += "," + SingleText(m.RevTime(b), Lead::Blank) + " ";
  out += eol;
  out += Quote("Dimensions of enveloping surface (a,b,c)") + eol;
  out += Listed(m.DimA) + "," + Listed(m.DimB) + "," + Listed(m.DimC) + eol;
  out += Quote("Room Volume") + eol;
  out += Listed(m.RoomVolume) + eol;
  out += Quote("Sound Power Levels (10 bands + Lin + A)") + eol;
  out += Quote("Lw =      ");
  for (int i = 1; i <= 12; ++i) out += "," + FormatNumber(src.Lw(i), "###0.00");
  out += eol;
  bool anyBackground = false;
  for (int b = 1; b <= kBandCount; ++b) anyBackground = anyBackground || m.HasBackground(b);
  if (!anyBackground) return out;
  out += Quote("Lb =      ");
  for (int b = 1; b <= kBandCount; ++b) {
    out += "," + (m.HasBackground(b) ? FormatNumber(m.Background(b), "###0.00") : std::string("-"));
  }
  out += eol;
  return out;
}

std::expected<void, FileError> WriteMeasText(const AppState& state, const std::string& path) {
  return WriteFileAtomically(path, MeasFileText(state));
}

std::expected<MeasContent, FileError> ParseMeasFile(std::string_view bytes,
                                                    const std::string& file) {
  FieldReader in(WithoutTrailingBlanks(bytes), file);
  MeasContent c;
  for (std::string* text : {&c.SourceName, &c.Manufacturer, &c.SourceDate, &c.SourceTime}) {
    TRY(in.ReadString());
    TRY_READ(value, in.ReadString());
    *text = std::move(value);
  }
  TRY(in.ReadString());
  TRY_READ(count, in.ReadInteger());
  if (count < 1 || count > kMaxMics) {
    return std::unexpected(in.ErrorAt(in.ItemLine(),
                                      "the number of microphones must be 1 to 100, "
                                      "found " +
                                          std::to_string(count)));
  }
  c.MicCount = count;
  const auto readBands =
      [&in](Indexed<float, 1, kBandCount>& into) -> std::expected<void, FileError> {
    TRY(in.ReadString());
    for (int b = 1; b <= kBandCount; ++b) {
      TRY_READ(v, in.ReadSingle());
      into(b) = v;
    }
    return {};
  };
  Indexed<float, 1, kBandCount> frequencies;
  TRY(readBands(frequencies));
  c.MicLp.resize(static_cast<std::size_t>(count));
  for (auto& row : c.MicLp) TRY(readBands(row));
  TRY(readBands(c.RevTime));
  if (in.AtEnd()) return c;
  MeasContent::Tail t;
  TRY(in.SkipLine());
  TRY_READ(a, in.ReadSingle());
  TRY_READ(b, in.ReadSingle());
  TRY_READ(cc, in.ReadSingle());
  TRY(in.SkipLine());
  TRY_READ(volume, in.ReadSingle());
  TRY(in.SkipLine());
  TRY(in.ReadString());
  for (int i = 1; i <= 12; ++i) {
    TRY_READ(v, in.ReadSingle());
    t.Lw(i) = v;
  }
  t.DimA = a;
  t.DimB = b;
  t.DimC = cc;
  t.RoomVolume = volume;
  c.tail = t;
  if (in.AtEnd()) return c;
  TRY(in.ReadString());
  for (int band = 1; band <= kBandCount; ++band) {
    const int line = in.Line();
    const auto item = in.ReadString();
    if (!item) return std::unexpected(item.error());
    if (item->size() == 1 && item->front() == '-') continue;
    const std::optional<float> level = StrictNumber(*item);
    if (!level) {
      return std::unexpected(
          in.ErrorAt(line, "expected a background level or \"-\", found " + Quoted(*item)));
    }
    c.Background(band) = *level;
  }
  return c;
}

std::expected<MeasContent, FileError> ReadMeasFile(const std::string& path) {
  TRY_READ(bytes, ReadWholeFile(path));
  return ParseMeasFile(bytes, path);
}

void ApplyMeasContent(AppState& state, const MeasContent& c) {
  Source& src = state.src;
  Measurement& m = state.Iso;
  src.SourceName = c.SourceName;
  src.Manufacturer = c.Manufacturer;
  src.SourceDate = c.SourceDate;
  src.SourceTime = c.SourceTime;
  m.MicCount = static_cast<std::int16_t>(c.MicCount);
  for (int mic = 1; mic <= c.MicCount; ++mic) {
    for (int b = 1; b <= kBandCount; ++b)
      state.MicLp(mic, b) = c.MicLp[static_cast<std::size_t>(mic - 1)](b);
  }
  m.RevTime = c.RevTime;
  m.Background = c.Background;
  if (!c.tail) return;
  m.DimA = c.tail->DimA;
  m.DimB = c.tail->DimB;
  m.DimC = c.tail->DimC;
  m.RoomVolume = c.tail->RoomVolume;
  src.Lw = c.tail->Lw;
}

}  // namespace fonderel
