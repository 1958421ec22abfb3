// The modal windows of the File menu on the offscreen platform. Interpolate
// Polar: its table, chart and buttons, loading each file kind, typing and
// drawing a plot, the balloon built into the views, and leaving without a
// result. Create Source ISO 3744: the user's input survives switching
// windows, the grid rounds typed levels, Display Lw shows the chart, OK
// creates the noise source and the window closes; also writes the manual's
// pictures.
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "GridWidget.h"
#include "GuiTest.h"
#include "Interpol.h"
#include "Iso3744Window.h"
#include "core/SafeFile.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

const QString kData = QStringLiteral(FONDEREL_TEST_DATA "/polar/");

QString Cell(const Interpol& w, int row, int col = 1) {
  return w.Grid()->item(row, col)->text();
}

// Runs `inside` on the modal window of File › Interpolate Polar; the window
// must be gone when the command returns.
void RunInterpolate(MainWindow& window, const std::function<void(Interpol&)>& inside) {
  WhileModal<Interpol>(window, "Interp", inside);
  QVERIFY(window.findChild<Interpol*>() == nullptr);
}

}  // namespace

class ModalWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseFixedLook(); }  // golden pictures need a fixed look

  // A PRN file loaded into the window; 6 dB typed at 90° of the vertical
  // plot of 1 kHz and its 180° point drawn with the mouse 10 dB below the
  // top; OK: ten bands in the Standard layout of the maximised main window,
  // the caption naming the result, and Save As writes it.
  void loadTypeDrawComputeSave() {
    UserSession s("", MessageAnswer::No);
    s.state.src.FirstBand = s.state.src.LastBand = 2;
    s.state.src.DataSaved = kFalse;
    const QString out = QDir::temp().filePath("fonderel-interpolate-test.SPK");
    QFile::remove(out);
    GiveFile(s.window, kData + "PRN_ZEROANGLES.prn");
    RunInterpolate(s.window, [&](Interpol& w) {
      QCOMPARE(w.windowTitle(), QString("Interpolate Polar"));
      QVERIFY(!s.state.src.HasData());
      QCOMPARE(Cell(w, 0, 0) + "|" + Cell(w, 0), QString::fromUtf8("Angle (°)|Value (dB)"));
      w.findChild<QPushButton*>("LoadFile")->click();
      QCOMPARE(Cell(w, 1) + "|" + Cell(w, 19), QString("61.0|52.0"));
      QVERIFY(w.findChild<QRadioButton*>("Horiz")->isChecked());
      QCOMPARE(s.window.windowTitle(), "Fonderel " + kData + "PRN_ZEROANGLES.SPK");

      w.findChild<QRadioButton*>("Vertic")->click();
      auto* frequency = w.findChild<QComboBox*>("Frequency");
      QCOMPARE(frequency->itemText(5), QString(" 1000 Hz"));
      frequency->setCurrentIndex(5);
      emit frequency->activated(5);
      QCOMPARE(Cell(w, 10), QString("57.0"));
      QTest::keyClick(frequency, Qt::Key_Return);  // Enter outside the table computes nothing
      QVERIFY(w.isVisible());
      w.Grid()->setFocus();
      w.Grid()->setCurrentCell(10, 1);
      QTest::keyClicks(w.Grid(), "66");
      QTest::keyClick(w.Grid(), Qt::Key_Return);
      QCOMPARE(Cell(w, 10), QString("66.0"));
      QTest::mouseClick(w.Picture(), Qt::LeftButton, {},
                        w.Picture()->ToWidget({-150, 0}).toPoint());
      QCOMPARE(w.Grid()->currentRow(), 19);
      QCOMPARE(Cell(w, 19), QString("56.0"));
      QVERIFY(LooksAsBefore(&w, "interpolate-polar"));
      w.findChild<QPushButton*>("Command1")->click();
    });
    QCOMPARE(s.messages.size(), 1);
    QVERIFY(s.messages[0].startsWith("Warning|The current data were not saved!"));
    QCOMPARE(s.state.src.FirstBand, 1);
    QCOMPARE(s.state.src.LastBand, 10);
    // 90° of the vertical plot of 1 kHz was typed as loud as the axis.
    QCOMPARE(s.state.src.BalloonData(9, 9, 6), s.state.src.BalloonData(0, 0, 6));
    QVERIFY(s.window.isMaximized());
    for (const WindowId id : {WindowId{ViewWindow::Info}, WindowId{ViewWindow::Balloon},
                              WindowId{ViewWindow::Polar, 0}, WindowId{ViewWindow::Header}})
      QVERIFY(s.window.Child(id)->isVisible());
    QCOMPARE(s.window.windowTitle(), "Fonderel " + kData + "PRN_ZEROANGLES.SPK");
    GiveFile(s.window, out);
    s.window.Action("FileSaveAs")->trigger();
    const auto bytes = ReadWholeFile(out.toStdString());
    QVERIFY(bytes.has_value() && bytes->size() > 10000);
    QCOMPARE(s.state.src.DataSaved, kTrue);
    QFile::remove(out);
  }

  // A CSV file builds the source itself and ends the window; a broken file
  // is reported and the window stays; closing it leaves an empty source.
  void csvBrokenAndCancelled() {
    UserSession s("", MessageAnswer::No);
    GiveFile(s.window, kData + "CSV_THREE.CSV");
    RunInterpolate(s.window, [&](Interpol& w) {
      w.findChild<QPushButton*>("LoadFile")->click();
      QVERIFY(!w.isVisible());
    });
    QCOMPARE(s.state.src.FirstBand, 4);
    QCOMPARE(s.state.src.LastBand, 9);
    QVERIFY(s.window.Child({ViewWindow::Info})->isVisible());

    QVERIFY(s.messages.isEmpty());
    GiveFile(s.window, kData + "missing.prn");
    s.window.Child({ViewWindow::Info})->hide();
    RunInterpolate(s.window, [&](Interpol& w) {
      w.findChild<QPushButton*>("LoadFile")->click();
      QVERIFY(w.isVisible());
      QCOMPARE(Cell(w, 1), QString("0.0"));
    });
    QCOMPARE(s.messages.size(), 2);  // the unsaved CSV source, then the read error
    QVERIFY(s.messages[1].startsWith("Read Error|") && s.messages[1].contains("missing.prn"));
    QVERIFY(!s.state.src.HasData());
    QVERIFY(!s.window.Child({ViewWindow::Info})->isVisible());
  }

  void inputSurvivesActivationAndOkCreatesTheSource() {
    UserSession s("", MessageAnswer::No);
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      QCOMPARE(iso.windowTitle(), QString("ISO 3744 (3746)"));
      auto* nmics = iso.findChild<QComboBox*>("Nmics");
      QCOMPARE(nmics->count(), 5);
      QCOMPARE(nmics->currentText(), QString("9"));
      QVERIFY(LooksAsBefore(&iso, "iso3744-window"));
      // Each dimension box sits on the row of its label.
      const QMap<QString, QString> boxes = {{"lenght (2a)", "lenght"},
                                            {"width   (2b) =", "widt"},
                                            {"height  (c)", "heigh"},
                                            {"Test Room Volume", "Volume"}};
      int placed = 0;
      for (const auto& label : iso.findChildren<QLabel*>()) {
        if (!boxes.contains(label->text())) continue;
        const QRect box = iso.findChild<QLineEdit*>(boxes[label->text()])->geometry();
        QVERIFY(qAbs(box.center().y() - label->geometry().center().y()) <= 2);
        ++placed;
      }
      QCOMPARE(placed, 4);
      // The user types a length and a level, then another window is active
      // and this one again: nothing is reset.
      auto* lenght = iso.findChild<QLineEdit*>("lenght");
      lenght->setFocus();
      lenght->selectAll();
      QTest::keyClicks(lenght, "3");
      QTest::keyClick(lenght, Qt::Key_Return);  // the box hands its text over
      auto* grid = iso.findChild<GridWidget*>("Grid1");
      grid->setFocus();
      QCOMPARE(s.state.Iso.DimA, 1.5f);
      grid->setCurrentCell(1, 1);
      QTest::keyClicks(grid, "85.27");
      QTest::keyClick(grid, Qt::Key_Return);
      QCOMPARE(grid->item(1, 1)->text(), QString("85.3"));
      QCOMPARE(s.state.MicLp(1, 1), 85.3f);
      QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
      QApplication::sendEvent(&iso, &deactivate);
      QApplication::sendEvent(&iso, &activate);
      QCOMPARE(lenght->text(), QString("3"));
      QCOMPARE(s.state.Iso.DimA, 1.5f);
      QCOMPARE(nmics->count(), 5);
      QCOMPARE(iso.Session().InputSaved, 0.0f);

      iso.findChild<QPushButton*>("DispLw")->click();
      auto* graph = iso.findChild<QWidget*>("Graph1");
      QVERIFY(graph->isVisible());
      QVERIFY(!iso.findChild<QWidget*>("Image1")->isVisible());
      QVERIFY(LooksAsBefore(&iso, "iso3744-chart"));
      QTest::mouseClick(graph, Qt::LeftButton);
      QVERIFY(!graph->isVisible());

      nmics->setCurrentIndex(3);
      emit nmics->activated(3);
      QVERIFY(LooksAsBefore(iso.findChild<QWidget*>("Image1"), "iso3744-hemisphere"));
      QVERIFY(!iso.findChild<QLineEdit*>("widt")->isVisible());
      nmics->setCurrentIndex(1);
      emit nmics->activated(1);

      iso.headingHook = [&] { s.state.src.SourceName = "PUMP"; };
      iso.findChild<QPushButton*>("OK")->click();
      QVERIFY(!iso.isVisible());
    });
    QCOMPARE(s.state.src.SourceName, std::string("PUMP"));
    QCOMPARE(s.state.src.FirstBand, std::int16_t(1));
    QCOMPARE(s.state.src.DataSaved, kFalse);
    QVERIFY(s.messages.size() >= 2);
    QCOMPARE(s.messages.back(), QString("Warning|") + kUnsavedSpkText);
  }
};

QTEST_MAIN(ModalWindowsTest)
#include "ModalWindowsTest.moc"
