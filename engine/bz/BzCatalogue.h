// The drawing of the ten BZ patterns in the Create window: a 5 x 2 grid of
// 128-unit cells, each with its polar curve, in a user scale 640 units wide
// whose origin is the top left corner.
#pragma once

#include <string>
#include <vector>

#include "core/Platform.h"

namespace fonderel {

struct CatalogueText {
  double x = 0, y = 0;  // top left corner of the text
  std::string text;
};

struct CatalogueDrawing {
  double scaleWidth = 640;
  double scaleHeight = 0;  // 640 * picture height / picture width
  std::vector<Segment> lines;
  std::vector<CatalogueText> texts;
};

// The catalogue for a picture of the given size (any unit, width > 0).
CatalogueDrawing DrawBzCatalogue(double pictureWidth, double pictureHeight);

}  // namespace fonderel
