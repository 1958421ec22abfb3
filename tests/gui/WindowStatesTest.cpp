// The program as a user meets it in real MDI windows: which windows the View
// and Window commands show, minimise or hide and where they lie (also when
// minimised or maximised before), what the Info and Header windows show,
// typing into the grids, the Edit menu and the band selector, which edits
// make File › New ask, what Pointed datum shows, and paths spelled as on disk.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "DataWindow.h"
#include "GuiTest.h"
#include "InfoWindow.h"
#include "InputDialog.h"
#include "PictureBox.h"
#include "Twips.h"
#include "app/FileCommands.h"
#include "core/NumberText.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

using W = ViewWindow;
struct Session;
using Step = std::function<void(Session&)>;

// Message boxes are noted and answered Cancel; File › Open reads LOUD_3_8.
struct Session : UserSession {
  explicit Session(const QString& file = kHorn) : UserSession(file, MessageAnswer::Cancel) {
    GiveFile(window, FONDEREL_TEST_DATA "/LOUD_3_8.SPK");
  }
  QString Box(const char* name) { return Find<QLineEdit>(name)->text(); }
  GridWidget* Grid(const char* view, GridWidget* grid, int row, int col, const char* typed = "") {
    Trigger(view);
    grid->setFocus();
    grid->setCurrentCell(row, col);
    QTest::keyClicks(grid, typed);
    return grid;
  }
  GridWidget* Data(int row, int col, const char* typed = "") {
    return Grid("ViewData", window.Data()->Grid(), row, col, typed);
  }
  QList<ChildWindow*> Shown() const {
    QList<ChildWindow*> shown;
    for (ChildWindow* w : window.ViewWindows())
      if (w->isVisible()) shown << w;
    return shown;
  }
  // The shown windows' "state name", sorted.
  QStringList States() const {
    QStringList states;
    for (ChildWindow* w : Shown())
      states << (w->isMinimized()   ? "minimised "
                 : w->isMaximized() ? "maximised "
                                    : "normal ") +
                    w->objectName();
    states.sort();
    return states;
  }
};

QStringList Each(const QString& state, QStringList names) {
  for (QString& n : names) n = state + " " + n;
  names.sort();
  return names;
}

// The windows a start on a file shows: the Standard layout and the text log.
const QStringList kStarted = {"BalloonWindow", "PolWindow0",   "PolWindow1",
                              "InfoWindow",    "HeaderWindow", "TextLog"};

// Cut, Copy, Paste and Delete of the Edit menu: X when enabled, - when not.
QString EditMenu(const MainWindow& window) {
  QString on;
  for (const char* name : {"EditCut", "EditCopy", "EditPaste", "EditDelete"})
    on += window.Action(name)->isEnabled() ? "X" : "-";
  return on;
}

// The widget lies wholly inside the visible content of its window.
bool Inside(QWidget* widget, ChildWindow* window) {
  const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
  return widget->isVisible() && window->rect().contains(r) &&
         window->widget()->geometry().contains(r);
}

}  // namespace

class WindowStatesTest : public QObject {
  Q_OBJECT

