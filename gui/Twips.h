// Window sizes of the program are given in twips; the screen takes 15 twips
// to a logical pixel (96 dpi). Qt scales logical pixels by the screen's
// device pixel ratio.
#pragma once

#include <QRect>
#include <QSize>

#include "core/Platform.h"

namespace fonderel {

inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect ToPixels(const TwipsRect& r) {
  return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
          TwipsToPixels(r.height)};
}
inline QSize ToPixels(const TwipsSize& s) { return {TwipsToPixels(s.width), TwipsToPixels(s.height)}; }

}  // namespace fonderel
