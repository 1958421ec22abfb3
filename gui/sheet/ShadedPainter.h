// Paints the engine's shaded balloon with a QPainter: on the screen, on the
// printer and on a datasheet page alike.
#pragma once

#include <QPainter>

#include "views/ShadedBalloon.h"

namespace fonderel {

QColor ToQColor(const Rgb& rgb);

// The patches back to front, then the colour bar with its labels.
void PaintShadedBalloon(QPainter& painter, const ShadedPicture& picture);

// The room the colour bar's labels need in the painter's current font.
double ColourBarLabelWidth(const QPainter& painter);

}  // namespace fonderel
