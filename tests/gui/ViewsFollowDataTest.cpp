// Every window shows the source in memory. After each command that empties
// the description the views show an empty source and refuse entries; an
// open Create window and geometry view close with the source they were
// opened for; the geometry view follows the geometry attached, opens at 60°
// and marks the measured source centre; View › Geometry follows the
// geometry in memory; windows open inside the screen; numbers and captions
// fit their cells; the power box says why it asks again; the zoomed balloon
// keeps clear of its colour-bar labels.
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QWheelEvent>

#include "BalloonWindow.h"
#include "DataWindow.h"
#include "GeometryWindow.h"
#include "GridWidget.h"
#include "GuiTest.h"
#include "HeaderWindow.h"
#include "InfoWindow.h"
#include "Interpol.h"
#include "Iso3744Window.h"
#include "PolarWindow.h"
#include "ShadedPainter.h"
#include "Twips.h"
#include "app/Startup.h"
#include "geometry/GeometryView.h"
#include "iso3744/RayReceivers.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

using W = ViewWindow;

// Started on HORN90X40.SPK; every question is answered No.
struct Session : UserSession {
  explicit Session(const QString& file = kHorn) : UserSession(file, MessageAnswer::No) {}
  QString Box(const char* name) const { return Find<QLineEdit>(name)->text(); }
  void NoFileChosen() {
    window.Platform().fileDialogHook = [](FileDialogKind, const FileDialogSettings&) {
      return std::optional<std::string>();
    };
  }
  // File › Create Source (BZ) with pattern 8 in the 1 kHz box, then OK; the
  // power box gets `answers` in turn, then Cancel.
  void CreateWithPowers(QStringList answers) {
    Trigger("FileCreate");
    Find<QLineEdit>("Text1_5")->setText("8");
    window.Platform().inputHook = [answers](const std::string&, const std::string&) mutable {
      if (answers.isEmpty()) return std::optional<std::string>();
      return std::optional<std::string>(answers.takeFirst().toStdString());
    };
    Find<QPushButton>("Command3")->click();
  }
  GeometryWindow* GeometryView() const {
    return qobject_cast<GeometryWindow*>(Child(W::Geometry)->widget());
  }
  // What the screen shows of a widget (not what it would paint if asked).
  QImage OnScreen(QWidget* w) const {
    const QPoint at = w->mapTo(&window, QPoint(0, 0));
    return window.screen()
        ->grabWindow(window.winId(), at.x(), at.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
};

// A command that replaces or empties the description, with its dialogs answered.
struct Command {
  const char* name;
  std::function<void(Session&)> run;
};

const QString kRefused = QDir::temp().filePath("fonderel-refused.SPK");

const std::vector<Command> kResets = {
    {"File New", [](Session& s) { s.Trigger("FileNew"); }},
    {"File Open cancelled",
     [](Session& s) {
       s.NoFileChosen();
       s.Trigger("FileOpen");
     }},
    {"File Open of a refused file",
     [](Session& s) {
       GiveFile(s.window, kRefused);
       s.Trigger("FileOpen");
     }},
    {"File Open of another source",
     [](Session& s) {
       GiveFile(s.window, FONDEREL_TEST_DATA "/LOUD_3_8.SPK");
       s.Trigger("FileOpen");
     }},
    {"Create Source (BZ)", [](Session& s) { s.Trigger("FileCreate"); }},
    {"power box cancelled", [](Session& s) { s.CreateWithPowers({}); }},
    {"Interpolate Polar left",
     [](Session& s) { WhileModal<Interpol>(s.window, "Interp", [](Interpol&) {}); }},
    {"ISO 3744 left",
     [](Session& s) {
       WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [](Iso3744Window&) {});
     }},
    {"Close All", [](Session& s) { s.Trigger("WindowClose"); }},
};

bool AllWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

}  // namespace

class ViewsFollowDataTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    UseFixedLook();
    QFile refused(kRefused);
    QVERIFY(refused.open(QIODevice::WriteOnly));
    refused.write("\"XYZ\"\r\n\"Acme\"\r\nnot a number\r\n");
  }
  void cleanupTestCase() { QFile::remove(kRefused); }

  // After each emptying command the Header, Info, DATAs, balloon and polar
  // windows show an empty source, and a value typed into them is refused
  // with a message, not stored where no save finds it.
  void emptiedSourceShowsEmptyViews() {
    for (const Command& c : kResets) {
      if (QString(c.name).startsWith("File Open of another") || QString(c.name) == "Close All")
        continue;
      Session s;
      c.run(s);
      QVERIFY2(!s.state.src.HasData(), c.name);
      for (const char* view : {"ViewHeader", "ViewInfo", "ViewData", "View2", "ViewBaloon"})
        s.Trigger(view);
      QCOMPARE(
          s.Box("NamTxt") + "|" + s.Box("ManTxt") + "|" + s.Box("LoBand") + "|" + s.Box("HiBand"),
          QString("||31.5 Hz|16000 Hz"));
      QVERIFY2(s.window.Info()->findChild<GridWidget*>("InfoGrid")->rowCount() == 0, c.name);
      QVERIFY2(s.window.Data()->Grid()->rowCount() == 0, c.name);
      QVERIFY2(!s.window.Polar(0)->Chart() && !s.window.Polar(1)->Chart(), c.name);
      BallPict* balloon = s.window.BalloonView()->Picture();
      QVERIFY2(AllWhite(balloon->Render(balloon->size())), c.name);

      QVERIFY2(s.Box("Icell").isEmpty() && s.Box("Cell").isEmpty(), c.name);  // Pointed Datum

      const short saved = s.state.src.DataSaved;
      s.messages.clear();
      auto* icell = s.Find<QLineEdit>("Icell");
      icell->setText("12");
      QTest::keyClick(icell, Qt::Key_Return);
      auto* cell = s.Find<QLineEdit>("Cell");
      cell->setText("0.5");
      QTest::keyClick(cell, Qt::Key_Return);
      const QString refused =
          "Warning|There are no source data: open, import or create a source first.";
      QVERIFY2(s.messages == QStringList({refused, refused}), qPrintable(s.messages.join('\n')));
      QVERIFY2(s.state.src.DataSaved == saved && s.state.src.Lw(1) == 0.0f, c.name);
    }
  }

  // An open Create window closes with any command that replaces the
  // description, so its OK cannot write into another source.
  void createWindowClosesWithTheSource() {
    for (const Command& c : kResets) {
      if (QString(c.name).contains("power box") || QString(c.name) == "Create Source (BZ)")
        continue;
      Session s("");
      s.Trigger("FileCreate");
      ChildWindow* create = s.Child(W::Creation);
      QVERIFY(create->isVisible());
      c.run(s);
      QVERIFY2(!create->isVisible(), c.name);
    }
    // Reopened by its command, it shows again.
    Session s("");
    s.Trigger("FileNew");
    s.Trigger("FileCreate");
    QVERIFY(s.Child(W::Creation)->isVisible());
  }

  // The geometry view closes with the geometry it showed; a geometry
  // attached while it is open shows at once; reopened it starts at 60°.
  void geometryViewFollowsTheGeometry() {
    for (const Command& c : kResets) {
      if (QString(c.name).contains("power box")) continue;
      Session s;
      GiveFile(s.window, FONDEREL_TEST_DATA "/geometry/BOX.RAY");
      s.Trigger("AttachRAY");
      s.Trigger("ViewGeometry");
      QVERIFY(s.Child(W::Geometry)->isVisible());
      c.run(s);
      QVERIFY2(!s.Child(W::Geometry)->isVisible(), c.name);
    }
    Session s;
    GiveFile(s.window, FONDEREL_TEST_DATA "/geometry/BOX.RAY");
    s.Trigger("AttachRAY");
    s.Trigger("ViewGeometry");
    GeometryWindow* view = s.GeometryView();
    QApplication::processEvents();
    const QImage box = s.OnScreen(view->Picture());
    GiveFile(s.window, FONDEREL_SOURCES "/CABINET.RAY");
    s.Trigger("AttachRAY");
    QApplication::processEvents();
    const QImage cabinet = s.OnScreen(view->Picture());
    QVERIFY(Differing(box, cabinet) > 50);
    QVERIFY(Differing(cabinet, view->Picture()->Render()) < 20);

    view->Slider()->setValue(-90);
    s.Child(W::Geometry)->close();
    s.Trigger("ViewGeometry");
    QCOMPARE(view->Slider()->value(), 60);
    const QImage at60 = view->Picture()->Render();
    view->Slider()->setValue(-90);
    view->Slider()->setValue(60);
    QCOMPARE(Differing(at60, view->Picture()->Render()), 0);
  }

  // The source marker stands at the centre a measurement gives and moves with it.
  void geometryMarksTheSourceCentre() {
    Session s;
    GiveFile(s.window, FONDEREL_TEST_DATA "/geometry/BOX.RAY");
    s.Trigger("AttachRAY");
    s.state.Iso.SrcX = 0.5f;
    s.state.Iso.SrcY = -0.4f;
    s.state.Iso.SrcZ = 0.3f;
    s.Trigger("ViewGeometry");
    GeometryPicture* picture = s.GeometryView()->Picture();
    const QImage shown = picture->Render();
    s.state.Iso.SrcX = s.state.Iso.SrcY = s.state.Iso.SrcZ = 0.0f;
    QVERIFY(Differing(shown, picture->Render()) > 20);
    const TwipsSize size{PixelsToTwips(picture->width()), PixelsToTwips(picture->height())};
    const GeometryDrawing at = DrawGeometry(s.state.src, size, 60, {0.5f, -0.4f, 0.3f});
    // Dark pixels where the circle's left edge lies.
    const auto darkNear = [&](double x, double y) {
      int dark = 0;
      const int px = qRound(x / kTwipsPerPixel), py = qRound(y / kTwipsPerPixel);
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (qGray(shown.pixel(px + dx, py + dy)) < 128) ++dark;
      return dark;
    };
    QVERIFY(darkNear(at.markerX - at.markerRadius, at.markerY) > 0);
  }

  // A measurement's layout read from a CAD file brings its geometry; the
  // View menu enables Geometry for it, and File › New greys it again.
  void viewGeometryFollowsTheGeometryInMemory() {
    Session s;
    QMenu* menu = s.window.findChild<QMenu*>("View");
    QAction* geometry = s.window.Action("ViewGeometry");
    auto shown = [&] {
      emit menu->aboutToShow();
      return geometry->isEnabled();
    };
    QVERIFY(!shown());
    const auto read =
        ReadRayReceivers(s.state.src, s.window.Platform(), FONDEREL_TEST_DATA "/iso3744/ROOM6.RAY");
    QVERIFY(read.has_value());
    QVERIFY(shown());
    s.Trigger("FileNew");
    QVERIFY(!shown());
  }

  // Started without a file on a screen smaller than the window's usual size
  // (as main() starts it: no size given), the main window, the Create window
  // with its source-type buttons and band boxes, and the Interpolate window
  // lie wholly inside the screen's available area.
  void windowsOpenInsideTheScreen() {
    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(Startup(state, window.Platform(), ""));
    const QRect screen = window.screen()->availableGeometry();
    QVERIFY2(screen.contains(window.frameGeometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                     .arg(window.x())
                                                                     .arg(window.y())
                                                                     .arg(window.width())
                                                                     .arg(window.height())));
    window.Action("FileCreate")->trigger();
    ChildWindow* create = window.Child({W::Creation});
    for (const char* name :
         {"NewSpkTypeLouds", "NewSpkTypeNoise", "Text1_0", "Text1_9", "Command3"}) {
      QWidget* w = window.findChild<QWidget*>(name);
      const QRect global(w->mapToGlobal(QPoint(0, 0)), w->size());
      const QRect inWindow(w->mapTo(create, QPoint(0, 0)), w->size());
      QVERIFY2(w->isVisible() && screen.contains(global) && create->rect().contains(inWindow),
               name);
    }
    window.Platform().messageHook = [](MessageIcon, MessageButtons, const std::string&,
                                       const std::string&) { return MessageAnswer::No; };
    WhileModal<Interpol>(window, "Interp",
                         [&](Interpol& w) { QVERIFY(screen.contains(w.frameGeometry())); });
  }

  // Large numbers and captions show whole: every Info cell and Pointed
  // Datum at the window's size, and the Interpolate table's header.
  void numbersFitTheirCells() {
    Session s;
    for (int b = 1; b <= kBandCount; ++b) s.state.src.Efficiency(b) = 93301234.5f;
    s.Trigger("ViewInfo");
    auto* grid = s.window.Info()->findChild<GridWidget*>("InfoGrid");
    for (int r = 0; r < grid->rowCount(); ++r)
      for (int c = 0; c < grid->columnCount(); ++c) {
        const QString text = grid->item(r, c)->text();
        QVERIFY2(grid->fontMetrics().horizontalAdvance(text) < grid->columnWidth(c),
                 qPrintable(text));
      }
    grid->setFocus();
    grid->setCurrentCell(5, 3);
    auto* icell = s.Find<QLineEdit>("Icell");
    QCOMPARE(icell->text(), grid->item(5, 3)->text());
    QVERIFY(icell->text().startsWith("933012"));
    QVERIFY(icell->fontMetrics().horizontalAdvance(icell->text()) < icell->width() - 8);

    WhileModal<Interpol>(s.window, "Interp", [](Interpol& w) {
      const QString header = w.Grid()->item(0, 1)->text();
      QVERIFY(w.Grid()->fontMetrics().horizontalAdvance(header) < w.Grid()->columnWidth(1));
    });
  }

  // An answer the power box cannot use is answered with why before it asks again.
  void powerBoxSaysWhy() {
    Session s("");
    s.CreateWithPowers({"0", "-3", "abc"});
    QCOMPARE(s.messages, QStringList(3, "Introduce Power Data|Please enter a number above 0"));
    QVERIFY(!s.state.src.BandPresent(6));
    s.messages.clear();
    s.CreateWithPowers({"5"});
    QVERIFY(s.messages.filter("Please enter").isEmpty());
    QVERIFY(s.state.src.BandPresent(6));
  }

  // Zoomed in, the shaded balloon stops short of the colour bar: beside the
  // bar only its black labels and ticks show.
  void zoomedBalloonKeepsClearOfItsLabels() {
    Session s;
    s.Trigger("ViewBaloon");
    BallPict* picture = s.window.BalloonView()->Picture();
    for (QAction* look : s.window.BalloonView()->LookChoice()->actions())
      if (look->text() == "Shaded") look->trigger();
    for (int i = 0; i < 20; ++i) {
      QWheelEvent wheel(QPointF(10, 10), picture->mapToGlobal(QPointF(10, 10)), {}, {0, 120},
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(picture, &wheel);
    }
    const QImage image = picture->Render(picture->size());
    QImage scratch(8, 8, QImage::Format_RGB32);
    QPainter measure(&scratch);
    const int labels = qCeil(ColourBarLabelWidth(measure));
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = image.width() - labels; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (qMax(qAbs(c.red() - c.green()), qAbs(c.green() - c.blue())) > 40) ++coloured;
      }
    QCOMPARE(coloured, 0);
  }
};

QTEST_MAIN(ViewsFollowDataTest)
#include "ViewsFollowDataTest.moc"
