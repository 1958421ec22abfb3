// The desktop habits around the main window, offscreen: icons, shortcuts,
// the recent files above Exit, a file dropped on the window, and the window's
// size, place and state kept between runs.
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "DesktopHabits.h"
#include "GuiTest.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

// The File menu's items from Print Form on, as "name caption".
QStringList FileMenuTail(const MainWindow& window) {
  QStringList tail;
  bool after = false;
  for (QAction* a : window.findChild<QMenu*>("Fil")->actions()) {
    after = after || a->objectName() == "sepppa";
    if (after && a->isVisible())
      tail << a->objectName() + " " + (a->isSeparator() ? "-" : a->text());
  }
  return tail;
}

// A main window with its habits, reading and writing settings in a folder,
// started on `file`; message boxes are noted as "title|text" and answered `answer`.
struct Program {
  explicit Program(const QString& settingsFile, const QString& file = "",
                   MessageAnswer answer = MessageAnswer::Ok)
      : window(state), settings(settingsFile, QSettings::IniFormat), habits(window, settings) {
    habits.RestoreGeometry();
    window.show();
    QVERIFY(Startup(state, window.Platform(), file.toStdString()));
    AnswerMessages(window, answer, &shown);
  }
  AppState state;
  MainWindow window;
  QSettings settings;
  DesktopHabits habits;
  QStringList shown;
};

}  // namespace

class DesktopHabitsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Settings() const { return dir_.filePath("fonderel.ini"); }
  QStringList Stored() const {
    return QSettings(Settings(), QSettings::IniFormat).value("RecentFiles").toStringList();
  }
  QString Copy(const QString& name) const {
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    QFile::copy(kHorn, path);
    return path;
  }

 private slots:
  void init() { QFile::remove(Settings()); }

  void iconOnEveryWindowAndStandardShortcuts() {
    Program p(Settings());
    const QImage icon = FonderelIcon().pixmap(48).toImage();
    QVERIFY(!icon.isNull());
    QCOMPARE(QApplication::windowIcon().pixmap(48).toImage(), icon);
    for (QMdiSubWindow* child : p.window.Mdi()->subWindowList())
      QCOMPARE(child->windowIcon().pixmap(48).toImage(), icon);
    for (const QString k : {"FileNew Ctrl+N", "FileOpen Ctrl+O", "FIleSave Ctrl+S",
                            "FilePrint Ctrl+P", "FileExit Ctrl+Q", "HelpIndex F1"})
      QCOMPARE(p.window.Action(k.section(' ', 0, 0))->shortcut(), QKeySequence(k.section(' ', 1)));
  }

  void recentFilesAboveExitNewestFirstAtMostFour() {
    const QStringList files = {Copy("A.SPK"), Copy("B.SPK"), Copy("C.SPK"), Copy("D.SPK")};
    // A list kept by hand may repeat or hold more than four: four distinct ones show.
    QSettings(Settings(), QSettings::IniFormat)
        .setValue("RecentFiles", files + QStringList{files[0], ""});
    Program p(Settings());
    QCOMPARE(FileMenuTail(p.window),
             QStringList({"sepppa -", "FileRecent1 &1 " + files[0],
                          "FileRecent2 &2 " + files[1], "FileRecent3 &3 " + files[2],
                          "FileRecent4 &4 " + files[3], "sepRecent -", "FileExit E&xit"}));
    // File Open of a fifth file puts it first and drops the oldest.
    const QString fifth = Copy("E&F.SPK");
    GiveFile(p.window, fifth);
    p.window.Action("FileOpen")->trigger();
    QCOMPARE(p.window.Action("FileRecent1")->text(), "&1 " + dir_.filePath("E&&F.SPK"));
    QCOMPARE(Stored(), QStringList({fifth, files[0], files[1], files[2]}));
    // Reopening the third moves it up, reading it as File Open does.
    p.window.Action("FileRecent3")->trigger();
    QCOMPARE(p.window.windowTitle(), "Fonderel " + files[1]);
    QCOMPARE(Stored(), QStringList({files[1], fifth, files[0], files[2]}));
    // A file gone since is said so and leaves the list; the data stay.
    QFile::remove(files[0]);
    p.window.Action("FileRecent3")->trigger();
    QCOMPARE(p.shown,
             QStringList({"Warning|The file " + files[0] +
                          " cannot be found. It has been removed from the list of recent files."}));
    QCOMPARE(p.window.windowTitle(), "Fonderel " + files[1]);
    QCOMPARE(
        FileMenuTail(p.window).mid(1, 4),
        QStringList({"FileRecent1 &1 " + files[1], "FileRecent2 &2 " + dir_.filePath("E&&F.SPK"),
                     "FileRecent3 &3 " + files[2], "sepRecent -"}));
    QCOMPARE(Stored(), QStringList({files[1], fifth, files[2]}));
  }

  void aDroppedFileOpensAfterTheUnsavedDataQuestion() {
    const struct {
      MessageAnswer answer;
      QString title;  // the caption afterwards
    } cases[] = {{MessageAnswer::Cancel, "Fonderel " + kHorn},
                 {MessageAnswer::No, "Fonderel " + dir_.filePath("DROP.SPK")}};
    const QString dropped = Copy("DROP.SPK");
    for (const auto& c : cases) {
      Program p(Settings(), kHorn, c.answer);
      p.state.src.DataSaved = kFalse;
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(dropped)});
      const QPoint at = p.window.rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&p.window, &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&p.window, &drop);
      QTRY_COMPARE(p.shown.size(), 1);
      QVERIFY(p.shown[0].startsWith("Warning|"));
      QCOMPARE(p.window.windowTitle(), c.title);
    }
  }

  void sizePlaceAndStateKeptBetweenRuns() {
    const QRect normal(60, 50, 640, 420);  // within the offscreen 800 x 600 screen
    for (bool maximized : {false, true}) {
      {
        Program first(Settings());
        first.window.setGeometry(normal);
        if (maximized) first.window.showMaximized();
        QTRY_COMPARE(first.window.isMaximized(), maximized);
        first.window.close();
      }
      Program next(Settings());
      QTRY_COMPARE(next.window.isMaximized(), maximized);
      QCOMPARE(maximized ? next.window.normalGeometry() : next.window.geometry(), normal);
    }
  }
};

QTEST_MAIN(DesktopHabitsTest)
#include "DesktopHabitsTest.moc"
