#include <algorithm>
#include <vector>

#include "core/FieldReader.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "core/SpkFile.h"
#include "core/Try.h"
#include "geometry/FaceSplit.h"

namespace fonderel {
namespace {

class SpkReader {
 public:
  SpkReader(Source& src, TextLog& log, Platform& platform, std::string_view bytes,
            const std::string& path)
      : src_(src), log_(log), platform_(platform), in_(bytes, path) {}

  std::expected<void, FileError> Read() {
    TRY(ReadHeader());
    for (int i = 0; i < src_.BandCount; ++i) TRY(ReadBand());
    TRY(ReadGeometry());
    src_.SourceKind =
        (src_.Efficiency(src_.CurBand) == 0.0f || src_.Efficiency(src_.CurBand) == 100.0f) ? 0.0f
                                                                                          : 1.0f;
    src_.LastBand = src_.CurBand;
    return {};
  }

  bool SawGeometry() const { return sawGeometry_; }

 private:
  std::expected<void, FileError> ReadHeader() {
    std::string* fields[] = {&src_.SourceName, &src_.Manufacturer, &src_.SourceDate,
                             &src_.SourceTime};
    for (std::string* field : fields) {
      TRY_READ(label, in_.ReadString());
      TRY_READ(value, in_.ReadString());
      *field = value;
      log_.AddLogLine(label + value);
    }
    TRY_READ(label, in_.ReadString());
    const int line = in_.Line();
    TRY_READ(count, in_.ReadInteger());
    src_.BandCount = count;
    log_.AddLogLine(label + IntText(count));
    if (count < 1 || count > kBandCount) {
      return std::unexpected(in_.ErrorAt(
          line, "expected 1 to 10 frequency bands, found " + std::to_string(count)));
    }
    platform_.ProcessEvents();
    return {};
  }

  std::expected<void, FileError> ReadBand() {
    TRY_READ(label, in_.ReadString());
    TRY_READ(band, in_.ReadInteger());
    if (band < 1 || band > kBandCount) {
      return std::unexpected(in_.ErrorAt(in_.ItemLine(), "expected a band number from 1 to 10, found " + std::to_string(band)));
    }
    if (band <= previousBand_) {
      return std::unexpected(in_.ErrorAt(in_.ItemLine(), "band " + std::to_string(band) + " follows band " +
                                       std::to_string(previousBand_) + "; bands must ascend"));
    }
    previousBand_ = band;
    src_.CurBand = band;
    log_.AddLogLine(label + IntText(band) + " - " + SingleText(BandFreq(band)) + "Hz");
    if (src_.FirstBand == 0) src_.FirstBand = band;
    src_.BandPresent(band) = kTrue;
    TRY(in_.SkipLine());

    TRY_READ(impedance, in_.ReadSingle());
    TRY_READ(efficiency, in_.ReadSingle());
    TRY_READ(lw, in_.ReadSingle());
    TRY_READ(dirQ, in_.ReadSingle());
    TRY(in_.ReadDouble());  // the directivity index, derived from Q
    TRY_READ(sensitivity, in_.ReadSingle());
    src_.Impedance(band) = impedance;
    src_.Efficiency(band) = efficiency;
    src_.Lw(band) = lw;
    src_.DirQ(band) = dirQ;
    src_.Sensitivity(band) = sensitivity;

    TRY_READ(plots, ReadCount(kPlots, "polar plots"));
    TRY_READ(points, ReadCount(kPoints, "points per plot"));
    TRY(in_.SkipLine());
    for (int p = 0; p < plots; ++p) {
      TRY(in_.ReadString());
      TRY(in_.ReadDouble());  // the plot's angle; the row's position gives p
      for (int k = 0; k < points; ++k) {
        TRY_READ(value, in_.ReadSingle());
        src_.BalloonData(p, k, band) = value;
      }
    }
    log_.AddLogLine("Reading the Directivity data... Lw=" + SingleText(lw) + " Q= " +
                    SingleText(dirQ));
    return {};
  }

