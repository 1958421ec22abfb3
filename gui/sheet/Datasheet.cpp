#include "Datasheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <memory>

#include "ShadedPainter.h"
#include "SheetCharts.h"
#include "app/DatasheetExport.h"
#include "SheetText.h"
#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "core/SafeFile.h"
#include "views/InfoTable.h"

namespace fonderel {
namespace {

using sheet::Font;
using sheet::Heading;
using sheet::kContent;
using sheet::kMargin;
using sheet::Text;

QString BandName(int band) { return QString::fromStdString(SingleText(BandFreq(band), Lead::None)) + " Hz"; }

double PaintHeader(QPainter& p, const Source& src) {
  p.setPen(Qt::black);
  p.setFont(Font(18, true));
  p.drawText(QPointF(kMargin, 58), src.SourceName.empty() ? "(unnamed source)" : Text(src.SourceName));
  p.setFont(Font(10));
  p.drawText(QPointF(kMargin, 78), "Manufacturer: " + Text(src.Manufacturer));
  p.drawText(QPointF(kMargin, 93), "Date: " + Text(src.SourceDate) + "  " + Text(src.SourceTime) +
                                       "     Source kind: " +
                                       (src.SourceKind != 0.0f ? "Loudspeaker" : "Noise source"));
  p.setFont(Font(7));
  p.setPen(Qt::darkGray);
  p.drawText(QPointF(kMargin, 107), Text(src.SourceFile));
  p.setFont(Font(8));
  p.drawText(QRectF(kMargin, 44, kContent, 14), Qt::AlignRight, "Fonderel datasheet");
  p.setPen(QPen(Qt::black, 0.8));
  p.drawLine(QPointF(kMargin, 114), QPointF(kMargin + kContent, 114));
  return 114;
}

// The Info table's cells as the window shows them.
double PaintInfoTable(QPainter& p, const Source& src, double top) {
  Heading(p, top + 16, "Band data");
  const TextTable table = InfoTable(src);
  constexpr double kRow = 13, kFirst = 116;  // the longest row label whole
  const double column = (kContent - kFirst) / 12;
  double y = top + 22;
  for (std::size_t r = 0; r < table.size(); ++r) {
    p.setFont(Font(6.8, r == 0));
    if (r == 0) p.fillRect(QRectF(kMargin, y, kContent, kRow), QColor(235, 235, 235));
    for (std::size_t c = 0; c < table[r].size() && c < 13; ++c) {
      const QRectF cell = c == 0 ? QRectF(kMargin + 2, y, kFirst - 2, kRow)
                                 : QRectF(kMargin + kFirst + (c - 1) * column, y, column - 2, kRow);
      p.setPen(Qt::black);
      p.drawText(cell, Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight),
                 Text(table[r][c]).trimmed());
    }
    y += kRow;
    p.setPen(QPen(QColor(190, 190, 190), 0.4));
    p.drawLine(QPointF(kMargin, y), QPointF(kMargin + kContent, y));
  }
  return y;
}

void PaintBalloon(QPainter& p, const Source& src, int band, const QRectF& area) {
  Heading(p, area.top() - 6, "Balloon, " + BandName(band) + " (dB re maximum)");
  p.save();
  p.translate(area.topLeft());
  p.setFont(Font(7));
  PaintShadedBalloon(p, ShadeBalloon(src, band, {}, area.width(), area.height(), ColourBarLabelWidth(p)));
  p.restore();
}

void PaintPolarPair(QPainter& p, const Source& src, int band, double top) {
  const std::vector<int> bands = DatasheetPolarBands(src, band);
  const double width = kContent / 2;
  const char* titles[] = {"Horizontal plane (0 deg)", "Vertical plane (90 deg)"};
  for (int i = 0; i < 2; ++i) {
    const double left = kMargin + i * width;
    p.setFont(Font(9.5, true));
    p.setPen(Qt::black);
    p.drawText(QPointF(left, top), titles[i]);
    p.setFont(Font(6.5));
    PaintPolarCurves(p, QRectF(left, top + 6, width - 10, width - 10), src, i == 0 ? 0 : 9, bands);
  }
  // One legend for both diagrams.
  p.setFont(Font(8));
  double x = kMargin;
  const double y = top + width + 8;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    p.setPen(QPen(SheetCurveColour(i), 1.5));
    p.drawLine(QPointF(x, y - 3), QPointF(x + 16, y - 3));
    p.setPen(Qt::black);
    p.drawText(QPointF(x + 20, y), BandName(bands[i]));
    x += 20 + QFontMetricsF(p.font()).horizontalAdvance(BandName(bands[i])) + 16;
  }
  p.setPen(Qt::darkGray);
  p.drawText(QPointF(x + 10, y), "Rings every 10 dB below the plane's maximum");
}

// Makes sure the fonts and painters have the application they need.
void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fonderel-cli";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

bool EndsWithSvg(const std::string& path) {
  return QString::fromStdString(path).endsWith(".svg", Qt::CaseInsensitive);
}

}  // namespace

void PaintDatasheet(QPainter& p, const Source& src, int band) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double header = PaintHeader(p, src);
  const double table = PaintInfoTable(p, src, header);
  const double middle = table + 30;
  PaintBalloon(p, src, band, QRectF(kMargin, middle, kContent / 2 - 10, 210));
  p.setFont(Font(9.5, true));
  p.drawText(QPointF(kMargin + kContent / 2 + 4, middle - 6), "Coverage (-6 dB) and directivity index");
  p.setFont(Font(7));
  PaintCoverageChart(p, QRectF(kMargin + kContent / 2 + 4, middle + 4, kContent / 2 - 4, 206), src);
  PaintPolarPair(p, src, band, middle + 240);
}

std::expected<void, FileError> WriteDatasheet(const Source& src, int band, const std::string& path) {
  EnsureGuiApplication();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const QString title = Text(src.SourceName) + " - datasheet";
  bool painted = false;
  if (EndsWithSvg(path)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)));
    svg.setViewBox(QRectF(0, 0, kSheetWidth, kSheetHeight));
    svg.setResolution(72);
    svg.setTitle(title);
    QPainter painter;
    if ((painted = painter.begin(&svg))) {
      PaintDatasheet(painter, src, band);
      painted = painter.end();
    }
  } else {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(72);
    pdf.setTitle(title);
    pdf.setCreator("Fonderel");
    QPainter painter;
    if ((painted = painter.begin(&pdf))) {
      PaintDatasheet(painter, src, band);
      painted = painter.end();
    }
  }
  if (!painted || buffer.data().isEmpty()) {
    return std::unexpected(FileError{path, 0, "the datasheet could not be drawn", false});
  }
  const QByteArray& bytes = buffer.data();
  return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::expected<void, FileError> WriteDatasheetFromDialog(const Source& src, int band,
                                                        const std::string& path) {
  auto written = WriteDatasheet(src, band, Cp1252ToUtf8(path));
  if (!written) written.error().file = path;
  return written;
}

}  // namespace fonderel
