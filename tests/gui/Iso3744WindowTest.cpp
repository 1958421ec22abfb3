// The measurement window on the offscreen platform, opened by File › Create
// Source ISO 3744: the user's input survives switching windows, the grid
// rounds typed levels, Display Lw shows the chart, OK creates the noise source
// and the window closes. Also writes the manual's pictures.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Iso3744Window.h"
#include "MainWindow.h"
#include "QtPlatform.h"

using namespace fonderel;

namespace {

// Runs `body` on the measurement window once File › Create Source ISO 3744
// has opened it modally.
void WithIsoWindow(MainWindow& window, const std::function<void(Iso3744Window&)>& body) {
  bool ran = false;
  // The command lets pending events run before it opens the window, so the
  // timer waits for the window to be there.
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* iso = qobject_cast<Iso3744Window*>(QApplication::activeModalWidget());
    if (iso == nullptr || !iso->isVisible()) return;
    timer.stop();
    ran = true;
    body(*iso);
    if (iso->isVisible()) iso->reject();
  });
  timer.start();
  window.Action("FileCreateNoise")->trigger();
  QVERIFY(ran);
}

void Save(QWidget* w, const char* name) {
  QDir().mkpath(FONDEREL_TEST_OUTPUT);
  QVERIFY(w->grab().save(QString(FONDEREL_TEST_OUTPUT "/%1.png").arg(name)));
}

}  // namespace

class Iso3744WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void inputSurvivesActivationAndOkCreatesTheSource() {
    AppState state;
    MainWindow window(state);
    window.show();
    std::vector<std::string> messages;
    window.Platform().messageHook = [&](MessageIcon, MessageButtons, const std::string& title,
                                        const std::string& text) {
      messages.push_back(title + "|" + text);
      return MessageAnswer::No;
    };
    WithIsoWindow(window, [&](Iso3744Window& iso) {
      QCOMPARE(iso.windowTitle(), QString("ISO 3744 (3746)"));
      auto* nmics = iso.findChild<QComboBox*>("Nmics");
      QCOMPARE(nmics->count(), 5);
      QCOMPARE(nmics->currentText(), QString("9"));
      Save(&iso, "iso3744-window");
      // The user types a length and a level, then another window is active
      // and this one again: nothing is reset.
      auto* lenght = iso.findChild<QLineEdit*>("lenght");
      lenght->setFocus();
      lenght->selectAll();
      QTest::keyClicks(lenght, "3");
      QTest::keyClick(lenght, Qt::Key_Return);  // the box hands its text over
      auto* grid = iso.findChild<GridWidget*>("Grid1");
      grid->setFocus();
      QCOMPARE(state.Iso.DimA, 1.5f);
      grid->setCurrentCell(1, 1);
      QTest::keyClicks(grid, "85.27");
      QTest::keyClick(grid, Qt::Key_Return);
      QCOMPARE(grid->item(1, 1)->text(), QString("85.3"));
      QCOMPARE(state.MicLp(1, 1), 85.3f);
      QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
      QApplication::sendEvent(&iso, &deactivate);
      QApplication::sendEvent(&iso, &activate);
      QCOMPARE(lenght->text(), QString("3"));
      QCOMPARE(state.Iso.DimA, 1.5f);
      QCOMPARE(nmics->count(), 5);
      QCOMPARE(iso.Session().InputSaved, 0.0f);

      iso.findChild<QPushButton*>("DispLw")->click();
      auto* graph = iso.findChild<QWidget*>("Graph1");
      QVERIFY(graph->isVisible());
      QVERIFY(!iso.findChild<QWidget*>("Image1")->isVisible());
      Save(&iso, "iso3744-chart");
      QTest::mouseClick(graph, Qt::LeftButton);
      QVERIFY(!graph->isVisible());

      nmics->setCurrentIndex(3);
      emit nmics->activated(3);
      Save(iso.findChild<QWidget*>("Image1"), "iso3744-hemisphere");
      QVERIFY(!iso.findChild<QLineEdit*>("widt")->isVisible());
      nmics->setCurrentIndex(1);
      emit nmics->activated(1);

      iso.headingHook = [&] { state.src.SourceName = "PUMP"; };
      iso.findChild<QPushButton*>("OK")->click();
      QVERIFY(!iso.isVisible());
    });
    QCOMPARE(state.src.SourceName, std::string("PUMP"));
    QCOMPARE(state.src.FirstBand, std::int16_t(1));
    QCOMPARE(state.src.DataSaved, kFalse);
    QVERIFY(messages.size() >= 2);
    QCOMPARE(messages.back(), std::string("Warning|") + kUnsavedSpkText);
  }
};

QTEST_MAIN(Iso3744WindowTest)
#include "Iso3744WindowTest.moc"
