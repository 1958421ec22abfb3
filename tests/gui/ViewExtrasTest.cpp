// The shaded balloon, the Coverage window, the datasheet, the Create window
// and the geometry view, as a user meets them: the look of the Balloon
// picture as it is turned, the chart's points, the PDF and SVG files written
// from the menu and from fonderel-cli, the up-down buttons and "OK -
// prosecute" with the power box, and attaching a CAD geometry whose wire frame
// turns with the slider and follows the window when it is maximised.
#include <QActionGroup>
#include <QChart>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "BalloonWindow.h"
#include "CoverageWindow.h"
#include "GeometryWindow.h"
#include "GuiTest.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

using Session = UserSession;

// A press, a move or a double-click with the left button held.
void Mouse(QWidget* w, QEvent::Type type, QPointF at) {
  QMouseEvent event(type, at, w->mapToGlobal(at),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

// Runs a program; its exit status, standard output and standard error.
struct Run {
  int status;
  QString out, err;
};
Run Program(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(30000)) return {-1, {}, "did not finish"};
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

// What a reader of the PDF finds in it as text.
QString PdfText(const QString& pdf) {
  return Program("pdftotext", {pdf, "-"}).out;
}

}  // namespace

class ViewExtrasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseFixedLook(); }  // golden pictures need a fixed look

  void shadedBalloonTurnsZoomsAndComesBack() {
    Session s;
    s.Trigger("ViewBaloon");
    // At 1 kHz the horn's balloon is plainly directional.
    s.window.Child({ViewWindow::Balloon})->resize(420, 440);
    s.OpenThrottle();
    emit s.window.BalloonView()->Selector()->activated(5);
    QCOMPARE(s.state.SelectedBand, 6.0f);
    BallPict* pict = s.window.BalloonView()->Picture();
    const QList<QAction*> looks = s.window.BalloonView()->LookChoice()->actions();
    QCOMPARE(looks.size(), 2);
    QVERIFY(looks[0]->text() == "Wire frame" && looks[0]->isChecked());
    const QImage wire = pict->Render(pict->size());

    // The wire frame is fixed: a drag does not turn it.
    Mouse(pict, QEvent::MouseButtonPress, {50, 50});
    Mouse(pict, QEvent::MouseMove, {90, 70});
    QCOMPARE(pict->Render(pict->size()), wire);

    looks[1]->trigger();
    const QImage shaded = pict->Render(pict->size());
    QVERIFY(shaded != wire);

    Mouse(pict, QEvent::MouseButtonPress, {50, 50});
    Mouse(pict, QEvent::MouseMove, {110, 20});
    const QImage turned = pict->Render(pict->size());
    QVERIFY(turned != shaded);
    QVERIFY(LooksAsBefore(s.window.Child({ViewWindow::Balloon}), "ShadedBalloonTurned"));
    QWheelEvent wheel({50, 50}, pict->mapToGlobal(QPointF(50, 50)), {}, {0, 240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pict, &wheel);
    QVERIFY(pict->Render(pict->size()) != turned);

    Mouse(pict, QEvent::MouseButtonDblClick, {50, 50});
    QCOMPARE(pict->Render(pict->size()), shaded);

    looks[0]->trigger();
    QCOMPARE(pict->Render(pict->size()), wire);
  }

  void coverageWindowShowsBandsWithData() {
    Session s;
    s.Trigger("ViewCoverage");
    CoverageWindow* coverage = s.window.CoverageView();
    QVERIFY(coverage && coverage->isVisible());
    const QList<QAbstractSeries*> series = coverage->Chart()->series();
    QCOMPARE(series.size(), 3);
    for (QAbstractSeries* each : series) {
      const QList<QPointF> points = static_cast<QLineSeries*>(each)->points();
      // The horn holds bands 3 to 8 (125 Hz to 4 kHz); the others are left out.
      QCOMPARE(points.size(), 6);
      QCOMPARE(points.front().x(), 3.0);
      QCOMPARE(points.back().x(), 8.0);
    }
    // The index of band 6 is 10·log10(6.288).
    QVERIFY(qAbs(static_cast<QLineSeries*>(series[2])->points()[3].y() - 7.985) < 0.001);
    QVERIFY(LooksAsBefore(coverage->parentWidget(), "Coverage"));
    // File New empties the source and hides the view with the others.
    s.window.Action("FileNew")->trigger();
    QVERIFY(!coverage->isVisible());
  }

  // From the menu: a PDF whose text holds what the page shows, and which
  // renders; a target that cannot be written gives a message naming it and
  // leaves no file, from the menu and from fonderel-cli alike.
  void exportDatasheetFromTheMenu() {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("taken.pdf");
    const QString targets[] = {dir.filePath("HORN.pdf"), dir.filePath("missing/HORN.pdf"),
                               dir.filePath("taken.pdf")};
    for (const QString& target : targets) {
      Session s;
      FileDialogSettings asked;
      s.window.Platform().fileDialogHook = [&](FileDialogKind, const FileDialogSettings& settings) {
        asked = settings;
        return std::optional<std::string>(target.toStdString());
      };
      s.Trigger("FileDatasheet");
      QCOMPARE(QString::fromStdString(asked.fileName), QString("HORN90X40.pdf"));
      if (target == targets[0]) {
        const QString text = PdfText(target);
        for (const char* expected :
             {"Horn 90x40 two-way", "Example Acoustics", "107.61", "Efficiency"})
          QVERIFY2(text.contains(expected), expected);
        const Run render = Program("pdftoppm", {"-r", "30", "-png", target, dir.filePath("page")});
        QVERIFY2(render.status == 0 && render.err.isEmpty(), qPrintable(render.err));
        QCOMPARE(QString::fromStdString(s.state.log.Lines().back()),
                 "Datasheet written to: " + target);
        QFile::remove(target);
        QFile::remove(dir.filePath("page-1.png"));
        continue;
      }
      QCOMPARE(s.messages.size(), 1);
      QVERIFY2(s.messages[0].section('|', 1).startsWith(target), qPrintable(s.messages[0]));
      const Run cli = Program(FONDEREL_CLI_PATH, {"datasheet", kHorn, target});
      QCOMPARE(cli.status, 1);
      QVERIFY2(cli.err.contains(target), qPrintable(cli.err));
      QVERIFY(!QFileInfo(target).isFile());
      QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }
  }

  void cliWritesPdfAndSvg() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("horn.pdf"), svg = dir.filePath("horn.SVG");
    struct Case {
      QStringList args;
      int status;
      const char* found;  // in the PDF's text, the SVG, or standard error
    } const cases[] = {
        {{"datasheet", kHorn, pdf}, 0, "Balloon, 1000 Hz"},
        {{"datasheet", kHorn, pdf, "--band", "3"}, 0, "Balloon, 125 Hz"},
        {{"datasheet", kHorn, svg}, 0, "Horn 90x40 two-way"},
        {{"datasheet", kHorn, dir.filePath("x.pdf"), "--band", "9"},
         1,
         "band 9 (8000 Hz) holds no data"},
    };
    for (const Case& c : cases) {
      const Run run = Program(FONDEREL_CLI_PATH, c.args);
      QCOMPARE(run.status, c.status);
      QFile written(c.args[2]);
      written.open(QIODevice::ReadOnly);
      const QString found = c.status != 0      ? run.err
                            : c.args[2] == pdf ? PdfText(pdf)
                                               : QString::fromUtf8(written.readAll());
      QVERIFY2(found.contains(c.found), qPrintable(c.args.join(' ') + ": " + found.left(300)));
    }
    QVERIFY(!QFile::exists(dir.filePath("x.pdf")));
  }

  void createWindowBuildsANoiseSource() {
    Session s("", MessageAnswer::No);
    s.window.Action("FileCreate")->trigger();
    ChildWindow* create = s.window.Child({ViewWindow::Creation});
    QVERIFY(create->isVisible());
    QVERIFY(LooksAsBefore(create, "CreateWindow"));
    // The arrows stop at 10 and at 0.
    for (const auto& [button, end] : {std::pair{"Spin1Up_0", "10"}, {"Spin1Down_0", "0"}}) {
      for (int i = 0; i < 12; ++i) s.Find<QToolButton>(button)->click();
      QCOMPARE(s.Find<QLineEdit>("Text1_0")->text(), QString(end));
    }
    for (int box = 2; box <= 7; ++box)
      s.Find<QLineEdit>(QString("Text1_%1").arg(box))->setText("3");
    s.Find<QRadioButton>("NewSpkTypeNoise")->click();
    QStringList prompts;
    s.window.Platform().inputHook = [&](const std::string&, const std::string& prompt) {
      prompts << QString::fromStdString(prompt);
      return std::optional<std::string>("94");
    };
    s.Find<QPushButton>("Command3")->click();
    QCOMPARE(prompts, QStringList{"Sound Power Level (LIN,dB)"});
    QVERIFY(!create->isVisible());
    QCOMPARE(int(s.state.src.FirstBand), 3);
    QCOMPARE(int(s.state.src.LastBand), 8);
    QCOMPARE(s.state.src.Efficiency(3), 100.0f);
    QVERIFY(qAbs(s.state.src.Lw(3) - 86.2185f) < 1e-3f);
  }

  void geometryTurnsWithTheSlider() {
    Session s(kHorn, MessageAnswer::No);
    QAction* view = s.window.Action("ViewGeometry");
    QVERIFY(!view->isEnabled());
    GiveFile(s.window, FONDEREL_TEST_DATA "/geometry/BOX.RAY");
    s.window.Action("AttachRAY")->trigger();
    QVERIFY(view->isEnabled());
    view->trigger();
    ChildWindow* child = s.window.Child({ViewWindow::Geometry});
    QVERIFY(child && child->isVisible());
    auto* geometry = qobject_cast<GeometryWindow*>(child->widget());
    const QSlider* slider = geometry->Slider();
    QCOMPARE(QList<int>({slider->value(), slider->minimum(), slider->maximum()}),
             QList<int>({60, -180, 180}));
    const QImage at60 = geometry->Picture()->Render();
    QVERIFY(LooksAsBefore(child, "GeometryWindow"));
    geometry->Slider()->setValue(0);
    QVERIFY(Differing(at60, geometry->Picture()->Render()) > 50);
    geometry->Slider()->setValue(60);
    QCOMPARE(Differing(at60, geometry->Picture()->Render()), 0);
    // Maximised, the picture takes the larger window less its margins.
    const int normalWidth = geometry->Picture()->width();
    child->showMaximized();
    QTRY_VERIFY(geometry->Picture()->width() > normalWidth);
    QCOMPARE(geometry->Picture()->width(), geometry->width() - 200 / 15 - 1);
    child->showMinimized();
    QTRY_VERIFY(child->isMinimized());
    child->showNormal();
    QTRY_COMPARE(geometry->Picture()->width(), normalWidth);
  }
};

QTEST_MAIN(ViewExtrasTest)
#include "ViewExtrasTest.moc"
