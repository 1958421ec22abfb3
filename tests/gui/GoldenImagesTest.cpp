// Each view window and the datasheet's page drawn offscreen, in the Fusion
// style with a fixed font, on the example horn, and compared with its picture
// in tests/data/images/ (GoldenPictureFailure: a missing ring or a label drawn
// twice fails, anti-aliasing does not).
//
// A drawing changed on purpose: scripts/update-golden-images.sh writes the
// pictures anew (FONDEREL_UPDATE_IMAGES=1); look at them before committing.
#include <QComboBox>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "Datasheet.h"
#include "GuiTest.h"
#include "PolarWindow.h"

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
    // A line: the picture's name, the command that shows the window, the window.
    const QStringList views = DataLines("golden-views.tsv");
    QStringList images = {"datasheet.png"};
    for (const QString& v : views) images << v.section('\t', 0, 0) + ".png";
    images.sort();
    if (!update) QCOMPARE(images, QDir(kImages).entryList({"*.png"}, QDir::Files, QDir::Name));
    QStringList failures;
    const auto compare = [&](const QString& name, const QImage& actual) {
      if (const QString failure = GoldenPictureFailure(name, actual); !failure.isEmpty())
        failures << failure;
    };
    for (const QString& view : views) {
      const QStringList v = view.split('\t');
      s.Trigger(qPrintable(v[1]));
      auto* child = s.window.findChild<ChildWindow*>(v[2]);
      QVERIFY2(child && child->isVisible(), qPrintable(view));
      if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
      QApplication::processEvents();
      compare(v[0], child->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
    // The datasheet's page of 1 kHz, a pixel a point.
    QImage page(int(kSheetWidth), int(kSheetHeight), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintDatasheet(painter, s.state.src, 6);
    painter.end();
    compare("datasheet", page);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
  }
};

QTEST_MAIN(GoldenImagesTest)
#include "GoldenImagesTest.moc"
