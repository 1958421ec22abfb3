// Where the View and Window commands leave real MDI windows: placed at the
// stated size also when they were minimised or maximised before, Cascade at a
// usable size, and the way back from all polar planes to two.
#include <QMdiArea>
#include <QTest>
#include <functional>

#include "ChildWindow.h"
#include "MainWindow.h"
#include "PolarWindow.h"
#include "QtPlatform.h"
#include "Twips.h"
#include "app/Startup.h"

using namespace fonderel;

namespace {

const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

// The example source loaded as at start-up, with the Standard layout.
struct Session {
  AppState state;
  MainWindow window{state};
  Session() {
    window.resize(1400, 900);
    window.show();
    Startup(state, window.Platform(), kHorn.toStdString());
  }
  ChildWindow* Child(ViewWindow kind, int index = 0) { return window.Child({kind, index}); }
  void Run(const char* command) {
    state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1);
    window.Action(command)->trigger();
    QCoreApplication::processEvents();
  }
  // Where the Standard layout puts a window, from the work area's size.
  QRect Standard(ViewWindow kind, int index = 0) {
    const TwipsSize a = window.Platform().MainInnerSize();
    const int w = a.width, h = a.height;
    switch (kind) {
      case ViewWindow::Balloon:
        return ToPixels(TwipsRect{0, 2800, w / 3, h - 2800});
      case ViewWindow::Polar:
        return ToPixels(TwipsRect{(index + 1) * w / 3, 2800, w / 3, h - 2800});
      case ViewWindow::Info:
        return ToPixels(TwipsRect{0, 0, 2 * w / 3 - 5, 2800});
      default:
        return ToPixels(TwipsRect{2 * w / 3, 0, w / 3, 2800});
    }
  }
};

struct Expected {
  ViewWindow kind;
  int index;
  QRect rect;  // an empty position (-1) checks the size only
};

}  // namespace

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  // Each View command after Iconize All, after maximising its own window and
  // after maximising Info: the windows come back normal, where stated.
  void viewCommandsPlaceRestoredWindows() {
    const std::function<void(Session&)> preps[] = {
        [](Session& s) { s.Run("WindowIconize"); },
        [](Session& s) { s.Child(ViewWindow::Info)->showMaximized(); },
        [](Session& s) {
          for (ChildWindow* w : s.window.ViewWindows()) {
            if (w->isVisible()) w->showMaximized();
          }
        },
    };
    const QRect any(-1, -1, 0, 0);
    const struct {
      const char* command;
      std::vector<Expected> windows;
    } cases[] = {
        {"ViewHeader", {{ViewWindow::Header, 0, QRect(-1, -1, 186, 126)}}},
        {"ViewInfo", {{ViewWindow::Info, 0, QRect(-1, -1, 499, 190)}}},
        {"ViewBaloon", {{ViewWindow::Balloon, 0, QRect(-1, -1, 249, 264)}}},
        {"View2",
         {{ViewWindow::Polar, 0, QRect(0, 0, 266, 266)},
          {ViewWindow::Polar, 1, QRect(266, 0, 266, 266)},
          {ViewWindow::PolarMain, 0, QRect(0, 266, 266, 60)}}},
        {"WinStandard",
         {{ViewWindow::Info, 0, any}, {ViewWindow::Header, 0, any},
          {ViewWindow::Balloon, 0, any}, {ViewWindow::Polar, 0, any},
          {ViewWindow::Polar, 1, any}}},
    };
    for (std::size_t p = 0; p < std::size(preps); ++p) {
      for (const auto& c : cases) {
        const QString where = QString("%1 after preparation %2").arg(c.command).arg(p);
        Session s;
        preps[p](s);
        s.Run(c.command);
        for (const Expected& e : c.windows) {
          ChildWindow* w = s.Child(e.kind, e.index);
          const QString name = where + " " + w->objectName();
          QVERIFY2(w->isVisible(), qPrintable(name));
          QVERIFY2(!w->isMinimized() && !w->isMaximized(), qPrintable(name));
          const QRect want = e.rect == any ? s.Standard(e.kind, e.index) : e.rect;
          if (want.x() >= 0) {
            QVERIFY2(w->geometry() == want, qPrintable(name));
          } else {
            QVERIFY2(w->size() == want.size(), qPrintable(name));
          }
        }
      }
    }
  }

  // Cascade of the Standard layout with the text log, and of all polar
  // windows: each window at least the size it opens at (within the area),
  // each title bar inside the area, no two title bars at the same place.
  void cascadeKeepsWindowsUsable() {
    for (const char* layout : {"WinStandard", "ViewAll"}) {
      Session s;
      s.Run(layout);
      s.Run("ViewTextLog");
      s.Run("WindowCascade");
      const QRect area(QPoint(0, 0), s.window.Mdi()->viewport()->size());
      QList<QPoint> corners;
      for (QMdiSubWindow* sub : s.window.Mdi()->subWindowList()) {
        if (!sub->isVisible()) continue;
        auto* w = qobject_cast<ChildWindow*>(sub);
        const QString name = QString(layout) + " " + w->objectName();
        const QSize least = w->UsefulSize().boundedTo(area.size());
        QVERIFY2(w->width() >= least.width() && w->height() >= least.height(), qPrintable(name));
        const int titleBar = w->height() - w->widget()->height();
        QVERIFY2(area.contains(QRect(w->pos(), QSize(w->width(), titleBar))), qPrintable(name));
        QVERIFY2(!corners.contains(w->pos()), qPrintable(name));
        corners << w->pos();
      }
      QVERIFY(corners.size() >= 6);
    }
  }

  // Curves(All), then Curves(2) or Standard: windows 2..17 are closed and
  // windows 0 and 1 show the planes at 0 and 90 degrees.
  void twoPlanesAgainAfterAllPlanes() {
    for (const char* back : {"View2", "WinStandard"}) {
      Session s;
      s.Run("ViewAll");
      QVERIFY(s.Child(ViewWindow::Polar, 17)->isVisible());
      s.Run(back);
      for (int i = 2; i < kPolarWindows; ++i) {
        QVERIFY2(!s.Child(ViewWindow::Polar, i)->isVisible(), back);
      }
      QCOMPARE(s.Child(ViewWindow::Polar, 0)->windowTitle(), QString::fromUtf8("Angle of plot = 0\u00B0"));
      QCOMPARE(s.Child(ViewWindow::Polar, 1)->windowTitle(), QString::fromUtf8("Angle of plot = 90\u00B0"));
    }
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
