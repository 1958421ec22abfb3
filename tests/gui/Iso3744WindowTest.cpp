// The ISO 3744 (3746) window on the offscreen platform: the input kept when
// the window is opened again, Print Window through the print dialog (and a
// printer that cannot be opened said), the picture pane kept while a message
// box is up, and the background row with the grade and the report.
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>

#include "GridWidget.h"
#include "GuiTest.h"
#include "Iso3744Window.h"
#include "core/SafeFile.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

void Type(QLineEdit* box, const char* text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class Iso3744WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void typedInputSurvivesReopening() {
    UserSession s("", MessageAnswer::No);
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      Type(iso.findChild<QLineEdit*>("lenght"), "3");
      Type(iso.findChild<QLineEdit*>("widt"), "2.5");
      Type(iso.findChild<QLineEdit*>("Volume"), "150");
      auto* nmics = iso.findChild<QComboBox*>("Nmics");
      nmics->setCurrentIndex(3);
      emit nmics->activated(3);
    });
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      QCOMPARE(iso.findChild<QComboBox*>("Nmics")->currentText(), QString("10"));
      QCOMPARE(iso.findChild<QLineEdit*>("lenght")->text(), QString("3"));
      QCOMPARE(iso.findChild<QLineEdit*>("widt")->text(), QString("2.5"));
      QCOMPARE(iso.findChild<QLineEdit*>("Volume")->text(), QString("150"));
      iso.findChild<QPushButton*>("DispLw")->click();
      QCOMPARE(s.state.Iso.RoomVolume, 150.0f);
    });
  }

  void printWindowGoesThroughThePrintDialog() {
    UserSession s("", MessageAnswer::Ok);
    QTemporaryDir dir;
    int dialogs = 0;
    bool answer = false;
    s.window.Platform().printerDialogHook = [&](int) {
      ++dialogs;
      return answer;
    };
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      QPrinter& printer = s.window.Platform().Printer();
      const QString pdf = dir.filePath("window.pdf");
      printer.setOutputFileName(pdf);
      auto* print = iso.findChild<QPushButton*>("Command2");
      print->click();  // cancelled: nothing printed, nothing said
      QCOMPARE(dialogs, 1);
      QVERIFY(!QFile::exists(pdf));
      answer = true;
      const qsizetype before = s.messages.size();
      print->click();
      QVERIFY(QFileInfo(pdf).size() > 1000);
      QCOMPARE(s.messages.size(), before);
      printer.setOutputFileName(dir.filePath("missing/window.pdf"));
      print->click();
      QCOMPARE(s.messages.size(), before + 1);
      QCOMPARE(s.messages.back(), QString("Print Error|") + kPrintFailedText);
    });
  }

  void picturePaneKeepsItsPlaceWhileAMessageIsUp() {
    UserSession s("", MessageAnswer::Ok);
    int heightDuringMessage = -1;
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      QWidget* pane = iso.findChild<QWidget*>("Pictures");
      const int before = pane->height();
      QVERIFY(before > 100);
      s.window.Platform().messageHook = [&](MessageIcon, MessageButtons, const std::string&,
                                            const std::string&) {
        QApplication::processEvents();
        heightDuringMessage = pane->height();
        return MessageAnswer::Ok;
      };
      s.state.Iso.RevTime(1) = 1.0f;
      Type(iso.findChild<QLineEdit*>("Volume"), "0");  // refused by the computation
      iso.findChild<QPushButton*>("OK")->click();
      QCOMPARE(heightDuringMessage, before);
      QVERIFY(iso.findChild<QWidget*>("Image1")->isVisible());
    });
  }

  void backgroundRowGradeAndReport() {
    UserSession s("", MessageAnswer::Ok);
    QTemporaryDir dir;
    WhileModal<Iso3744Window>(s.window, "FileCreateNoise", [&](Iso3744Window& iso) {
      auto* grid = iso.findChild<GridWidget*>("Grid1");
      const int lb = s.state.Iso.MicCount + 2;
      QCOMPARE(grid->item(lb, 0)->text(), QString("Lb - dB"));
      QCOMPARE(grid->item(lb, 6)->text(), QString(""));
      for (int m = 1; m <= s.state.Iso.MicCount; ++m) s.state.MicLp(m, 6) = 80.0f;
      grid->setFocus();
      grid->setCurrentCell(lb, 6);
      QTest::keyClicks(grid, "76");
      QTest::keyClick(grid, Qt::Key_Return);
      QCOMPARE(grid->item(lb, 6)->text(), QString("76.0"));
      QCOMPARE(s.state.Iso.Background(6), 76.0f);
      iso.findChild<QPushButton*>("DispLw")->click();
      const auto notes = iso.findChild<BarChartWidget*>("Graph1")->Chart().notes;
      const auto has = [&](const std::string& line) {
        return std::find(notes.begin(), notes.end(), line) != notes.end();
      };
      QVERIFY(
          has("The background in the 1000 Hz band is less than 6 dB under the source level "
              "(4.0 dB): K1 = 1.3 dB is used and Lw there is an upper bound."));
      QVERIFY(has("Grade: survey grade (ISO 3746); uncertainty of LwA +/- 6.0 dB (k = 2)."));
      QVERIFY(
          has("FAILED - Background noise: less than 6 dB under the source in the 1000 Hz band(s); "
              "Lw there is an upper bound."));
      const QString pdf = dir.filePath("report.pdf");
      GiveFile(s.window, pdf);
      iso.findChild<QPushButton*>("Report")->click();
      const auto bytes = ReadWholeFile(pdf.toStdString());
      QVERIFY(bytes.has_value());
      QVERIFY(bytes->starts_with("%PDF"));
    });
  }
};

QTEST_MAIN(Iso3744WindowTest)
#include "Iso3744WindowTest.moc"
