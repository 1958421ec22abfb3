#include "geometry/RayFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "core/FieldReader.h"
#include "core/SafeFile.h"
#include "core/Try.h"
#include "geometry/FaceSplit.h"

namespace fonderel {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

// The values of one record: numbers separated by blanks or commas, never
// past the end of the record's line.
class RecordValues {
 public:
  RecordValues(std::string_view text, const std::string& file, int line)
      : text_(text), file_(file), line_(line) {}

  // Blanks and at most one comma: what ends the keyword and every value.
  void SkipSeparator() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
  }

  std::expected<double, FileError> Number(double lowest, double highest) {
    SkipBlanks();
    if (pos_ >= text_.size())
      return std::unexpected(Error("expected a number, found the end of the line"));
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
    const std::string_view token = text_.substr(start, pos_ - start);
    // One comma (with blanks around it) ends the item.
    SkipSeparator();
    if (token.empty()) return std::unexpected(Error("expected a number, found an empty item"));
    std::string_view digits = token;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
    const bool startsWell = digits.front() == '-' || digits.front() == '.' ||
                            (digits.front() >= '0' && digits.front() <= '9');
    double value = 0;
    const auto [end, ec] =
        startsWell ? std::from_chars(digits.data(), digits.data() + digits.size(), value)
                   : std::from_chars_result{digits.data(), std::errc::invalid_argument};
    const bool whole = ec == std::errc() && end == digits.data() + digits.size();
    if (ec == std::errc::result_out_of_range ||
        (whole && std::isfinite(value) && (value < lowest || value > highest))) {
      return std::unexpected(Error("number out of range: " + Quoted(token)));
    }
    if (!whole || !std::isfinite(value))
      return std::unexpected(Error("expected a number, found " + Quoted(token)));
    last_ = token;
    return value;
  }

  std::expected<float, FileError> Single() {
    const double limit = std::numeric_limits<float>::max();
    TRY_READ(value, Number(-limit, limit));
    return static_cast<float>(value);
  }

  std::expected<std::int16_t, FileError> Integer() {
    TRY_READ(value, Number(-32768.5, 32767.5));
    if (value != std::nearbyint(value))
      return std::unexpected(Error("expected a whole number, found " + Quoted(last_)));
    return static_cast<std::int16_t>(value);
  }

  std::expected<Vertex, FileError> Point() {
    TRY_READ(x, Single());
    TRY_READ(y, Single());
    TRY_READ(z, Single());
    return Vertex{x, y, z};
  }

  FileError Error(std::string message) const { return {file_, line_, std::move(message)}; }
  int Line() const { return line_; }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  std::string_view text_;
  const std::string& file_;
  int line_;
  std::size_t pos_ = 0;
  std::string_view last_;
};

class RayReader {
 public:
  RayReader(Source& geo, Platform& platform, const std::string& path)
      : geo_(geo), platform_(platform), path_(path) {}

  std::expected<CadPoints, FileError> Read(std::string_view bytes) {
    geo_.GeoMaxX = geo_.GeoMaxY = geo_.GeoMaxZ = -10000.0;
    geo_.GeoMinX = geo_.GeoMinY = geo_.GeoMinZ = 10000.0;
    std::size_t pos = 0;
    int line = 0;
    while (pos < bytes.size()) {
      std::size_t end = pos;
      while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
      ++line;
      if (line % 256 == 0) platform_.ProcessEvents();
      TRY(ReadRecord(bytes.substr(pos, end - pos), line));
      // CR LF, LF or CR ends a line.
      pos = end;
      if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
      if (pos < bytes.size() && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r')) ++pos;
    }
    if (faces_ == 0 && points_.NSources == 0 && points_.NReceivers == 0) {
      return std::unexpected(
          FileError{path_, 0, "no face, source or receiver found; not a CAD geometry file?"});
    }
    if (wallWithoutFace_.line > 0) {
      return std::unexpected(FileError{path_, wallWithoutFace_.line,
                                       std::string("the wall of this ") + wallWithoutFace_.what +
                                           " has no face: no FACE line follows its WALL line"});
    }
    geo_.NFaces = static_cast<std::int16_t>(faces_);
    geo_.NHoles = static_cast<std::int16_t>(holes_);
    geo_.NDoors = static_cast<std::int16_t>(doors_);
    // A face carrying an opening is a wall face, so that the SPK file keeps
    // the opening with it.
    for (int h = 1; h <= holes_; ++h) MarkOpeningFace(geo_.HoleFace(h));
    for (int d = 1; d <= doors_; ++d) MarkOpeningFace(geo_.DoorFace(d));
    if (points_.NSources > 0) MoveToFirstSource();
    return points_;
  }

 private:
  std::expected<void, FileError> ReadRecord(std::string_view text, int line) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (end - start < 3) return {};
    std::string key;
    for (std::size_t i = start; i < start + 3; ++i)
      key += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    RecordValues values(text.substr(end), path_, line);
    values.SkipSeparator();
    if (key == "FAC") return ReadFace(values);
    if (key == "HOL") return ReadHole(values);
    if (key == "DOO") return ReadDoor(values);
    if (key == "SOU" || key == "SPE") return ReadSource(values);
    if (key == "REC") return ReadReceiver(values);
    if (key == "WAL") {
      inWall_ = true;
      wallFace_ = faces_ + 1;
    } else if (key == "END") {
      inWall_ = false;
    }
    return {};  // "RAY" and unknown records are read past
  }

