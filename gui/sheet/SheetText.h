// Margins, fonts and text of the printed pages (the datasheet and the
// measurement report), so both look alike.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <string>

#include "Datasheet.h"
#include "core/Cp1252.h"

namespace fonderel::sheet {

inline constexpr double kMargin = 36;
inline constexpr double kContent = kSheetWidth - 2 * kMargin;

inline QString Text(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

inline QFont Font(double points, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPointSizeF(points);
  font.setBold(bold);
  // No ligatures, so "Efficiency" stays searchable letter by letter.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

inline void Heading(QPainter& p, double y, const QString& text) {
  p.setFont(Font(9.5, true));
  p.setPen(Qt::black);
  p.drawText(QPointF(kMargin, y), text);
}

}  // namespace fonderel::sheet
