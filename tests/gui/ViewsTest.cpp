// Typing into the view windows' grids, the band selectors, the Edit menu
// and the clipboard, through the real widgets.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "DataWindow.h"
#include "InfoWindow.h"
#include "support/GuiSession.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

QString EditMenu(const MainWindow& window) {
  QString on;
  for (const char* name : {"EditCut", "EditCopy", "EditPaste", "EditDelete"})
    on += window.Action(name)->isEnabled() ? "X" : "-";
  return on;
}

}  // namespace

class ViewsTest : public QObject {
  Q_OBJECT

 private slots:
  // Digits and the full stop go to the edit box and, on Enter, into the cell;
  // a letter or a minus sign types nothing and leaves the edit box alone.
  void typingIntoTheInfoGridStoresTheValue() {
    GuiSession s;
    s.Trigger("ViewInfo");
    GridWidget* grid = s.window.Info()->Grid();
    auto* box = s.window.findChild<QLineEdit*>("Icell");
    grid->setFocus();
    grid->setCurrentCell(1, 3);
    QTest::keyClicks(grid, "12.5");
    QCOMPARE(box->text(), QString("12.5"));
    QTest::keyClicks(grid, "a-");
    QCOMPARE(box->text(), QString("12.5"));
    s.OpenThrottle();
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(s.state.src.Lw(3), 12.5f);
    QCOMPARE(grid->item(1, 3)->text(), QString("12.50"));
    QCOMPARE(s.state.src.DataSaved, kFalse);
    const QString shown = box->text();
    QTest::keyClicks(grid, "a-");
    QVERIFY(s.state.Entry.EntryText.empty());
    QCOMPARE(box->text(), shown);
  }

  // The Edit menu works while the DATAs grid has the focus and not after it.
  // A selection dragged down and right ends at the current cell; Ctrl+C
  // copies it as tab-separated rows; Cut zeroes the values from where it began.
  // The band selector then switches the table to another band.
  void editMenuCopyCutAndBandSelector() {
    GuiSession s;
    s.Trigger("ViewData");
    GridWidget* grid = s.window.Data()->Grid();
    s.window.activateWindow();
    grid->setFocus();
    QApplication::processEvents();
    QCOMPARE(EditMenu(s.window).left(2), QString("XX"));
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(grid->currentRow(), 2);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QVERIFY2(QApplication::clipboard()->text().startsWith("1.623\t1.617\n"),
             qPrintable(QApplication::clipboard()->text()));
    QVERIFY(s.state.src.BalloonData(1, 1, 3) > 0.0f);
    s.window.Action("EditCut")->trigger();
    for (int p = 0; p < 4; ++p) QCOMPARE(s.state.src.BalloonData(p / 2, p % 2, 3), 0.0f);
    QVERIFY(s.state.src.BalloonData(2, 2, 3) > 0.0f);
    s.window.findChild<QLineEdit*>("Cell")->setFocus();
    QApplication::processEvents();
    QCOMPARE(EditMenu(s.window), QString("----"));
    QComboBox* selector = s.window.Data()->Selector();
    QCOMPARE(selector->count(), 10);
    QCOMPARE(selector->currentIndex(), 2);
    s.OpenThrottle();
    selector->setCurrentIndex(5);
    emit selector->activated(5);
    QCOMPARE(s.state.SelectedBand, 6.0f);
    QCOMPARE(grid->item(1, 1)->text(), QString("6.288"));
    QCOMPARE(grid->columnCount(), 37);
  }
};

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
