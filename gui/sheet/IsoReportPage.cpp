#include "IsoReportPage.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <memory>

#include "Datasheet.h"
#include "SheetText.h"
#include "core/Cp1252.h"
#include "core/SafeFile.h"

namespace fonderel {
namespace {

using sheet::Font;
using sheet::Heading;
using sheet::kContent;
using sheet::kMargin;
using sheet::Text;

// Lines of text wrapped to the page width; returns the y below them.
double PaintLines(QPainter& p, const std::vector<std::string>& lines, double top, double points) {
  p.setFont(Font(points));
  p.setPen(Qt::black);
  double y = top;
  for (const std::string& line : lines) {
    const QRectF box =
        p.boundingRect(QRectF(kMargin, y, kContent, 400), Qt::TextWordWrap, Text(line));
    p.drawText(QRectF(kMargin, y, kContent, box.height()), Qt::TextWordWrap, Text(line));
    y += box.height() + 2;
  }
  return y;
}

double PaintTable(QPainter& p, const TextTable& table, double top) {
  constexpr double kRow = 14;
  const std::size_t columns = table.empty() ? 1 : table[0].size();
  const double column = kContent / static_cast<double>(columns);
  double y = top;
  for (std::size_t r = 0; r < table.size(); ++r) {
    p.setFont(Font(7.5, r == 0));
    if (r == 0) p.fillRect(QRectF(kMargin, y, kContent, kRow), QColor(235, 235, 235));
    p.setPen(Qt::black);
    for (std::size_t c = 0; c < table[r].size(); ++c) {
      p.drawText(QRectF(kMargin + static_cast<double>(c) * column, y, column - 4, kRow),
                 Qt::AlignVCenter | Qt::AlignRight, Text(table[r][c]));
    }
    y += kRow;
    p.setPen(QPen(QColor(190, 190, 190), 0.4));
    p.drawLine(QPointF(kMargin, y), QPointF(kMargin + kContent, y));
  }
  return y;
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fonderel-cli";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

void PaintIsoReport(QPainter& p, const IsoReport& report) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::black);
  p.setFont(Font(18, true));
  p.drawText(QPointF(kMargin, 58), Text(report.title));
  p.setFont(Font(8));
  p.setPen(Qt::darkGray);
  p.drawText(QRectF(kMargin, 44, kContent, 14), Qt::AlignRight,
             "Fonderel sound power report (ISO 3744)");
  double y = PaintLines(p, report.header, 66, 9);
  p.setPen(QPen(Qt::black, 0.8));
  p.drawLine(QPointF(kMargin, y + 2), QPointF(kMargin + kContent, y + 2));
  Heading(p, y + 20, "Levels and corrections per band");
  y = PaintTable(p, report.table, y + 26);
  Heading(p, y + 20, "Sound power");
  y = PaintLines(p, report.totals, y + 26, 10);
  Heading(p, y + 18, "Criteria");
  y = PaintLines(p, report.criteria, y + 24, 8.5);
  if (!report.notes.empty()) {
    Heading(p, y + 18, "Notes");
    PaintLines(p, report.notes, y + 24, 8);
  }
}

std::expected<void, FileError> WriteIsoReport(const IsoReport& report, const std::string& path) {
  EnsureGuiApplication();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(72);
    pdf.setTitle(Text(report.title) + " - sound power report");
    pdf.setCreator("Fonderel");
    QPainter painter;
    if ((painted = painter.begin(&pdf))) {
      PaintIsoReport(painter, report);
      painted = painter.end();
    }
  }
  if (!painted || buffer.data().isEmpty()) {
    return std::unexpected(FileError{path, 0, "the report could not be drawn", false});
  }
  const QByteArray& bytes = buffer.data();
  return WriteFileAtomically(
      path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace fonderel
