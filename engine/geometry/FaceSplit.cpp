#include "geometry/FaceSplit.h"

#include "core/NumberText.h"

namespace fonderel {

int SubFaceCount(int n) { return n <= 4 ? 1 : 1 + (n - 4 + 1) / 2; }

std::vector<SubFace> SplitFace(std::span<const Vertex> points) {
  std::vector<SubFace> faces;
  if (points.size() < 4) return faces;
  faces.push_back({4, {points[0], points[1], points[2], points[3]}});
  std::size_t next = 4;
  while (next < points.size()) {
    SubFace f;
    f.V[0] = points[0];
    f.V[1] = faces.back().V[3];
    f.V[2] = points[next++];
    if (next < points.size()) {
      f.V[3] = points[next++];
    } else {
      f.NVert = 3;
      f.V[3] = f.V[2];
    }
    faces.push_back(f);
  }
  return faces;
}

std::string FaceSplitWarning(int vertexCount, int faceNumber) {
  return "Not supported number of vertexes (" + IntText(vertexCount) + " ) for face N." +
         IntText(faceNumber) + "\rThis face will be splitted in 4-vertexes subfaces!";
}

}  // namespace fonderel
