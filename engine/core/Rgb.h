// A colour as its red, green and blue parts, 0..255: what the engine's
// drawing models hand the windows to paint.
#pragma once

namespace fonderel {

struct Rgb {
  int red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace fonderel