  void Widen(const Vertex& v) {
    geo_.GeoMinX = std::min(geo_.GeoMinX, static_cast<double>(v.X));
    geo_.GeoMaxX = std::max(geo_.GeoMaxX, static_cast<double>(v.X));
    geo_.GeoMinY = std::min(geo_.GeoMinY, static_cast<double>(v.Y));
    geo_.GeoMaxY = std::max(geo_.GeoMaxY, static_cast<double>(v.Y));
    geo_.GeoMinZ = std::min(geo_.GeoMinZ, static_cast<double>(v.Z));
    geo_.GeoMaxZ = std::max(geo_.GeoMaxZ, static_cast<double>(v.Z));
  }

  void MarkOpeningFace(int f) {
    geo_.FaceIsWall(f) = kTrue;
    geo_.FaceHasOpenings(f) = kTrue;
  }

  void StoreFace(std::int16_t num, std::int16_t mat, const SubFace& face) {
    const int f = ++faces_;
    // The face a wall's openings were waiting for.
    wallWithoutFace_ = PendingOpening{};
    geo_.FaceNum(f) = num;
    geo_.FaceMat(f) = mat;
    geo_.FaceNVert(f) = face.NVert;
    geo_.FaceIsWall(f) = inWall_ ? kTrue : kFalse;
    geo_.FaceHasOpenings(f) = kFalse;
    for (int v = 1; v <= kFaceVertices; ++v) {
      const Vertex& p = face.V[static_cast<std::size_t>(v - 1)];
      geo_.FaceX(f, v) = p.X;
      geo_.FaceY(f, v) = p.Y;
      geo_.FaceZ(f, v) = p.Z;
    }
  }

  std::expected<void, FileError> ReadFace(RecordValues& values) {
    TRY_READ(num, values.Integer());
    TRY_READ(mat, values.Integer());
    TRY_READ(n, values.Integer());
    if (n < 0)
      return std::unexpected(values.Error("a face cannot have " + std::to_string(n) + " vertices"));
    if (faces_ + SubFaceCount(n) > kMaxFaces)
      return std::unexpected(values.Error("more than 100 faces"));
    std::vector<Vertex> points;
    for (int v = 0; v < n; ++v) {
      TRY_READ(point, values.Point());
      Widen(point);
      points.push_back(point);
    }
    if (n <= kFaceVertices) {
      SubFace face;
      face.NVert = n;
      std::copy(points.begin(), points.end(), face.V.begin());
      StoreFace(num, mat, face);
      return {};
    }
    platform_.ShowMessage(MessageIcon::Exclamation, MessageButtons::Ok, "Warning !",
                          FaceSplitWarning(n, num));
    for (const SubFace& face : SplitFace(points)) StoreFace(num, mat, face);
    return {};
  }

  // Reads an opening's number, surface code, vertex count and vertices into
  // slot `i` of the given arrays; it belongs to the current wall face.
  template <typename Coords, typename Ints>
  std::expected<void, FileError> ReadOpening(RecordValues& values, int& count, int most,
                                             int mostVertices, const char* what, Ints& num,
                                             Ints& mat, Ints& nvert, Ints& onFace, Coords& x,
                                             Coords& y, Coords& z) {
    TRY_READ(number, values.Integer());
    TRY_READ(code, values.Integer());
    TRY_READ(n, values.Integer());
    if (count >= most)
      return std::unexpected(values.Error("more than " + std::to_string(most) + " " + what + "s"));
    if (n < 0 || n > mostVertices) {
      return std::unexpected(values.Error("expected 0 to " + std::to_string(mostVertices) +
                                          " vertices, found " + std::to_string(n)));
    }
    if (wallFace_ == 0) {
      return std::unexpected(values.Error(std::string("a ") + what +
                                          " outside any wall: no WALL line comes before it"));
    }
    const int i = count + 1;
    for (int v = 1; v <= n; ++v) {
      TRY_READ(point, values.Point());
      x(i, v) = point.X;
      y(i, v) = point.Y;
      z(i, v) = point.Z;
    }
    count = i;
    num(i) = number;
    mat(i) = code;
    nvert(i) = n;
    // The wall face is the first face after the WALL line, which may still
    // be to come.
    onFace(i) = static_cast<std::int16_t>(wallFace_);
    if (wallFace_ > faces_ && wallWithoutFace_.line == 0)
      wallWithoutFace_ = PendingOpening{values.Line(), what};
    return {};
  }

