// The view windows on the offscreen platform: each opens on the example
// source and draws something, typing into the grids changes the data, the
// band selectors switch the band, Ctrl+C copies the DATAs selection.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "BalloonWindow.h"
#include "ChildWindow.h"
#include "DataWindow.h"
#include "InfoWindow.h"
#include "MainWindow.h"
#include "PolarWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"

using namespace fonderel;

namespace {

const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

bool HasContent(const QImage& image) {
  const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

// Opens the example source the way the program starts on it.
struct Session {
  AppState state;
  MainWindow window{state};
  Session() {
    window.resize(1400, 900);
    window.show();
    Startup(state, window.Platform(), kHorn.toStdString());
    window.Platform().messageHook = [](MessageIcon, MessageButtons, const std::string&,
                                       const std::string&) { return MessageAnswer::Ok; };
  }
  // Lets the next command's refresh run at once.
  void OpenThrottle() { state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1); }
};

}  // namespace

class ViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyViewDrawsTheSource() {
    Session s;
    QDir().mkpath(FONDEREL_TEST_OUTPUT);
    const std::pair<const char*, const char*> views[] = {
        {"ViewInfo", "InfoWindow"},          {"ViewData", "DATAsWindow"},
        {"ViewBaloon", "BalloonWindow"},     {"View2", "PolWindow0"},
        {"ViewAll", "PolWindow17"},          {"ViewAll", "PolarMainWindow"},
    };
    for (const auto& [command, name] : views) {
      s.OpenThrottle();
      s.window.Action(command)->trigger();
      auto* child = s.window.findChild<ChildWindow*>(name);
      QVERIFY2(child && child->isVisible(), name);
      const QImage image = child->grab().toImage();
      QVERIFY(image.save(QString(FONDEREL_TEST_OUTPUT "/%1.png").arg(name)));
      QVERIFY2(HasContent(image), name);
    }
    QCOMPARE(s.window.Child({ViewWindow::Polar, 17})->windowTitle(),
             QString::fromUtf8("Angle of plot = 170\u00B0"));
    QVERIFY(s.window.Polar(5)->Chart().has_value());
    QCOMPARE(s.window.BalloonView()->Selector()->count(), 10);
    QCOMPARE(s.window.BalloonView()->Selector()->currentText(), QString(" 125 Hz"));
  }

  void typingIntoTheInfoGridStoresTheValue() {
    Session s;
    s.window.Action("ViewInfo")->trigger();
    GridWidget* grid = s.window.Info()->Grid();
    grid->setFocus();
    grid->setCurrentCell(1, 3);
    QTest::keyClicks(grid, "12.5");
    QCOMPARE(s.window.findChild<QLineEdit*>("Icell")->text(), QString("12.5"));
    s.OpenThrottle();
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(s.state.src.Lw(3), 12.5f);
    QCOMPARE(grid->item(1, 3)->text(), QString("12.50"));
    QCOMPARE(s.state.src.DataSaved, kFalse);
    // A letter or a minus sign types nothing.
    QTest::keyClicks(grid, "a-");
    QVERIFY(s.state.Entry.EntryText.empty());
  }

  void bandSelectorSwitchesTheDataTable() {
    Session s;
    s.window.Action("ViewData")->trigger();
    QComboBox* selector = s.window.Data()->Selector();
    QCOMPARE(selector->currentIndex(), 2);
    s.OpenThrottle();
    selector->setCurrentIndex(5);
    emit selector->activated(5);
    QCOMPARE(s.state.SelectedBand, 6.0f);
    QCOMPARE(s.window.Data()->Grid()->item(1, 1)->text(), QString("6.288"));
  }

  // A selection dragged down and right ends at the current cell; Cut zeroes
  // the values from where it began.
  void cutOfADraggedSelectionZeroesItsValues() {
    Session s;
    s.window.Action("ViewData")->trigger();
    GridWidget* grid = s.window.Data()->Grid();
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(grid->currentRow(), 2);
    const GridSelection sel = grid->Selection();
    QCOMPARE(sel.row, 1);
    QCOMPARE(sel.rowSel, 2);
    QVERIFY(s.state.src.BalloonData(1, 1, 3) > 0.0f);
    s.window.Action("EditCut")->trigger();
    for (int p = 0; p < 2; ++p) {
      for (int k = 0; k < 2; ++k) QCOMPARE(s.state.src.BalloonData(p, k, 3), 0.0f);
    }
    QVERIFY(s.state.src.BalloonData(2, 2, 3) > 0.0f);
  }

  void ctrlCCopiesTheSelection() {
    Session s;
    s.window.Action("ViewData")->trigger();
    GridWidget* grid = s.window.Data()->Grid();
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    grid->setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString clip = QApplication::clipboard()->text();
    QVERIFY2(clip.startsWith("1.623\t1.617\n"), qPrintable(clip));
  }
};

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
