// The main window: its menu as users see it, child windows that only hide
// when closed, and Print Form; the real dialogs and input boxes, answered the
// way a user answers them: what each shows, and what OK, Yes, No and Cancel
// give back to the program; and the desktop
// habits around it: icons, shortcuts, the recent files above Exit, a file
// dropped on the window, and the window's size, place and state kept
// between runs.
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "DesktopHabits.h"
#include "GuiTest.h"
#include "HeadingsDialog.h"
#include "SelectLoudspeaker.h"
#include "app/HeaderEditing.h"

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

class MainWindowTest : public QObject {
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

  void messageBoxButtonsGiveTheirAnswer() {
    using B = QMessageBox::StandardButton;
    const struct {
      MessageButtons buttons;
      QMessageBox::StandardButtons shown;
      B clicked;
      MessageAnswer answer;
    } cases[] = {
        {MessageButtons::Ok, B::Ok, B::Ok, MessageAnswer::Ok},
        {MessageButtons::OkCancel, B::Ok | B::Cancel, B::Ok, MessageAnswer::Ok},
        {MessageButtons::OkCancel, B::Ok | B::Cancel, B::Cancel, MessageAnswer::Cancel},
        {MessageButtons::YesNo, B::Yes | B::No, B::Yes, MessageAnswer::Yes},
        {MessageButtons::YesNo, B::Yes | B::No, B::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, B::Yes | B::No | B::Cancel, B::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel, MessageAnswer::Cancel},
    };
    GuiSession s("");
    for (const auto& c : cases) {
      QString shown;
      WhenDialogShows([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        shown = box->windowTitle() + "|" + box->text();
        QCOMPARE(box->standardButtons(), c.shown);
        box->button(c.clicked)->click();
      });
      const MessageAnswer answer = s.window.Platform().ShowMessage(
          MessageIcon::Question, c.buttons, "Warning", "Two lines:\r\nCaf\xE9 au lait");
      QCOMPARE(int(answer), int(c.answer));
      QCOMPARE(shown, QString::fromUtf8("Warning|Two lines:\nCaf\u00E9 au lait"));
    }
  }

