// A file whose name holds characters beyond ASCII, opened in the program:
// the text log, the caption and an error message show the name as spelled.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QFile>
#include <QListWidget>
#include <QTest>

#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"

using namespace fonderel;

class PathTextTest : public QObject {
  Q_OBJECT

 private slots:
  void logCaptionAndErrorsShowThePathAsSpelled() {
    const QString dir = QDir::tempPath() + "/fonderel-gui-paths";
    QDir().mkpath(dir);
    const QString good = dir + QString::fromUtf8("/Mein Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 Test \u97F3.SPK");
    const QString bad = dir + QString::fromUtf8("/Kaputt \u00E9 \u97F3.SPK");
    QFile::remove(good);
    QVERIFY(QFile::copy(FONDEREL_SOURCES "/HORN90X40.SPK", good));
    QFile out(bad);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("\"Source Name\",\"x\"\r\n");
    out.close();

    AppState state;
    MainWindow window(state);
    window.show();
    QVERIFY(Startup(state, window.Platform(), ""));
    // The real message box, read and closed as soon as it is up.
    QStringList messages;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages << box->text();
        box->accept();
      }
    });
    closer.start(20);
    QStringList captions;
    for (const QString& path : {good, bad}) {
      window.Platform().fileDialogHook = [&](FileDialogKind, const FileDialogSettings&) {
        return std::optional<std::string>(QFile::encodeName(path).toStdString());
      };
      window.Action("FileOpen")->trigger();
      captions << window.windowTitle();
    }
    QCOMPARE(captions.front(), "Fonderel " + good);
    auto* list = window.findChild<QListWidget*>("List1");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    QVERIFY(lines.contains("Reading Source Description from: " + good));
    QVERIFY(lines.contains("Reading Source Description from: " + bad));
    QVERIFY2(lines.filter("Error: " + bad + ", line ").size() == 1, qPrintable(lines.join('\n')));
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.front().startsWith(bad + ", line "), qPrintable(messages.front()));
  }
};

QTEST_MAIN(PathTextTest)
#include "PathTextTest.moc"
