// The program as a user meets it in real MDI windows: where the View and
// Window commands leave windows (also minimised or maximised before), what
// the Info and Header windows show at their stated sizes, which edits make
// File › New ask, what Pointed datum shows, and paths spelled as on disk.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ChildWindow.h"
#include "DataWindow.h"
#include "InfoWindow.h"
#include "InputDialog.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "Twips.h"
#include "app/Startup.h"
#include "core/NumberText.h"

using namespace fonderel;

namespace {

struct Session;
using Step = std::function<void(Session&)>;
const std::optional<std::string> kLoud(FONDEREL_TEST_DATA "/LOUD_3_8.SPK");

// The example source as at start-up (Standard layout); message boxes are
// noted and answered Cancel.
struct Session {
  AppState state;
  MainWindow window{state};
  QStringList asked;
  Session() {
    window.resize(1400, 900);
    window.show();
    Startup(state, window.Platform(), FONDEREL_SOURCES "/HORN90X40.SPK");
    window.Platform().messageHook = [this](MessageIcon, MessageButtons, const std::string& title,
                                           const std::string&) {
      asked << QString::fromStdString(title);
      return MessageAnswer::Cancel;
    };
    window.Platform().fileDialogHook = [](FileDialogKind, const FileDialogSettings&) {
      return kLoud;
    };
  }
  void Run(const char* command) {
    state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1);
    window.Action(command)->trigger();
    QCoreApplication::processEvents();
  }
  ChildWindow* Child(ViewWindow kind, int index = 0) { return window.Child({kind, index}); }
  QWidget* Find(const char* name) { return window.findChild<QWidget*>(name); }
  GridWidget* Grid(const char* view, GridWidget* grid, int row, int col, const char* typed = "") {
    Run(view);
    grid->setFocus();
    grid->setCurrentCell(row, col);
    QTest::keyClicks(grid, typed);
    return grid;
  }
  GridWidget* Data(int row, int col, const char* typed = "") {
    return Grid("ViewData", window.Data()->Grid(), row, col, typed);
  }
  QString Box(const char* name) { return static_cast<QLineEdit*>(Find(name))->text(); }
};

// The widget lies wholly inside the visible content of its window.
bool Shown(QWidget* widget, ChildWindow* window) {
  const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
  return widget->isVisible() && window->rect().contains(r) &&
         window->widget()->geometry().contains(r);
}

}  // namespace

class WindowStateTest : public QObject {
  Q_OBJECT

 private slots:
  // Each View command after Iconize All, after maximising Info and after
  // maximising every window: normal windows at the stated place and size.
  void viewCommandsPlaceRestoredWindows() {
    const Step preps[] = {[](Session& s) { s.Run("WindowIconize"); },
                          [](Session& s) { s.Child(ViewWindow::Info)->showMaximized(); },
                          [](Session& s) {
                            for (ChildWindow* w : s.window.ViewWindows())
                              w->isVisible() ? w->showMaximized() : void();
                          }};
    const QRect none;  // the Standard layout's place, from the work area
    const struct {
      const char* command;
      std::vector<std::tuple<ViewWindow, int, QRect>> windows;  // x < 0: the size only
    } cases[] = {{"ViewHeader", {{ViewWindow::Header, 0, {-1, 0, 186, 126}}}},
                 {"ViewInfo", {{ViewWindow::Info, 0, {-1, 0, 499, 190}}}},
                 {"ViewBaloon", {{ViewWindow::Balloon, 0, {-1, 0, 249, 264}}}},
                 {"View2",
                  {{ViewWindow::Polar, 0, {0, 0, 266, 266}},
                   {ViewWindow::Polar, 1, {266, 0, 266, 266}},
                   {ViewWindow::PolarMain, 0, {0, 266, 266, 60}}}},
                 {"WinStandard",
                  {{ViewWindow::Info, 0, none},
                   {ViewWindow::Header, 0, none},
                   {ViewWindow::Balloon, 0, none},
                   {ViewWindow::Polar, 0, none},
                   {ViewWindow::Polar, 1, none}}}};
    for (const Step& prep : preps) {
      for (const auto& c : cases) {
        Session s;
        prep(s);
        s.Run(c.command);
        const TwipsSize a = s.window.Platform().MainInnerSize();
        const int w = a.width, top = 2800, low = a.height - top;
        const std::map<std::pair<ViewWindow, int>, QRect> standard = {
            {{ViewWindow::Info, 0}, ToPixels(TwipsRect{0, 0, 2 * w / 3 - 5, top})},
            {{ViewWindow::Header, 0}, ToPixels(TwipsRect{2 * w / 3, 0, w / 3, top})},
            {{ViewWindow::Balloon, 0}, ToPixels(TwipsRect{0, top, w / 3, low})},
            {{ViewWindow::Polar, 0}, ToPixels(TwipsRect{w / 3, top, w / 3, low})},
            {{ViewWindow::Polar, 1}, ToPixels(TwipsRect{2 * w / 3, top, w / 3, low})}};
        for (const auto& [kind, index, rect] : c.windows) {
          ChildWindow* win = s.Child(kind, index);
          const QRect want = rect.isNull() ? standard.at({kind, index}) : rect;
          const QString name = QString(c.command) + " " + win->objectName();
          QVERIFY2(win->isVisible() && !win->isMinimized() && !win->isMaximized(),
                   qPrintable(name));
          QVERIFY2(want.x() < 0 ? win->size() == want.size() : win->geometry() == want,
                   qPrintable(name));
        }
      }
    }
  }