  // A last band above the range asks once for a valid frequency: OK with
  // 1000 narrows the range to 1 kHz. (What Cancel and other answers do is
  // HeaderEditing's; an input box's Cancel is below.)
  void headerBandQuestionOk() {
    GuiSession s;
    s.Trigger("ViewHeader");
    auto* hiBand = s.window.findChild<QLineEdit*>("HiBand");
    QCOMPARE(hiBand->text(), QString(" 4000 Hz"));
    int asked = 0;
    WhenDialogShows([&](QWidget* dialog) {
      auto* box = qobject_cast<QInputDialog*>(dialog);
      ++asked;
      QCOMPARE(box->windowTitle() + "|" + box->labelText(),
               QString(kBandAskTitle) + "|" + kBandAskPrompt);
      box->setTextValue("1000");
      box->accept();
    });
    hiBand->setFocus();
    hiBand->setText("1100");
    QTest::keyClick(hiBand, Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(asked, 1);
    QCOMPARE(s.state.src.LastBand, std::int16_t(6));
    QCOMPARE(hiBand->text(), QString(" 1000 Hz"));
    QCOMPARE(s.state.src.DataSaved, kFalse);
  }

  // An input box gives the typed text on OK. The loudspeaker selection lists
  // the names in file order; "OK - done" works only once one is selected and
  // gives it. Cancel gives nothing.
  void inputBoxAndLoudspeakerSelectionOkAndCancel() {
    GuiSession s("");
    for (const bool ok : {true, false}) {
      QString shown;
      WhenDialogShows([&](QWidget* dialog) {
        auto* box = qobject_cast<QInputDialog*>(dialog);
        shown = box->labelText() + "|" + box->textValue();
        box->setTextValue(QString::fromUtf8("Caf\u00E9 1000"));
        ok ? box->accept() : box->reject();
      });
      const auto answer = s.window.Platform().InputBox("Title", "Enter a value", "12");
      QCOMPARE(shown, QString("Enter a value|12"));
      QCOMPARE(answer, ok ? std::optional<std::string>("Caf\xE9 1000") : std::nullopt);
      QStringList listed;
      WhenDialogShows([&](QWidget* dialog) {
        auto* select = qobject_cast<SelectLoudspeaker*>(dialog);
        listed << select->windowTitle() << (select->Ok()->isEnabled() ? "on" : "off");
        for (int i = 0; i < select->List()->count(); ++i) listed << select->List()->item(i)->text();
        select->List()->setCurrentRow(1);
        (ok ? select->Ok() : select->findChild<QPushButton*>("Command2"))->click();
      });
      const auto chosen = s.window.Platform().ChooseLoudspeaker({"Horn A", "horn A", "Caf\xE9"});
      QCOMPARE(listed, QStringList({"Loudspeaker selection", "off", "Horn A", "horn A",
                                    QString::fromUtf8("Caf\u00E9")}));
      QCOMPARE(chosen, ok ? std::optional<std::string>("horn A") : std::nullopt);
    }
  }

  // File › Exit with unsaved data: Cancel keeps the program and its data,
  // No closes the main window.
  void unsavedDataQuestionOnExit() {
    for (const auto button : {QMessageBox::Cancel, QMessageBox::No}) {
      GuiSession s;
      s.state.src.DataSaved = kFalse;
      QString title;
      WhenDialogShows([&](QWidget* dialog) {
        title = dialog->windowTitle(), qobject_cast<QMessageBox*>(dialog)->button(button)->click();
      });
      s.Trigger("FileExit");
      QCOMPARE(title, QString("Warning"));
      const bool stays = button == QMessageBox::Cancel;
      QCOMPARE(s.window.isVisible(), stays);
      QCOMPARE(s.state.Quitting, stays ? kFalse : kTrue);
      QCOMPARE(s.state.src.SourceName.empty(), false);
    }
  }

  // The file dialog of File › Open offers the readable formats; choosing an
  // EASE file holding several loudspeakers opens the one chosen from them;
  // Cancel opens nothing.
  void openDialogChooseAndCancel() {
    QTemporaryDir dir;
    const QString eas = dir.filePath("multi.eas");
    QVERIFY(QFile::copy(FONDEREL_TEST_DATA "/import/EASE3_MULTI.EAS", eas));
    for (const bool choose : {true, false}) {
      GuiSession s("");
      QStringList filters, offered;
      QString title;
      s.window.Platform().loudspeakerHook = [&](const std::vector<std::string>& names) {
        for (const std::string& n : names) offered << QString::fromStdString(n);
        return std::optional<std::string>("horn");
      };
      WhenDialogShows([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        title = files->windowTitle();
        filters = files->nameFilters();
        // Typed as a user types it: selectFile() leaves the name field alone
        // once the field has the focus, which depends on when the window is
        // activated.
        if (choose) files->findChild<QLineEdit*>("fileNameEdit")->setText(eas);
        choose ? static_cast<QDialog*>(files)->accept() : files->reject();  // public in QDialog
      });
      s.Trigger("FileOpen");
      QCOMPARE(title, QString("Open a Source File"));
      QCOMPARE(filters.size(), 7);
      QCOMPARE(filters[0] + "|" + filters[3] + "|" + filters[5] + "|" + filters[6],
               QString("Plivox Speaker Files (*.spk)|Modeler 3.1 Files (*)|SOFA Files (*.sofa)|"
                       "CLF Text Files (*.tab)"));
      QCOMPARE(offered, choose ? QStringList({"Horn", "horn", "Sub 18"}) : QStringList());
      QCOMPARE(s.state.src.HasData(), choose);
      QCOMPARE(QString::fromStdString(s.state.src.SourceName), choose ? "horn" : "");
      QCOMPARE(s.window.windowTitle(),
               choose ? "Fonderel " + dir.filePath("multi.SPK") : QString("Fonderel "));
      QCOMPARE(s.state.src.DataSaved, kTrue);
    }
  }

  // The heading dialog hands the typed name and manufacturer over on OK.
  void headingsDialogOk() {
    AppState state;
    state.src.SourceName = "Old";
    HeadingsDialog dialog(state);
    QCOMPARE(dialog.windowTitle(), QString("Enter Heading Data"));
    QCOMPARE(dialog.findChild<QLineEdit*>("Nam")->text(), QString("Old"));
    dialog.findChild<QLineEdit*>("Nam")->setText(QString::fromUtf8("Caf\u00E9 noise"));
    dialog.findChild<QLineEdit*>("man")->setText("Acme");
    dialog.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.src.SourceName, std::string("Caf\xE9 noise"));
    QCOMPARE(state.src.Manufacturer, std::string("Acme"));
  }

  // Help › About shows the program's box until OK. (Help › Index's message
  // is WindowCommands'.)
  void helpAbout() {
    GuiSession s("");
    QString title;
    WhenDialogShows([&](QWidget* dialog) {
      title = dialog->windowTitle();
      dialog->findChild<QPushButton*>()->click();
    });
    s.Trigger("HelpAbout");
    QCOMPARE(title, QString("About Fonderel"));
  }

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
             QStringList({"sepppa -", "FileRecent1 &1 " + files[0], "FileRecent2 &2 " + files[1],
                          "FileRecent3 &3 " + files[2], "FileRecent4 &4 " + files[3], "sepRecent -",
                          "FileExit E&xit"}));
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

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
