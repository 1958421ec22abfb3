// The View and Window commands on the real MDI windows: which windows are
// shown, minimised, maximised or hidden afterwards, and where they lie.
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "PictureBox.h"
#include "support/GuiSession.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

// The windows a start on a file shows: the Standard layout and the text log.
const QStringList kStarted = {"BalloonWindow", "PolWindow0",   "PolWindow1",
                              "InfoWindow",    "HeaderWindow", "TextLog"};

QList<ChildWindow*> Shown(const MainWindow& window) {
  QList<ChildWindow*> shown;
  for (ChildWindow* w : window.ViewWindows()) {
    if (w->isVisible()) shown << w;
  }
  return shown;
}

QStringList Names(const QList<ChildWindow*>& windows) {
  QStringList names;
  for (ChildWindow* w : windows) names << w->objectName();
  names.sort();
  return names;
}

QString State(const ChildWindow* w) {
  if (!w->isVisible()) return "hidden";
  if (w->isMinimized()) return "minimised";
  return w->isMaximized() ? "maximised" : "normal";
}

// Every visible window in `state`, and the hidden ones still hidden.
void ExpectAllShown(const GuiSession& s, const QStringList& names, const QString& state) {
  QCOMPARE(Names(Shown(s.window)), [&] {
    QStringList n = names;
    n.sort();
    return n;
  }());
  for (ChildWindow* w : Shown(s.window))
    QCOMPARE(State(w) + " " + w->objectName(), state + " " + w->objectName());
}

}  // namespace

class WindowStatesTest : public QObject {
  Q_OBJECT

 private slots:
  // The Standard layout fills the work area: Info and Header on top, the
  // balloon and the curves of planes 0 and 90 side by side below, none
  // overlapping, the start picture hidden. Asking again keeps it so.
  void standardLayoutFillsTheWorkArea() {
    GuiSession s;
    QVERIFY(s.started);
    for (int round = 0; round < 2; ++round) {
      ExpectAllShown(s, kStarted, "normal");
      QVERIFY(!s.window.Picture()->isVisible());
      const QRect area = s.Area();
      const QRect info = s.Child(ViewWindow::Info)->geometry();
      const QRect header = s.Child(ViewWindow::Header)->geometry();
      const QRect balloon = s.Child(ViewWindow::Balloon)->geometry();
      const QRect p0 = s.Child(ViewWindow::Polar, 0)->geometry();
      const QRect p1 = s.Child(ViewWindow::Polar, 1)->geometry();
      QCOMPARE(info.topLeft(), QPoint(0, 0));
      QCOMPARE(header.top(), 0);
      QVERIFY(header.left() > info.right() && header.left() - info.right() <= 2);
      QVERIFY(qAbs(header.right() - area.right()) <= 3);
      QCOMPARE(balloon.left(), 0);
      QCOMPARE(balloon.top(), info.bottom() + 1);
      QCOMPARE(p0.top(), balloon.top());
      QCOMPARE(p1.top(), balloon.top());
      QCOMPARE(p0.left(), balloon.right() + 1);
      QCOMPARE(p1.left(), p0.right() + 1);
      QVERIFY(qAbs(p1.right() - area.right()) <= 3);
      QVERIFY(qAbs(balloon.bottom() - area.bottom()) <= 1);
      QCOMPARE(balloon.width(), p0.width());
      s.Trigger("WinStandard");
    }
  }

  // Each View command shows its windows, normal also after Iconize All, and
  // hides the start picture.
  void viewCommandsShowTheirWindows() {
    const struct {
      const char* action;
      QStringList windows;
    } cases[] = {
        {"ViewInfo", {"InfoWindow"}},
        {"ViewData", {"DATAsWindow"}},
        {"ViewBaloon", {"BalloonWindow"}},
        {"ViewHeader", {"HeaderWindow"}},
        {"ViewTextLog", {"TextLog"}},
        {"View2", {"PolWindow0", "PolWindow1", "PolarMainWindow"}},
        {"ViewAll", {"PolWindow0", "PolWindow9", "PolWindow17", "PolarMainWindow"}},
    };
    for (const auto& c : cases) {
      GuiSession s;
      s.Trigger("WindowClose");
      s.window.Picture()->show();
      s.Trigger(c.action);
      QVERIFY2(!s.window.Picture()->isVisible(), c.action);
      for (const QString& name : c.windows) {
        QCOMPARE(State(s.window.findChild<ChildWindow*>(name)) + " " + c.action,
                 QString("normal ") + c.action);
      }
      s.Trigger("WindowIconize");
      s.Trigger(c.action);
      for (const QString& name : c.windows) {
        QCOMPARE(State(s.window.findChild<ChildWindow*>(name)) + " " + name, "normal " + name);
      }
    }
  }