  // Cascade: every window at least the size it opens at, its title bar
  // inside the area and at a place of its own.
  void cascadeKeepsWindowsUsable() {
    for (const char* layout : {"WinStandard", "ViewAll"}) {
      Session s;
      s.Run(layout);
      s.Run("ViewTextLog");
      s.Run("WindowCascade");
      const QRect area(QPoint(0, 0), s.window.Mdi()->viewport()->size());
      QList<QPoint> corners;
      for (QMdiSubWindow* sub : s.window.Mdi()->subWindowList()) {
        auto* w = qobject_cast<ChildWindow*>(sub);
        if (!w->isVisible()) continue;
        const QSize least = w->UsefulSize().boundedTo(area.size());
        const QRect titleBar(w->pos(), QSize(w->width(), w->height() - w->widget()->height()));
        QVERIFY2(w->width() >= least.width() && w->height() >= least.height(), layout);
        QVERIFY2(area.contains(titleBar) && !corners.contains(w->pos()), layout);
        corners << w->pos();
      }
      QVERIFY(corners.size() >= 6);
    }
  }

  // Curves(All), then Curves(2) or Standard: back to the 0 and 90 degree planes.
  void twoPlanesAgainAfterAllPlanes() {
    for (const char* back : {"View2", "WinStandard"}) {
      Session s;
      s.Run("ViewAll");
      s.Run(back);
      for (int i = 2; i < kPolarWindows; ++i)
        QVERIFY2(!s.Child(ViewWindow::Polar, i)->isVisible(), back);
      QCOMPARE(s.Child(ViewWindow::Polar, 1)->windowTitle(),
               QString::fromUtf8("Angle of plot = 90\u00B0"));
    }
  }

