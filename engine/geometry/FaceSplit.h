// Faces of more than four vertices are held as a fan of four-vertex subfaces
// that share the first point. The SPK reader and the CAD geometry reader split
// alike.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fonderel {

struct Vertex {
  float X = 0, Y = 0, Z = 0;
};

struct SubFace {
  std::int16_t NVert = 4;
  std::array<Vertex, 4> V{};
};

// Points P1..Pn (n > 4) become (P1, P2, P3, P4), then (P1, previous vertex 4,
// next point, the point after it); a last subface left with one point has
// three vertices and repeats it as vertex 4.
std::vector<SubFace> SplitFace(std::span<const Vertex> points);

// How many subfaces SplitFace makes of n points (n > 4).
int SubFaceCount(int n);

// The warning shown before a face is split (lines separated by a carriage return).
std::string FaceSplitWarning(int vertexCount, int faceNumber);

}  // namespace fonderel