 private slots:
  // Each View command, at start-up, after Close All (the start picture up),
  // Iconize All, maximising Info or every window: its windows normal, at the
  // stated place or size, the start picture hidden.
  void viewCommandsShowAndPlaceTheirWindows() {
    const Step preps[] = {[](Session&) {},
                          [](Session& s) { s.Trigger("WindowClose"), s.window.Picture()->show(); },
                          [](Session& s) { s.Trigger("WindowIconize"); },
                          [](Session& s) { s.Child(W::Info)->showMaximized(); },
                          [](Session& s) {
                            for (ChildWindow* w : s.Shown()) w->showMaximized();
                          }};
    // A line: the command ("start": none) and its windows, each with its place
    // and size in pixels (x -1: the size only; none: any); no windows: the
    // Standard layout.
    const QStringList lines = DataLines("view-commands.tsv");
    QCOMPARE(lines.size(), 9);
    for (std::size_t p = 0; p < std::size(preps); ++p) {
      for (const QString& line : lines) {
        QStringList specs = line.split('\t');
        const QString command = specs.takeFirst();
        if (command == "start" && p > 0) continue;
        Session s;
        preps[p](s);
        if (command != "start") s.Trigger(qPrintable(command));
        const QString name = QString("%1 after %2").arg(command).arg(p);
        QVERIFY2(!s.window.Picture()->isVisible(), qPrintable(name));
        std::vector<std::pair<QString, QRect>> windows;  // a null rect: any place and size
        for (const QString& spec : specs) {
          const QStringList n = spec.section(' ', 1).split(',');
          windows.emplace_back(spec.section(' ', 0, 0),
                               n.size() < 4
                                   ? QRect()
                                   : QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()));
        }
        const TwipsSize a = s.window.Platform().MainInnerSize();
        const int w = a.width, top = 2800, low = a.height - top;
        if (windows.empty()) {  // the Standard layout
          windows = {{"InfoWindow", ToPixels(TwipsRect{0, 0, 2 * w / 3 - 5, top})},
                     {"HeaderWindow", ToPixels(TwipsRect{2 * w / 3, 0, w / 3, top})},
                     {"BalloonWindow", ToPixels(TwipsRect{0, top, w / 3, low})},
                     {"PolWindow0", ToPixels(TwipsRect{w / 3, top, w / 3, low})},
                     {"PolWindow1", ToPixels(TwipsRect{2 * w / 3, top, w / 3, low})}};
          if (p == 0) QCOMPARE(s.States(), Each("normal", kStarted));
        }
        for (const auto& [objectName, want] : windows) {
          auto* win = s.window.findChild<ChildWindow*>(objectName);
          const QString at = name + " " + objectName;
          QVERIFY2(win && win->isVisible() && !win->isMinimized() && !win->isMaximized(),
                   qPrintable(at));
          if (want.isNull()) continue;
          QVERIFY2(want.x() < 0 ? win->size() == want.size() : win->geometry() == want,
                   qPrintable(at));
        }
      }
    }
  }

  // Cascade: every window at least the size it opens at, its title bar
  // inside the area and at a place of its own.
  void cascadeKeepsWindowsUsable() {
    for (const char* layout : {"WinStandard", "ViewAll"}) {
      Session s;
      s.Trigger(layout);
      s.Trigger("ViewTextLog");
      s.Trigger("WindowCascade");
      QList<QPoint> corners;
      for (ChildWindow* w : s.Shown()) {
        const QSize least = w->UsefulSize().boundedTo(s.Area().size());
        const QRect titleBar(w->pos(), QSize(w->width(), w->height() - w->widget()->height()));
        QVERIFY2(w->width() >= least.width() && w->height() >= least.height(), layout);
        QVERIFY2(s.Area().contains(titleBar) && !corners.contains(w->pos()), layout);
        corners << w->pos();
      }
      QVERIFY(corners.size() >= 6);
    }
  }

  // Curves(All): eighteen plane windows in rows of five, the band selector
  // after the last one, all inside the work area; then Curves(2) or Standard
  // hides planes 2..17 again.
  void curvesAllTilesTheEighteenPlanes() {
    for (const char* back : {"View2", "WinStandard"}) {
      Session s;
      s.Trigger("WindowClose");
      s.Trigger("ViewAll");
      const QRect first = s.Child(W::Polar, 0)->geometry();
      QCOMPARE(first.topLeft(), QPoint(0, 0));
      // Twips become pixels window by window, so edges may be a pixel apart.
      const auto near = [](int a, int b) { return qAbs(a - b) <= 1; };
      for (int i = 1; i < kPolarWindows; ++i) {
        const QRect r = s.Child(W::Polar, i)->geometry();
        const QRect left = s.Child(W::Polar, i - 1)->geometry();
        const QRect above = s.Child(W::Polar, i < 5 ? 0 : i - 5)->geometry();
        QVERIFY2(near(r.width(), first.width()) && near(r.height(), first.height()) &&
                     s.Area().contains(r) &&
                     (i % 5 == 0 ? r.left() == 0 && near(r.top(), above.bottom() + 1)
                                 : near(r.left(), left.right() + 1) && r.top() == left.top()),
                 qPrintable(QString::number(i)));
      }
      const QRect main = s.Child(W::PolarMain)->geometry(), p17 = s.Child(W::Polar, 17)->geometry();
      QVERIFY(near(main.left(), p17.right() + 1) && main.top() == p17.top());
      QVERIFY(near(main.bottom(), s.Area().bottom()));
      s.Trigger(back);
      for (int i = 2; i < kPolarWindows; ++i) QVERIFY2(!s.Child(W::Polar, i)->isVisible(), back);
      QCOMPARE(s.Child(W::Polar, 1)->windowTitle(), QString::fromUtf8("Angle of plot = 90\u00B0"));
    }
  }

  // Iconize All minimises every shown window and leaves the hidden ones
  // hidden; Arrange Icons lines them up along the bottom, left to right;
  // Deiconize All brings them back normal; Close All hides them without
  // destroying any; the start picture covers the area until a window shows.
  void iconizeArrangeDeiconizeAndCloseAll() {
    Session s;
    s.Trigger("WindowIconize");
    QCOMPARE(s.States(), Each("minimised", kStarted));
    s.Trigger("WindowArrangeIcons");
    QList<QRect> placed;
    for (ChildWindow* w : s.Shown()) placed << w->geometry();
    std::sort(placed.begin(), placed.end(), [](QRect a, QRect b) { return a.left() < b.left(); });
    for (int i = 0; i < placed.size(); ++i) {
      QCOMPARE(placed[i].bottom(), s.Area().bottom());
      QCOMPARE(placed[i].left(), i == 0 ? 0 : placed[i - 1].right() + 1);
    }
    s.Trigger("WindowDeicon");
    QCOMPARE(s.States(), Each("normal", kStarted));
    s.Trigger("WindowClose");
    QVERIFY(s.Shown().isEmpty() && s.window.isVisible());
    QCOMPARE(s.window.Mdi()->subWindowList().size(), 7 + kPolarWindows);
    Session empty("");
    const QRect picture = empty.window.Picture()->geometry();
    QVERIFY(empty.started && empty.window.Picture()->isVisible() && empty.Shown().isEmpty());
    QCOMPARE(picture.topLeft(), QPoint(0, 0));
    QCOMPARE(picture.width(), empty.Area().width());
    // It leaves 750 twips (50 px) of the window's height below it.
    QCOMPARE(picture.height(), empty.window.height() - 50);
    QVERIFY(picture.height() < empty.Area().height());
  }

  // Tiling shares the work area among the shown windows that are not
  // minimised, one above the other or side by side, and makes a maximised
  // one normal; minimised windows stay minimised.
  void tileShareTheWorkArea() {
    for (const bool maximised : {true, false}) {
      for (const bool horizontally : {true, false}) {
        Session s;
        maximised ? s.Child(W::Info)->showMaximized() : s.Child(W::Header)->showMinimized();
        s.Trigger(horizontally ? "WindowTile" : "WindowTileV");
        QStringList want = Each("normal", kStarted);
        if (!maximised) want.replace(want.indexOf("normal HeaderWindow"), "minimised HeaderWindow");
        want.sort();
        QCOMPARE(s.States(), want);
        const QRect area = s.Area();
        const int n = maximised ? 6 : 5;
        QList<int> starts;
        for (ChildWindow* w : s.Shown()) {
          if (w->isMinimized()) continue;
          const QRect r = w->geometry();
          QCOMPARE(horizontally ? QRect(r.left(), 0, r.width(), r.height())
                                : QRect(0, r.top(), r.width(), r.height()),
                   horizontally ? QRect(0, 0, area.width(), area.height() / n)
                                : QRect(0, 0, area.width() / n, area.height()));
          starts << (horizontally ? r.top() / r.height() : r.left() / r.width());
        }
        std::sort(starts.begin(), starts.end());
        QCOMPARE(starts, maximised ? QList<int>({0, 1, 2, 3, 4, 5}) : QList<int>({0, 1, 2, 3, 4}));
      }
    }
  }

  // At their stated sizes the Info window shows every row and whole cell
  // texts, the Header its four fields; a tiled (short) Info window keeps its
  // source-kind buttons; input boxes are as wide as their titles.
  void windowsShowAllTheyHold() {
    for (const char* command : {"ViewInfo", "WinStandard", "WindowTile"}) {
      Session s;
      s.Trigger("ViewTextLog");
      s.Trigger(command);
      for (const char* name : {"Icell", "SpkrBtn", "NoiseBtn"})
        QVERIFY2(Inside(s.Find(name), s.Child(W::Info)), name);
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
    s.Trigger("ViewHeader");
    ChildWindow* header = s.Child(W::Header);
    for (const char* name : {"NamTxt", "ManTxt", "LoBand", "HiBand"}) {
      QWidget* field = s.Find(name);
      QVERIFY2(Inside(field, header) && field->height() >= field->fontMetrics().height() + 2, name);
    }
    for (QLabel* label : header->findChildren<QLabel*>())
      QVERIFY2(Inside(label, header), qPrintable(label->text()));
    for (const char* title : {"Invalid Frequency Specification", "Modeler File has been loaded"}) {
      const auto dialog = MakeInputDialog(&s.window, title, "Enter a valid frequency", "");
      dialog->show();
      QVERIFY2(dialog->width() >= dialog->fontMetrics().horizontalAdvance(title) + 100, title);
    }
  }

  // Each change, then File › New: asked or not (-1: either). After a change
  // at the first data cell Pointed datum shows its stored value (2.3456
  // typed is stored as 2.35); the Info box the cell as shown.
  void editsMakeNewAskAndPointedDatumFollows() {
    const auto field = [](Session& s, const char* name, const char* text) {
      auto* edit = s.Find<QLineEdit>(name);
      if (*text) edit->setText(text);
      emit edit->editingFinished();
    };
    const auto paste = [](Session& s) {
      s.Data(1, 1), QApplication::clipboard()->setText("7.25"), s.Trigger("EditPaste");
    };
    const auto info = [](Session& s) {
      return s.Grid("ViewInfo", s.window.Info()->Grid(), 1, 3, "12.5");
    };
    const std::tuple<Step, int, bool> cases[] = {
        {[&](Session& s) { QTest::keyClick(info(s), Qt::Key_Down); }, 1, false},
        {[](Session& s) { QTest::keyClick(s.Data(2, 2, "1.5"), Qt::Key_Right); }, 1, false},
        {[](Session& s) { QTest::keyClick(s.Data(1, 1, "2.3456"), Qt::Key_Return); }, 1, true},
        {[](Session& s) { s.Data(1, 1), s.Trigger("EditCut"); }, 1, true},
        {paste, 1, true},
        {[](Session& s) { s.Trigger("ViewInfo"), s.Find<QRadioButton>("NoiseBtn")->click(); }, 1,
         false},
        {[](Session& s) { s.Data(1, 1), s.Trigger("EditDelete"); }, 0, true},  // the values stay
        {[&](Session& s) { field(s, "LoBand", ""), field(s, "HiBand", ""); }, 0, false},
        {[&](Session& s) { field(s, "HiBand", "2000"); }, 1, false},
        {[](Session& s) {
           s.Data(1, 1), s.state.LastRefreshTime = 0;
           emit s.window.Data()->Selector()->activated(5);
         },
         -1, true},
        {[](Session& s) { s.Data(1, 1), s.Trigger("FileOpen"); }, 0, true}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const auto& [change, asks, pointed] = cases[i];
      Session s;
      change(s);
      const float stored = s.state.src.BalloonData(0, 0, static_cast<int>(s.state.SelectedBand));
      if (pointed) QCOMPARE(s.Box("Cell"), QString::fromStdString(SingleText(stored)));
      s.Trigger("FileNew");
      QVERIFY2(asks < 0 || s.messages == QStringList(asks, QString("Warning|") + kUnsavedDataText),
               qPrintable(QString::number(i)));
    }
    Session s;
    s.Grid("ViewInfo", s.window.Info()->Grid(), 1, 6);
    s.Trigger("FileOpen");
    QCOMPARE(s.Box("Icell"), QString("99.00"));
  }

  // Digits and the full stop go to the edit box and, on Enter, into the cell;
  // a letter or a minus sign types nothing and leaves the edit box alone.
  void typingIntoTheInfoGridStoresTheValue() {
    Session s;
    GridWidget* grid = s.Grid("ViewInfo", s.window.Info()->Grid(), 1, 3, "12.5");
    QCOMPARE(s.Box("Icell"), QString("12.5"));
    QTest::keyClicks(grid, "a-");
    QCOMPARE(s.Box("Icell"), QString("12.5"));
    s.OpenThrottle();
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(s.state.src.Lw(3), 12.5f);
    QCOMPARE(grid->item(1, 3)->text(), QString("12.50"));
    QCOMPARE(s.state.src.DataSaved, kFalse);
    const QString shown = s.Box("Icell");
    QTest::keyClicks(grid, "a-");
    QVERIFY(s.state.Entry.EntryText.empty());
    QCOMPARE(s.Box("Icell"), shown);
  }

  // The Edit menu works while the DATAs grid has the focus and not after it.
  // A selection dragged down and right ends at the current cell; Ctrl+C
  // copies it as tab-separated rows; Cut zeroes the values from where it began.
  // The band selector then switches the table to another band.
  void editMenuCopyCutAndBandSelector() {
    Session s;
    s.Trigger("ViewData");
    s.window.activateWindow();
    GridWidget* grid = s.Data(1, 1);
    QApplication::processEvents();
    QCOMPARE(EditMenu(s.window).left(2), QString("XX"));
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
    s.Find("Cell")->setFocus();
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

  // A name with é, ü, °, – and a CJK character: the log, the caption and the
  // message box of a failed read show it as spelled.
  void pathsShowAsSpelled() {
    const QString dir =
        QDir::tempPath() +
        QString::fromUtf8("/fonderel Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 \u97F3");
    QDir().mkpath(dir);
    const QString good = dir + "/HORN.SPK", bad = dir + "/BAD.SPK";
    QFile::remove(good);
    QVERIFY(QFile::copy(kHorn, good));
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
      GiveFile(s.window, path);
      s.Trigger("FileOpen");
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

QTEST_MAIN(WindowStatesTest)
#include "WindowStatesTest.moc"