  // At their stated sizes the Info window shows every row and whole cell
  // texts, the Header its four fields; a tiled (short) Info window keeps its
  // source-kind buttons; input boxes are as wide as their titles.
  void windowsShowAllTheyHold() {
    for (const char* command : {"ViewInfo", "WinStandard", "WindowTile"}) {
      Session s;
      s.Run("ViewTextLog");
      s.Run(command);
      ChildWindow* info = s.Child(ViewWindow::Info);
      for (const char* name : {"Icell", "SpkrBtn", "NoiseBtn"})
        QVERIFY2(Shown(s.Find(name), info), name);
      if (std::string_view(command) == "WindowTile") continue;
      const GridWidget* grid = s.window.Info()->Grid();
      QVERIFY2(grid->verticalScrollBar()->maximum() == 0, command);
      QVERIFY(grid->columnWidth(0) >= TwipsToPixels(2000) &&
              grid->columnWidth(12) >= TwipsToPixels(700));
      for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
          const QString text = grid->item(r, c)->text();
          QVERIFY2(grid->fontMetrics().horizontalAdvance(text) + 4 <= grid->columnWidth(c),
                   qPrintable(text));
        }
      }
    }
    Session s;
    s.Run("ViewHeader");
    ChildWindow* header = s.Child(ViewWindow::Header);
    for (const char* name : {"NamTxt", "ManTxt", "LoBand", "HiBand"}) {
      QVERIFY2(Shown(s.Find(name), header) &&
                   s.Find(name)->height() >= s.Find(name)->fontMetrics().height() + 2,
               name);
    }
    for (QLabel* label : header->findChildren<QLabel*>())
      QVERIFY2(Shown(label, header), qPrintable(label->text()));
    for (const char* title : {"Invalid Frequency Specification", "Modeler File has been loaded"}) {
      const auto dialog = MakeInputDialog(&s.window, title, "Enter a valid frequency", "");
      dialog->show();
      QVERIFY2(dialog->width() >= dialog->fontMetrics().horizontalAdvance(title) + 100, title);
    }
  }

  // Each way of editing, then File › New: asked or not.
  void everyStoredValueMakesNewAsk() {
    const auto field = [](Session& s, const char* name, const char* text) {
      auto* edit = static_cast<QLineEdit*>(s.Find(name));
      if (*text) edit->setText(text);
      emit edit->editingFinished();
    };
    const std::pair<Step, bool> cases[] = {
        {[](Session& s) {
           QTest::keyClick(s.Grid("ViewInfo", s.window.Info()->Grid(), 1, 3, "12.5"), Qt::Key_Down);
         },
         true},
        {[](Session& s) { QTest::keyClick(s.Data(2, 2, "1.5"), Qt::Key_Right); }, true},
        {[](Session& s) { s.Data(1, 1), s.Run("EditCut"); }, true},
        {[](Session& s) {
           s.Data(1, 1), QApplication::clipboard()->setText("2.5"), s.Run("EditPaste");
         },
         true},
        {[](Session& s) {
           s.Run("ViewInfo"), static_cast<QRadioButton*>(s.Find("NoiseBtn"))->click();
         },
         true},
        {[](Session& s) { s.Data(1, 1), s.Run("EditDelete"); }, false},  // the values stay
        {[&](Session& s) { field(s, "LoBand", ""), field(s, "HiBand", ""); }, false},
        {[&](Session& s) { field(s, "HiBand", "2000"); }, true}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      Session s;
      cases[i].first(s);
      s.Run("FileNew");
      QVERIFY2(s.asked == (cases[i].second ? QStringList{"Warning"} : QStringList{}),
               qPrintable(QString::number(i)));
    }
  }

  // After each change Pointed datum shows the current cell's stored value
  // (2.3456 typed is stored as 2.35); the Info box the cell as shown.
  void pointedDatumFollowsTheStoredValue() {
    const Step cases[] = {
        [](Session& s) { QTest::keyClick(s.Data(1, 1, "2.3456"), Qt::Key_Return); },
        [](Session& s) {
          s.Data(1, 1), QApplication::clipboard()->setText("7.25"), s.Run("EditPaste");
        },
        [](Session& s) { s.Data(1, 1), s.Run("EditCut"); },
        [](Session& s) {
          s.Data(1, 1);
          s.state.LastRefreshTime = 0;
          emit s.window.Data()->Selector()->activated(5);
        },
        [](Session& s) { s.Data(1, 1), s.Run("FileOpen"); }};
    for (const Step& change : cases) {
      Session s;
      change(s);
      const float stored = s.state.src.BalloonData(0, 0, static_cast<int>(s.state.SelectedBand));
      QCOMPARE(s.Box("Cell"), QString::fromStdString(SingleText(stored)));
    }
    Session s;
    s.Grid("ViewInfo", s.window.Info()->Grid(), 1, 6);
    s.Run("FileOpen");
    QCOMPARE(s.Box("Icell"), QString("99.00"));
  }

  // A name with é, ü, °, – and a CJK character: the log, the caption and the
  // message box of a failed read show it as spelled.
  void pathsShowAsSpelled() {
    const QString dir =
        QDir::tempPath() +
        QString::fromUtf8("/fonderel Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 \u97F3");
    QDir().mkpath(dir);
    const QString good = dir + "/HORN.SPK", bad = dir + "/BAD.SPK";
    QFile::remove(good);
    QVERIFY(QFile::copy(FONDEREL_SOURCES "/HORN90X40.SPK", good));
    QFile out(bad);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("\"Source Name\",\"x\"\r\n") > 0);
    out.close();
    Session s;
    s.window.Platform().messageHook = nullptr;
    QStringList shown, captions;
    QTimer closer;  // reads and closes the real message box
    connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        shown << box->text(), box->accept();
    });
    closer.start(20);
    for (const QString& path : {good, bad}) {
      s.window.Platform().fileDialogHook = [&](FileDialogKind, const FileDialogSettings&) {
        return std::optional<std::string>(QFile::encodeName(path).toStdString());
      };
      s.Run("FileOpen");
      captions << s.window.windowTitle();
    }
    QCOMPARE(captions.front(), "Fonderel " + good);
    auto* list = s.window.findChild<QListWidget*>("List1");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    QVERIFY(lines.contains("Reading Source Description from: " + good));
    QCOMPARE(lines.filter("Error: " + bad + ", line ").size(), 1);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.front().startsWith(bad + ", line "), qPrintable(shown.front()));
  }
};

QTEST_MAIN(WindowStateTest)
#include "WindowStateTest.moc"
