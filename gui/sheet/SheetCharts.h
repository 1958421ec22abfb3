// The charts of the datasheet page, painted as vectors and text: the polar
// curves of one plane for a few bands, and coverage with the directivity
// index against band.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <vector>

#include "core/Source.h"

namespace fonderel {

// The colours of the overlaid bands, in order.
QColor SheetCurveColour(std::size_t index);

// The polar curves of `plane` for `bands` in `area` (0 degrees at the top,
// angles clockwise, 10 dB per ring, the plane's maximum at the outer ring).
void PaintPolarCurves(QPainter& painter, const QRectF& area, const Source& src, int plane,
                      const std::vector<int>& bands);

// Horizontal and vertical coverage (left axis, degrees) and the directivity
// index (right axis, dB) against band, with a legend below.
void PaintCoverageChart(QPainter& painter, const QRectF& area, const Source& src);

}  // namespace fonderel
