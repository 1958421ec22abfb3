// The desktop program on the offscreen platform: the menu as users see it,
// start-up, File Open through QtPlatform, child windows that hide on close,
// the Header window's band check, and the close question.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTest>

#include "ChildWindow.h"
#include "HeaderWindow.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/FileCommands.h"
#include "app/HeaderEditing.h"
#include "app/Startup.h"

using namespace fonderel;

namespace {

const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

// Every item of the menu bar in order: "menu/item/caption", separators as "-".
QStringList MenuLayout(const MainWindow& window) {
  QStringList layout;
  for (QAction* top : window.menuBar()->actions()) {
    QMenu* menu = top->menu();
    for (QAction* item : menu->actions()) {
      layout << menu->objectName() + "/" + item->objectName() + "/" +
                    (item->isSeparator() ? "-" : item->text()) + (item->isEnabled() ? "" : " (off)");
    }
  }
  return layout;
}

// True when the picture holds more than one colour.
bool HasContent(const QImage& image) {
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void menuHasEveryItemWithCaptionAndName() {
    AppState state;
    MainWindow window(state);
    const QStringList expected = {
        "Fil/FileNew/&New",
        "Fil/FileOpen/&Open...",
        "Fil/FIleSave/&Save",
        "Fil/FileSaveAs/Save &As...",
        "Fil/c/-",
        "Fil/FileImport/&Import Catt/Modeler/Ease...",
        "Fil/Interp/In&terpolate Polar...",
        "Fil/FileCreate/&Create Source (BZ)...",
        "Fil/FileCreateNoise/C&reate Source ISO 3744...",
        "Fil/cc/-",
        "Fil/AttachRAY/Attach source geometry...",
        "Fil/sepatt/-",
        "Fil/Filepsetup/Printer Set&up...",
        "Fil/FilePrint/&Print Form ...",
        "Fil/FileDatasheet/Export Datasheet...",
        "Fil/sepppa/-",
        "Fil/FileExit/E&xit",
        "Edi/EditCut/Cu&t (off)",
        "Edi/EditCopy/&Copy (off)",
        "Edi/EditPaste/&Paste (off)",
        "Edi/EditDelete/&Delete (off)",
        "View/ViewBaloon/&Balloon",
        "View/View2/Curves(&2)",
        "View/ViewAll/Curves(&All)",
        "View/ccc/-",
        "View/ViewHeader/&Header",
        "View/ViewInfo/&Info",
        "View/ViewData/&Data",
        "View/ViewTextLog/&Text Log",
        "View/hsep/-",
        "View/WinStandard/&Standard",
        "View/septor/-",
        "View/ViewGeometry/&Geometry (off)",
        "View/sepcov/-",
        "View/ViewCoverage/Coverage",
        "Wind/WindowTile/Tile &Horizontally",
        "Wind/WindowTileV/Tile &Vertically",
        "Wind/WindowCascade/&Cascade",
        "Wind/WindowArrangeIcons/&Arrange Icons",
        "Wind/Wsep/-",
        "Wind/WindowIconize/&Iconize All",
        "Wind/WindowDeicon/&Deiconize All",
        "Wind/WindowClose/&Close All",
        "Wind/sepp/-",
        "Wind/formclear/C&lear Text Log",
        "Help/HelpIndex/&Index...",
        "Help/HelpAbout/&About...",
    };
    QCOMPARE(MenuLayout(window), expected);
    QStringList captions;
    for (QAction* top : window.menuBar()->actions()) captions << top->text();
    QCOMPARE(captions, QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
    QCOMPARE(window.objectName(), QString("Fonderel"));
  }

  void startsWithChildWindowsHiddenAndEmptyCaption() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), ""));
    QCOMPARE(window.windowTitle(), QString("Fonderel "));
    QCOMPARE(window.Mdi()->subWindowList().size(), 25);
    for (QMdiSubWindow* child : window.Mdi()->subWindowList()) QVERIFY(!child->isVisible());
    QVERIFY(state.log.Lines().empty());
  }

  void fileOpenLoadsAndLogs() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), ""));
    window.Platform().fileDialogHook = [](FileDialogKind, const FileDialogSettings&) {
      return std::optional<std::string>(kHorn.toStdString());
    };
    window.Action("FileOpen")->trigger();
    QCOMPARE(state.src.FirstBand, std::int16_t{3});
    QCOMPARE(state.src.LastBand, std::int16_t{8});
    QCOMPARE(window.windowTitle(), "Fonderel " + kHorn);
    auto* list = window.findChild<QListWidget*>("List1");
    QVERIFY(list != nullptr);
    QVERIFY(list->count() > 10);
    QCOMPARE(list->item(1)->text(), "Reading Source Description from: " + kHorn);
    QCOMPARE(list->item(2)->text(), QString("Source NameHorn 90x40 two-way"));
    QCOMPARE(list->currentRow(), list->count() - 1);
    QVERIFY(window.Child({ViewWindow::TextLog})->isVisible());
  }

  void fileOpenImportsAnEaseFileWithItsLoudspeakerChoice() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), ""));
    const QString dir = QDir::tempPath() + "/fonderel-gui-import";
    QDir().mkpath(dir);
    const QString eas = dir + "/multi.eas";
    QFile::remove(eas);
    QVERIFY(QFile::copy(FONDEREL_TEST_DATA "/import/EASE3_MULTI.EAS", eas));
    window.Platform().fileDialogHook = [&](FileDialogKind, const FileDialogSettings&) {
      return std::optional<std::string>(eas.toStdString());
    };
    QStringList offered;
    window.Platform().loudspeakerHook = [&](const std::vector<std::string>& names) {
      for (const std::string& n : names) offered << QString::fromStdString(n);
      return std::optional<std::string>("horn");
    };
    window.Action("FileOpen")->trigger();
    QCOMPARE(offered, QStringList({"Horn", "horn", "Sub 18"}));
    QCOMPARE(QString::fromStdString(state.src.SourceName), QString("horn"));
    QVERIFY(state.src.HasData());
    QCOMPARE(window.windowTitle(), "Fonderel " + dir + "/multi.SPK");
    QCOMPARE(state.src.DataSaved, kTrue);
  }

  void closingAChildWindowOnlyHidesIt() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), kHorn.toStdString()));
    ChildWindow* log = window.Child({ViewWindow::TextLog});
    log->show();
    const int lines = static_cast<int>(state.log.Lines().size());
    QVERIFY(lines > 0);
    log->close();
    QVERIFY(!log->isVisible());
    QCOMPARE(window.Mdi()->subWindowList().size(), 25);
    window.Action("ViewTextLog")->trigger();
    QVERIFY(log->isVisible());
    QCOMPARE(window.findChild<QListWidget*>("List1")->count(), lines);
  }

  void headerBandCheckNarrowsTheRange() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), kHorn.toStdString()));
    auto* hiBand = window.findChild<QLineEdit*>("HiBand");
    QVERIFY(hiBand != nullptr);
    QCOMPARE(hiBand->text(), QString(" 4000 Hz"));
    QStringList asked;
    window.Platform().inputHook = [&](const std::string& title, const std::string&) {
      asked << QString::fromStdString(title);
      return std::optional<std::string>("1000");
    };
    hiBand->setText("1100");
    emit hiBand->editingFinished();
    QCOMPARE(asked, QStringList({kBandAskTitle}));
    QCOMPARE(state.src.LastBand, std::int16_t{6});
    QCOMPARE(hiBand->text(), QString(" 1000 Hz"));
    QCOMPARE(state.src.DataSaved, kFalse);
  }

  void cancelledCloseKeepsTheProgramRunning() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), kHorn.toStdString()));
    state.src.DataSaved = kFalse;
    QStringList titles;
    window.Platform().messageHook = [&](MessageIcon, MessageButtons, const std::string& title,
                                        const std::string&) {
      titles << QString::fromStdString(title);
      return MessageAnswer::Cancel;
    };
    window.Action("FileExit")->trigger();
    QCOMPARE(titles, QStringList({"Warning"}));
    QVERIFY(window.isVisible());
    QCOMPARE(state.Quitting, kFalse);
    // With the closing stopped, a child window still only hides.
    ChildWindow* log = window.Child({ViewWindow::TextLog});
    log->show();
    log->close();
    QCOMPARE(window.Mdi()->subWindowList().size(), 25);
  }

  void printFormWritesTheBalloonWindowToAPdf() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), kHorn.toStdString()));
    QDir().mkpath(FONDEREL_TEST_OUTPUT);
    const QString pdf = FONDEREL_TEST_OUTPUT "/print-form.pdf";
    QFile::remove(pdf);
    window.Platform().Printer().setOutputFormat(QPrinter::PdfFormat);
    window.Platform().Printer().setOutputFileName(pdf);
    QList<int> flags;
    window.Platform().printerDialogHook = [&](int f) {
      flags << f;
      return true;
    };
    window.Action("FilePrint")->trigger();
    QCOMPARE(flags, QList<int>({0}));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(file.size() > 1000);
    window.Action("Filepsetup")->trigger();
    QCOMPARE(flags, QList<int>({0, 64}));
  }

  void everyWindowDrawsSomething() {
    AppState state;
    MainWindow window(state);
    window.resize(1200, 800);
    window.show();
    QVERIFY(Startup(state, window.Platform(), kHorn.toStdString()));
    window.Action("ViewTextLog")->trigger();
    QDir().mkpath(FONDEREL_TEST_OUTPUT);
    const QImage main = window.grab().toImage();
    QVERIFY(main.save(FONDEREL_TEST_OUTPUT "/main-window.png"));
    QVERIFY(HasContent(main));
    for (const char* name : {"HeaderWindow", "TextLog"}) {
      auto* child = window.findChild<ChildWindow*>(name);
      QVERIFY2(child != nullptr, name);
      const QImage image = child->grab().toImage();
      QVERIFY(image.save(QString(FONDEREL_TEST_OUTPUT "/%1.png").arg(name)));
      QVERIFY2(HasContent(image), name);
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