  std::expected<int, FileError> ReadCount(int most, const char* what) {
    TRY(in_.ReadString());
    TRY_READ(count, in_.ReadInteger());
    if (count < 0 || count > most) {
      return std::unexpected(in_.ErrorAt(in_.ItemLine(), "expected 0 to " + std::to_string(most) + " " +
                                       what + ", found " + std::to_string(count)));
    }
    return count;
  }

  std::expected<void, FileError> ReadGeometry() {
    while (!in_.AtEnd()) {
      TRY_READ(line, in_.ReadLine());
      if (line == "EntityList") {
        sawGeometry_ = true;
        break;
      }
    }
    if (!sawGeometry_) return {};
    int faces = 0, holes = 0, doors = 0;
    // Faces between a " Wall" line and its " End" are walls, also without openings.
    bool inWall = false;
    while (!in_.AtEnd()) {
      const std::string tag = in_.PeekLine(3);
      if (tag == " Fa" || tag == "  F") {
        in_.SkipChars(3);
        in_.SkipLetters();
        const int before = faces;
        TRY(ReadFace(faces));
        for (int f = before + 1; inWall && f <= faces; ++f) src_.FaceIsWall(f) = kTrue;
      } else if (tag == " Ho" || tag == "  H") {
        in_.SkipChars(3);
        in_.SkipLetters();
        TRY(ReadOpening(holes, kMaxHoles, kHoleVertices, "holes", src_.HoleNum, src_.HoleMat,
                        src_.HoleNVert, src_.HoleFace, src_.HoleX, src_.HoleY, src_.HoleZ, faces));
      } else if (tag == " Do" || tag == "  D") {
        in_.SkipChars(3);
        in_.SkipLetters();
        TRY(ReadOpening(doors, kMaxDoors, kDoorVertices, "doors", src_.DoorNum, src_.DoorMat,
                        src_.DoorNVert, src_.DoorFace, src_.DoorX, src_.DoorY, src_.DoorZ, faces));
      } else {
        if (tag == " Wa") inWall = true;
        if (tag == " En" || tag == "End") inWall = false;
        TRY(in_.SkipLine());
      }
    }
    src_.NFaces = static_cast<std::int16_t>(faces);
    src_.NHoles = static_cast<std::int16_t>(holes);
    src_.NDoors = static_cast<std::int16_t>(doors);
    return {};
  }

  std::expected<Vertex, FileError> ReadVertex() {
    TRY_READ(x, in_.ReadSingle());
    TRY_READ(y, in_.ReadSingle());
    TRY_READ(z, in_.ReadSingle());
    return Vertex{x, y, z};
  }

  void Widen(const Vertex& v) {
    src_.GeoMinX = std::min(src_.GeoMinX, static_cast<double>(v.X));
    src_.GeoMaxX = std::max(src_.GeoMaxX, static_cast<double>(v.X));
    src_.GeoMinY = std::min(src_.GeoMinY, static_cast<double>(v.Y));
    src_.GeoMaxY = std::max(src_.GeoMaxY, static_cast<double>(v.Y));
    src_.GeoMinZ = std::min(src_.GeoMinZ, static_cast<double>(v.Z));
    src_.GeoMaxZ = std::max(src_.GeoMaxZ, static_cast<double>(v.Z));
  }

  void StoreFace(int f, std::int16_t num, std::int16_t mat, const SubFace& face) {
    src_.FaceNum(f) = num;
    src_.FaceMat(f) = mat;
    src_.FaceNVert(f) = face.NVert;
    // A face read afresh carries no flags left over from an earlier source.
    src_.FaceIsWall(f) = kFalse;
    src_.FaceHasOpenings(f) = kFalse;
    for (int v = 1; v <= kFaceVertices; ++v) {
      src_.FaceX(f, v) = face.V[static_cast<std::size_t>(v - 1)].X;
      src_.FaceY(f, v) = face.V[static_cast<std::size_t>(v - 1)].Y;
      src_.FaceZ(f, v) = face.V[static_cast<std::size_t>(v - 1)].Z;
    }
  }

