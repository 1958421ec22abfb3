// Each view window drawn offscreen, in the Fusion style with a fixed font, on
// the example horn, and compared with its picture in tests/data/images/. The
// comparison forgives small differences of anti-aliasing: a pixel counts as
// different when a colour channel is off by more than 48, and a picture fails
// when more than 0.02 % of its pixels (at least 10) differ; a missing ring or a
// label drawn twice is more than that. A failing picture is written to
// the build's gui-output folder with a map of the differing pixels.
//
// A drawing changed on purpose: scripts/update-golden-images.sh writes the
// pictures anew (FONDEREL_UPDATE_IMAGES=1); look at them before committing.
#include <QComboBox>
#include <algorithm>
#include <QTest>
#include <cstdio>

#include "PolarWindow.h"
#include "support/GuiSession.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

const QString kImages = QStringLiteral(FONDEREL_TEST_DATA "/images");

// The horn at a fixed path, so the text log shows the same path everywhere;
// put there by a rename, so test runs side by side never see half a file.
QString FixedHorn() {
  const QString dir = "/tmp/fonderel-golden-images";
  QDir().mkpath(dir);
  const QString path = dir + "/HORN90X40.SPK";
  const QString copy = QString("%1/copy-%2").arg(dir).arg(QCoreApplication::applicationPid());
  QFile::remove(copy);
  QFile::copy(kHorn, copy);
  std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData());
  return path;
}

// The number of pixels that differ, with a map of them.
int Differing(const QImage& actual, const QImage& expected, QImage& map) {
  map = QImage(actual.size(), QImage::Format_RGB32);
  map.fill(Qt::white);
  int count = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y);
      const QRgb e = expected.pixel(x, y);
      if (qAbs(qRed(a) - qRed(e)) > 48 || qAbs(qGreen(a) - qGreen(e)) > 48 ||
          qAbs(qBlue(a) - qBlue(e)) > 48) {
        ++count;
        map.setPixel(x, y, qRgb(255, 0, 0));
      }
    }
  }
  return count;
}

}  // namespace

class GoldenImagesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseFixedLook(); }

  void viewWindowsLookAsBefore() {
    const bool update = qEnvironmentVariableIntValue("FONDEREL_UPDATE_IMAGES") == 1;
    GuiSession s(FixedHorn(), {1200, 800});
    QVERIFY(s.started);
    s.Trigger("WindowClose");
    // name of the picture, the command that shows the window, the window
    const struct {
      const char* image;
      const char* action;
      WindowId window;
    } views[] = {
        {"info", "ViewInfo", {ViewWindow::Info}},
        {"header", "ViewHeader", {ViewWindow::Header}},
        {"datas", "ViewData", {ViewWindow::Data}},
        {"balloon", "ViewBaloon", {ViewWindow::Balloon}},
        {"polar-0", "View2", {ViewWindow::Polar, 0}},
        {"polar-90", "View2", {ViewWindow::Polar, 1}},
        {"polar-band", "View2", {ViewWindow::PolarMain}},
        {"text-log", "ViewTextLog", {ViewWindow::TextLog}},
    };
    QDir().mkpath(FONDEREL_TEST_OUTPUT);
    QStringList failures;
    for (const auto& v : views) {
      s.Trigger(v.action);
      ChildWindow* child = s.window.Child(v.window);
      QVERIFY2(child->isVisible(), v.image);
      if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
      QApplication::processEvents();
      const QImage actual = child->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
      const QString golden = QString("%1/%2.png").arg(kImages, v.image);
      if (update) {
        QVERIFY(actual.save(golden));
        continue;
      }
      const QImage expected(golden);
      QVERIFY2(!expected.isNull(), qPrintable("no picture " + golden));
      QImage map;
      const int differing = actual.size() == expected.size() ? Differing(actual, expected, map)
                                                             : actual.width() * actual.height();
      const int allowed = std::max(10, actual.width() * actual.height() / 5000);
      if (differing > allowed) {
        actual.save(QString(FONDEREL_TEST_OUTPUT "/%1.png").arg(v.image));
        if (!map.isNull()) map.save(QString(FONDEREL_TEST_OUTPUT "/%1-diff.png").arg(v.image));
        failures << QString("%1: %2 pixels differ (%3 allowed), size %4x%5 for %6x%7")
                        .arg(v.image)
                        .arg(differing)
                        .arg(allowed)
                        .arg(actual.width())
                        .arg(actual.height())
                        .arg(expected.width())
                        .arg(expected.height());
      }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
  }
};

QTEST_MAIN(GoldenImagesTest)
#include "GoldenImagesTest.moc"
