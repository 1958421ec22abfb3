// Edits as a user makes them in the real windows: every way of storing a
// value makes File › New ask, merely visiting the band fields does not, and
// the Pointed Datum boxes show the value the current cell holds.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "DataWindow.h"
#include "InfoWindow.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"
#include "core/NumberText.h"

using namespace fonderel;

namespace {

const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

// The example source as at start-up; message boxes are counted and answered
// Cancel, so an asked File › New leaves everything as it is.
struct Session {
  AppState state;
  MainWindow window{state};
  QStringList asked;
  Session() {
    window.resize(1400, 900);
    window.show();
    Startup(state, window.Platform(), kHorn.toStdString());
    window.Platform().messageHook = [this](MessageIcon, MessageButtons, const std::string& title,
                                           const std::string&) {
      asked << QString::fromStdString(title);
      return MessageAnswer::Cancel;
    };
  }
  void Run(const char* command) {
    state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1);
    window.Action(command)->trigger();
  }
  GridWidget* DataGrid(int row, int col) {
    Run("ViewData");
    GridWidget* grid = window.Data()->Grid();
    grid->setFocus();
    grid->setCurrentCell(row, col);
    return grid;
  }
  GridWidget* InfoGrid(int row, int col) {
    Run("ViewInfo");
    GridWidget* grid = window.Info()->Grid();
    grid->setFocus();
    grid->setCurrentCell(row, col);
    return grid;
  }
  QString Box(const char* name) { return window.findChild<QLineEdit*>(name)->text(); }
  // What a box shows for a stored balloon value of the selected band.
  QString Stored(int row, int col) {
    const int band = static_cast<int>(state.SelectedBand);
    return QString::fromStdString(SingleText(state.src.BalloonData(row - 1, col - 1, band)));
  }
};

}  // namespace

class UnsavedEditsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each way of editing, then File › New: asked or not.
  void everyStoredValueMakesNewAsk() {
    const struct {
      const char* edit;
      std::function<void(Session&)> run;
      bool asks;
    } cases[] = {
        {"Info, Down arrow",
         [](Session& s) {
           QTest::keyClicks(s.InfoGrid(1, 3), "12.5");
           QTest::keyClick(s.window.Info()->Grid(), Qt::Key_Down);
         },
         true},
        {"DATAs, Right arrow",
         [](Session& s) {
           QTest::keyClicks(s.DataGrid(2, 2), "1.5");
           QTest::keyClick(s.window.Data()->Grid(), Qt::Key_Right);
         },
         true},
        {"Edit Cut",
         [](Session& s) {
           s.DataGrid(1, 1);
           s.Run("EditCut");
         },
         true},
        {"Edit Paste",
         [](Session& s) {
           s.DataGrid(1, 1);
           QApplication::clipboard()->setText("2.5");
           s.Run("EditPaste");
         },
         true},
        {"Noise Source button",
         [](Session& s) {
           s.Run("ViewInfo");
           s.window.findChild<QRadioButton*>("NoiseBtn")->click();
         },
         true},
        {"Edit Delete (the values stay)",
         [](Session& s) {
           s.DataGrid(1, 1);
           s.Run("EditDelete");
         },
         false},
        {"band fields visited, nothing changed",
         [](Session& s) {
           for (const char* name : {"LoBand", "HiBand"}) {
             emit s.window.findChild<QLineEdit*>(name)->editingFinished();
           }
         },
         false},
        {"last band changed",
         [](Session& s) {
           auto* hiBand = s.window.findChild<QLineEdit*>("HiBand");
           hiBand->setText("2000");
           emit hiBand->editingFinished();
         },
         true},
    };
    for (const auto& c : cases) {
      Session s;
      c.run(s);
      s.Run("FileNew");
      QVERIFY2(s.asked == (c.asks ? QStringList{"Warning"} : QStringList{}), c.edit);
    }
  }

  // After each change the Pointed datum box shows the stored value of the
  // current cell (the typed 2.3456 is stored as 2.35).
  void pointedDatumFollowsTheStoredValue() {
    const struct {
      const char* change;
      std::function<void(Session&)> run;
    } cases[] = {
        {"typed and Enter",
         [](Session& s) {
           QTest::keyClicks(s.DataGrid(1, 1), "2.3456");
           QTest::keyClick(s.window.Data()->Grid(), Qt::Key_Return);
         }},
        {"Edit Paste",
         [](Session& s) {
           s.DataGrid(1, 1);
           QApplication::clipboard()->setText("7.25");
           s.Run("EditPaste");
         }},
        {"Edit Cut",
         [](Session& s) {
           s.DataGrid(1, 1);
           s.Run("EditCut");
         }},
        {"band chosen",
         [](Session& s) {
           s.DataGrid(1, 1);
           QComboBox* selector = s.window.Data()->Selector();
           s.state.LastRefreshTime = 0;
           selector->setCurrentIndex(5);
           emit selector->activated(5);
         }},
        {"another file opened",
         [](Session& s) {
           s.DataGrid(1, 1);
           s.window.Platform().fileDialogHook = [](FileDialogKind, const FileDialogSettings&) {
             return std::optional<std::string>(FONDEREL_TEST_DATA "/LOUD_3_8.SPK");
           };
           s.Run("FileOpen");
         }},
    };
    for (const auto& c : cases) {
      Session s;
      c.run(s);
      QVERIFY2(s.Box("Cell") == s.Stored(1, 1), c.change);
    }
    // The Info box shows the cell as the table shows it, also after opening.
    Session s;
    s.InfoGrid(1, 6);
    s.window.Platform().fileDialogHook = [](FileDialogKind, const FileDialogSettings&) {
      return std::optional<std::string>(FONDEREL_TEST_DATA "/LOUD_3_8.SPK");
    };
    s.Run("FileOpen");
    QCOMPARE(s.Box("Icell"), s.window.Info()->Grid()->item(1, 6)->text());
    QCOMPARE(s.Box("Icell"), QString("99.00"));
  }
};

QTEST_MAIN(UnsavedEditsTest)
#include "UnsavedEditsTest.moc"