  std::expected<void, FileError> ReadFace(int& faces) {
    const int line = in_.Line();
    TRY_READ(num, in_.ReadInteger());
    TRY_READ(mat, in_.ReadInteger());
    TRY_READ(nvert, in_.ReadInteger());
    if (nvert < 0) {
      return std::unexpected(in_.ErrorAt(line, "a face cannot have " + std::to_string(nvert) + " vertices"));
    }
    if (faces + SubFaceCount(nvert) > kMaxFaces) {
      return std::unexpected(in_.ErrorAt(line, "more than 100 faces"));
    }
    if (nvert <= kFaceVertices) {
      SubFace face;
      face.NVert = nvert;
      for (int v = 0; v < nvert; ++v) {
        TRY_READ(vertex, ReadVertex());
        Widen(vertex);
        face.V[static_cast<std::size_t>(v)] = vertex;
      }
      StoreFace(++faces, num, mat, face);
      return {};
    }
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning !",
                          FaceSplitWarning(nvert, num));
    std::vector<Vertex> points;
    for (int v = 0; v < nvert; ++v) {
      TRY_READ(vertex, ReadVertex());
      Widen(vertex);
      points.push_back(vertex);
    }
    for (const SubFace& face : SplitFace(points)) StoreFace(++faces, num, mat, face);
    return {};
  }

  template <typename Coords, typename Ints>
  std::expected<void, FileError> ReadOpening(int& count, int most, int mostVertices,
                                             const char* what, Ints& num, Ints& mat, Ints& nvert,
                                             Ints& onFace, Coords& x, Coords& y, Coords& z,
                                             int face) {
    const int line = in_.Line();
    TRY_READ(number, in_.ReadInteger());
    TRY_READ(code, in_.ReadInteger());
    TRY_READ(n, in_.ReadInteger());
    if (count >= most) {
      return std::unexpected(in_.ErrorAt(line, "more than " + std::to_string(most) + " " + what));
    }
    if (n < 0 || n > mostVertices) {
      return std::unexpected(in_.ErrorAt(line, "expected 0 to " + std::to_string(mostVertices) +
                                                   " vertices, found " + std::to_string(n)));
    }
    const int i = ++count;
    num(i) = number;
    mat(i) = code;
    nvert(i) = n;
    for (int v = 1; v <= n; ++v) {
      TRY_READ(vertex, ReadVertex());
      x(i, v) = vertex.X;
      y(i, v) = vertex.Y;
      z(i, v) = vertex.Z;
    }
    onFace(i) = static_cast<std::int16_t>(face);
    src_.FaceIsWall(face) = kTrue;
    src_.FaceHasOpenings(face) = kTrue;
    return {};
  }

  Source& src_;
  TextLog& log_;
  Platform& platform_;
  FieldReader in_;
  bool sawGeometry_ = false;
  int previousBand_ = 0;
};

}  // namespace

std::expected<void, FileError> ReadSpkBytes(AppState& state, Platform& platform,
                                            std::string_view bytes, const std::string& path) {
  platform.ShowTextLog();
  platform.SetBusy(true);
  state.AddLogLine("");
  state.AddLogLine("Reading Source Description from: " + path);
  // Read into a copy so that a file that fails part-way leaves nothing behind.
  Source work = state.src;
  SpkReader reader(work, state.log, platform, bytes, path);
  auto result = reader.Read();
  platform.SetBusy(false);
  if (!result) return result;
  state.src = std::move(work);
  if (reader.SawGeometry()) platform.SetViewGeometryEnabled(true);
  return {};
}

std::expected<void, FileError> ReadSpkFile(AppState& state, Platform& platform,
                                           const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    platform.ShowTextLog();
    state.AddLogLine("");
    state.AddLogLine("Reading Source Description from: " + path);
    return std::unexpected(bytes.error());
  }
  return ReadSpkBytes(state, platform, *bytes, path);
}

}  // namespace fonderel
