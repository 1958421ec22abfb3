// The shaded balloon, the Coverage window and the datasheet, as a user meets
// them: the look of the Balloon picture as it is turned, the chart's points,
// and the PDF and SVG files written from the menu and from fonderel-cli.
#include <QActionGroup>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "BalloonWindow.h"
#include "CoverageWindow.h"
#include "GuiTest.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

// Started on the horn; message boxes are noted as "title|text" and answered OK.
struct Session : GuiSession {
  QStringList messages;
  Session() : GuiSession(kHorn, {1400, 900}) {
    AnswerMessages(window, MessageAnswer::Ok, &messages);
  }
};

// A press, a move or a double-click with the left button held.
void Mouse(QWidget* w, QEvent::Type type, QPointF at) {
  QMouseEvent event(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
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
QString PdfText(const QString& pdf) { return Program("pdftotext", {pdf, "-"}).out; }

}  // namespace

class ViewExtrasTest : public QObject {
  Q_OBJECT

 private slots:
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
    QVERIFY(SavePicture(s.window.Child({ViewWindow::Balloon}), "ShadedBalloonTurned"));
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
    QVERIFY(SavePicture(coverage->parentWidget(), "Coverage"));
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
        for (const char* expected : {"Horn 90x40 two-way", "Example Acoustics", "107.61", "Efficiency"})
          QVERIFY2(text.contains(expected), expected);
        const Run render = Program("pdftoppm", {"-r", "30", "-png", target, dir.filePath("page")});
        QVERIFY2(render.status == 0 && render.err.isEmpty(), qPrintable(render.err));
        QCOMPARE(QString::fromStdString(s.state.log.Lines().back()), "Datasheet written to: " + target);
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
        {{"datasheet", kHorn, dir.filePath("x.pdf"), "--band", "9"}, 1, "band 9 (8000 Hz) holds no data"},
    };
    for (const Case& c : cases) {
      const Run run = Program(FONDEREL_CLI_PATH, c.args);
      QCOMPARE(run.status, c.status);
      QFile written(c.args[2]);
      written.open(QIODevice::ReadOnly);
      const QString found = c.status != 0 ? run.err
                            : c.args[2] == pdf ? PdfText(pdf)
                                               : QString::fromUtf8(written.readAll());
      QVERIFY2(found.contains(c.found), qPrintable(c.args.join(' ') + ": " + found.left(300)));
    }
    QVERIFY(!QFile::exists(dir.filePath("x.pdf")));
  }
};

QTEST_MAIN(ViewExtrasTest)
#include "ViewExtrasTest.moc"