  std::expected<void, FileError> ReadHole(RecordValues& values) {
    return ReadOpening(values, holes_, kMaxHoles, kHoleVertices, "hole", geo_.HoleNum, geo_.HoleMat,
                       geo_.HoleNVert, geo_.HoleFace, geo_.HoleX, geo_.HoleY, geo_.HoleZ);
  }

  std::expected<void, FileError> ReadDoor(RecordValues& values) {
    return ReadOpening(values, doors_, kMaxDoors, kDoorVertices, "door", geo_.DoorNum, geo_.DoorMat,
                       geo_.DoorNVert, geo_.DoorFace, geo_.DoorX, geo_.DoorY, geo_.DoorZ);
  }

  // The further numbers and the name of a source record are not used.
  std::expected<void, FileError> ReadSource(RecordValues& values) {
    if (points_.NSources >= kMaxCadSources)
      return std::unexpected(values.Error("more than 128 sources"));
    TRY_READ(p, values.Point());
    Widen(p);
    const int s = ++points_.NSources;
    points_.CadSrcX(s) = p.X;
    points_.CadSrcY(s) = p.Y;
    points_.CadSrcZ(s) = p.Z;
    return {};
  }

  std::expected<void, FileError> ReadReceiver(RecordValues& values) {
    if (points_.NReceivers >= kMaxReceivers)
      return std::unexpected(values.Error("more than 1024 receivers"));
    TRY_READ(p, values.Point());
    Widen(p);
    const int r = ++points_.NReceivers;
    points_.RecX(r) = p.X;
    points_.RecY(r) = p.Y;
    points_.RecZ(r) = p.Z;
    return {};
  }

  void MoveToFirstSource() {
    const float dx = points_.CadSrcX(1), dy = points_.CadSrcY(1), dz = points_.CadSrcZ(1);
    // All four slots of a face: a three-vertex subface repeats vertex 3 as vertex 4.
    for (int f = 1; f <= faces_; ++f) {
      for (int v = 1; v <= kFaceVertices; ++v) {
        geo_.FaceX(f, v) -= dx;
        geo_.FaceY(f, v) -= dy;
        geo_.FaceZ(f, v) -= dz;
      }
    }
    for (int h = 1; h <= holes_; ++h) {
      for (int v = 1; v <= geo_.HoleNVert(h); ++v) {
        geo_.HoleX(h, v) -= dx;
        geo_.HoleY(h, v) -= dy;
        geo_.HoleZ(h, v) -= dz;
      }
    }
    for (int d = 1; d <= doors_; ++d) {
      for (int v = 1; v <= geo_.DoorNVert(d); ++v) {
        geo_.DoorX(d, v) -= dx;
        geo_.DoorY(d, v) -= dy;
        geo_.DoorZ(d, v) -= dz;
      }
    }
  }

  Source& geo_;
  Platform& platform_;
  const std::string& path_;
  CadPoints points_;
  int faces_ = 0, holes_ = 0, doors_ = 0;
  bool inWall_ = false;
  int wallFace_ = 0;
  // The first opening of a wall whose face has not been read yet.
  struct PendingOpening {
    int line = 0;
    const char* what = "";
  } wallWithoutFace_;
};

bool IsDialogPattern(const std::string& path) {
  std::string upper;
  for (char c : path) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper == "*.RAY" || upper == "*.*";
}

FileError NotRead(const std::string& path) {
  return {path, 0, "no file chosen", true};
}

}  // namespace

std::expected<CadPoints, FileError> ReadRayBytes(Source& src, Platform& platform,
                                                 std::string_view bytes, const std::string& path) {
  if (IsDialogPattern(path)) return std::unexpected(NotRead(path));
  platform.SetBusy(true);
  // Read into a copy so that a refused file leaves the geometry as it was.
  Source work = src;
  RayReader reader(work, platform, path);
  auto points = reader.Read(bytes);
  platform.SetBusy(false);
  if (points) src = std::move(work);
  return points;
}

std::expected<CadPoints, FileError> ReadRayFile(Source& src, Platform& platform,
                                                const std::string& path) {
  if (IsDialogPattern(path)) return std::unexpected(NotRead(path));
  TRY_READ(bytes, ReadWholeFile(path));
  return ReadRayBytes(src, platform, bytes, path);
}

}  // namespace fonderel
