// The measurement window on the offscreen platform, opened by File › Create
// Source ISO 3744: the user's input survives switching windows, the grid
// rounds typed levels, Display Lw shows the chart, OK creates the noise source
// and the window closes. Also writes the manual's pictures.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "GuiTest.h"
#include "Iso3744Window.h"

using namespace fonderel;
using namespace fonderel::test;

class Iso3744WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void inputSurvivesActivationAndOkCreatesTheSource() {
    AppState state;
    MainWindow window(state);
    window.show();
    QStringList messages;
    AnswerMessages(window, MessageAnswer::No, &messages);
    WhileModal<Iso3744Window>(window, "FileCreateNoise", [&](Iso3744Window& iso) {
      QCOMPARE(iso.windowTitle(), QString("ISO 3744 (3746)"));
      auto* nmics = iso.findChild<QComboBox*>("Nmics");
      QCOMPARE(nmics->count(), 5);
      QCOMPARE(nmics->currentText(), QString("9"));
      QVERIFY(SavePicture(&iso, "iso3744-window"));
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
      QVERIFY(SavePicture(&iso, "iso3744-chart"));
      QTest::mouseClick(graph, Qt::LeftButton);
      QVERIFY(!graph->isVisible());

      nmics->setCurrentIndex(3);
      emit nmics->activated(3);
      QVERIFY(SavePicture(iso.findChild<QWidget*>("Image1"), "iso3744-hemisphere"));
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
    QCOMPARE(messages.back(), QString("Warning|") + kUnsavedSpkText);
  }
};

QTEST_MAIN(Iso3744WindowTest)
#include "Iso3744WindowTest.moc"
