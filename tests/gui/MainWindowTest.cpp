// The main window: its menu as users see it, File Open of a foreign file,
// child windows that only hide when closed, and Print Form.
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"

using namespace fonderel;
using namespace fonderel::test;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Each menu as in tests/data/gui/menus.txt: "name caption" items,
  // separators "-", disabled items "(off)".
  void menuHasEveryItemWithCaptionAndName() {
    GuiSession s("");
    QStringList menus;
    for (QAction* top : s.window.menuBar()->actions()) {
      QStringList items;
      for (QAction* item : top->menu()->actions()) {
        items << (item->isSeparator() ? QString("-")
                                      : item->objectName() + " " + item->text() +
                                            (item->isEnabled() ? "" : " (off)"));
      }
      menus << top->menu()->objectName() + " " + top->text() + ": " + items.join(" | ");
    }
    const QStringList want = DataLines("menus.txt");
    QVERIFY(!want.isEmpty());
    QCOMPARE(menus, want);
    QCOMPARE(s.window.objectName(), QString("Fonderel"));
    QCOMPARE(s.window.windowTitle(), QString("Fonderel "));
    QVERIFY(s.state.log.Lines().empty());
  }

  // An EASE file holding several loudspeakers is opened after the choice of one.
  void fileOpenImportsAnEaseFileWithItsLoudspeakerChoice() {
    GuiSession s("");
    QTemporaryDir dir;
    const QString eas = dir.filePath("multi.eas");
    QVERIFY(QFile::copy(FONDEREL_TEST_DATA "/import/EASE3_MULTI.EAS", eas));
    GiveFile(s.window, eas);
    QStringList offered;
    s.window.Platform().loudspeakerHook = [&](const std::vector<std::string>& names) {
      for (const std::string& n : names) offered << QString::fromStdString(n);
      return std::optional<std::string>("horn");
    };
    s.Trigger("FileOpen");
    QCOMPARE(offered, QStringList({"Horn", "horn", "Sub 18"}));
    QCOMPARE(QString::fromStdString(s.state.src.SourceName), QString("horn"));
    QCOMPARE(s.window.windowTitle(), "Fonderel " + dir.filePath("multi.SPK"));
    QCOMPARE(s.state.src.DataSaved, kTrue);
  }

  // Closing a child window hides it; View brings the same window back with
  // its lines, also after an Exit that the user cancelled.
  void closingAChildWindowOnlyHidesIt() {
    GuiSession s;
    AnswerMessages(s.window, MessageAnswer::Cancel);
    for (const bool afterCancelledExit : {false, true}) {
      if (afterCancelledExit) {
        s.state.src.DataSaved = kFalse;
        s.Trigger("FileExit");
        QVERIFY(s.window.isVisible());
      }
      ChildWindow* log = s.Child(ViewWindow::TextLog);
      auto* list = s.window.findChild<QListWidget*>("List1");
      s.Trigger("ViewTextLog");
      const int lines = list->count();
      QVERIFY(lines > 10);
      log->close();
      QVERIFY(!log->isVisible());
      QCOMPARE(s.window.Mdi()->subWindowList().size(), 7 + kPolarWindows);
      s.Trigger("ViewTextLog");
      QVERIFY(log->isVisible());
      QCOMPARE(list->count(), lines);
      QCOMPARE(list->item(1)->text(), "Reading Source Description from: " + kHorn);
    }
  }

  // Print Form prints the balloon window (here to a PDF) after the printer
  // dialog; Printer Setup asks with the setup flag.
  void printFormWritesTheBalloonWindowToAPdf() {
    GuiSession s;
    QDir().mkpath(FONDEREL_TEST_OUTPUT);
    const QString pdf = FONDEREL_TEST_OUTPUT "/print-form.pdf";
    QFile::remove(pdf);
    s.window.Platform().Printer().setOutputFormat(QPrinter::PdfFormat);
    s.window.Platform().Printer().setOutputFileName(pdf);
    QList<int> flags;
    s.window.Platform().printerDialogHook = [&](int f) {
      flags << f;
      return true;
    };
    s.Trigger("FilePrint");
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-" && file.size() > 1000);
    s.Trigger("Filepsetup");
    QCOMPARE(flags, QList<int>({0, 64}));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
