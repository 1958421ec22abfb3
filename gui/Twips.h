// Window sizes of the program are given in twips; the screen takes 15 twips
// to a logical pixel (96 dpi). Qt scales logical pixels by the screen's
// device pixel ratio.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <algorithm>

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

// The stated window and column sizes were laid out for an 8-point dialog
// font; a larger desktop font widens what holds numbers by the same ratio.
inline double FontRatio(const QFont& font) {
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
  return std::max(1.0, points / 8.0);
}
inline int ScaledTwipsToPixels(int twips, const QFont& font) {
  return static_cast<int>(TwipsToPixels(twips) * FontRatio(font) + 0.5);
}
// A table row or a one-line field just tall enough for its text.
inline int CompactLineHeight(const QFontMetrics& metrics) { return metrics.height() + 1; }

}  // namespace fonderel