  // Curves(All): eighteen plane windows in rows of five, the band selector
  // after the last one, all inside the work area.
  void curvesAllTilesTheEighteenPlanes() {
    GuiSession s;
    s.Trigger("WindowClose");
    s.Trigger("ViewAll");
    const QRect area = s.Area();
    const QRect first = s.Child(ViewWindow::Polar, 0)->geometry();
    QCOMPARE(first.topLeft(), QPoint(0, 0));
    // Twips become pixels window by window, so edges may be a pixel apart.
    const auto near = [](int a, int b) { return qAbs(a - b) <= 1; };
    for (int i = 1; i < kPolarWindows; ++i) {
      const QRect r = s.Child(ViewWindow::Polar, i)->geometry();
      const QRect left = s.Child(ViewWindow::Polar, i - 1)->geometry();
      const QRect above = s.Child(ViewWindow::Polar, i < 5 ? 0 : i - 5)->geometry();
      QVERIFY2(near(r.width(), first.width()) && near(r.height(), first.height()),
               qPrintable(QString::number(i)));
      if (i % 5 == 0) {
        QVERIFY2(r.left() == 0 && near(r.top(), above.bottom() + 1),
                 qPrintable(QString::number(i)));
      } else {
        QVERIFY2(near(r.left(), left.right() + 1) && r.top() == left.top(),
                 qPrintable(QString::number(i)));
      }
      QVERIFY(area.contains(r));
    }
    const QRect main = s.Child(ViewWindow::PolarMain)->geometry();
    const QRect p17 = s.Child(ViewWindow::Polar, 17)->geometry();
    QVERIFY(near(main.left(), p17.right() + 1) && main.top() == p17.top());
    QVERIFY(near(main.bottom(), area.bottom()));
  }

  // Iconize All minimises every shown window and leaves the hidden ones
  // hidden; Deiconize All brings them back normal; Close All hides them
  // without destroying any.
  void iconizeDeiconizeAndCloseAll() {
    GuiSession s;
    s.Trigger("WindowIconize");
    ExpectAllShown(s, kStarted, "minimised");
    QCOMPARE(State(s.Child(ViewWindow::Data)), QString("hidden"));
    s.Trigger("WindowDeicon");
    ExpectAllShown(s, kStarted, "normal");
    s.Trigger("WindowClose");
    QVERIFY(Shown(s.window).isEmpty());
    QCOMPARE(s.window.Mdi()->subWindowList().size(), 7 + kPolarWindows);
    QVERIFY(s.window.isVisible());
  }

  // Tiling shares the work area among the shown windows that are not
  // minimised, one above the other or side by side, and makes a maximised
  // one normal; minimised windows stay where they are.
  void tileShareTheWorkArea() {
    for (const bool maximised : {true, false}) {
      for (const bool horizontally : {true, false}) {
        GuiSession s;
        if (maximised) {
          s.Child(ViewWindow::Info)->showMaximized();
        } else {
          s.Child(ViewWindow::Header)->showMinimized();
        }
        s.Trigger(horizontally ? "WindowTile" : "WindowTileV");
        QCOMPARE(State(s.Child(ViewWindow::Header)), QString(maximised ? "normal" : "minimised"));
        QList<ChildWindow*> tiled;
        for (ChildWindow* w : Shown(s.window)) {
          if (!w->isMinimized()) tiled << w;
        }
        QCOMPARE(tiled.size(), maximised ? 6 : 5);
        const QRect area = s.Area();
        const int n = static_cast<int>(tiled.size());
        QList<int> starts;
        for (ChildWindow* w : tiled) {
          QCOMPARE(State(w), QString("normal"));
          const QRect r = w->geometry();
          if (horizontally) {
            QCOMPARE(r.left(), 0);
            QCOMPARE(r.width(), area.width());
            QCOMPARE(r.height(), area.height() / n);
            starts << r.top() / r.height();
          } else {
            QCOMPARE(r.top(), 0);
            QCOMPARE(r.height(), area.height());
            QCOMPARE(r.width(), area.width() / n);
            starts << r.left() / r.width();
          }
        }
        std::sort(starts.begin(), starts.end());
        QCOMPARE(starts, maximised ? QList<int>({0, 1, 2, 3, 4, 5}) : QList<int>({0, 1, 2, 3, 4}));
      }
    }
  }

  // Arrange Icons lines the minimised windows up along the bottom of the
  // work area, left to right, without overlapping.
  void arrangeIconsLinesUpTheMinimisedWindows() {
    GuiSession s;
    s.Trigger("WindowIconize");
    s.Trigger("WindowArrangeIcons");
    const QList<ChildWindow*> icons = Shown(s.window);
    QCOMPARE(icons.size(), 6);
    QList<QRect> placed;
    for (ChildWindow* w : icons) {
      QVERIFY(w->isMinimized());
      placed << w->geometry();
    }
    std::sort(placed.begin(), placed.end(), [](QRect a, QRect b) { return a.left() < b.left(); });
    QCOMPARE(placed.front().left(), 0);
    for (int i = 0; i < placed.size(); ++i) {
      QCOMPARE(placed[i].bottom(), s.Area().bottom());
      if (i > 0) QCOMPARE(placed[i].left(), placed[i - 1].right() + 1);
    }
  }

  // The start picture covers the work area until a window is shown.
  void startPictureCoversTheWorkArea() {
    GuiSession s("");
    QVERIFY(s.started);
    const QRect picture = s.window.Picture()->geometry();
    QVERIFY(s.window.Picture()->isVisible());
    QCOMPARE(picture.topLeft(), QPoint(0, 0));
    QCOMPARE(picture.width(), s.Area().width());
    QVERIFY(picture.height() > s.Area().height() / 2);
    QVERIFY(Shown(s.window).isEmpty());
  }
};

QTEST_MAIN(WindowStatesTest)
#include "WindowStatesTest.moc"
