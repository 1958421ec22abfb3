#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSettings>
#include <QStringList>

#include "DesktopHabits.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/OpenNamedFile.h"
#include "app/Startup.h"

namespace {

Q_LOGGING_CATEGORY(lcStartup, "fonderel.startup", QtWarningMsg)

// The folder that holds the program's sources/ and Manual/: the executable's
// own folder in a build tree, ../share/fonderel once installed.
QString FindAppPath() {
  const QDir exe(QCoreApplication::applicationDirPath());
  if (exe.exists("sources") || exe.exists("Manual")) return exe.absolutePath();
  const QString installed = exe.absoluteFilePath("../share/fonderel");
  return QDir(installed).exists() ? QDir(installed).absolutePath() : exe.absolutePath();
}

// What the program found, for whoever checks an installed tree
// (QT_LOGGING_RULES="fonderel.startup.info=true").
void ReportAppPath(const QString& appPath) {
  const QDir dir(appPath);
  qCInfo(lcStartup, "sources: %s", qUtf8Printable(dir.exists("sources") ? dir.filePath("sources") : "missing"));
  qCInfo(lcStartup, "manual: %s",
         qUtf8Printable(dir.exists("Manual/MFonderel.htm") ? dir.filePath("Manual/MFonderel.htm") : "missing"));
}

}  // namespace

int main(int argc, char** argv) {
  // Fractional screen scales draw at their own ratio, not rounded to whole pixels.
  QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Fonderel");
  QApplication::setOrganizationName("Fonderel");
  QApplication::setDesktopFileName("org.fonderel.Fonderel");
  fonderel::AppState state;
  const QString appPath = FindAppPath();
  state.AppPath = QFile::encodeName(appPath).toStdString();
  ReportAppPath(appPath);
  // The command line is the path of the file to load: the arguments joined by blanks.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::string commandLine = QFile::encodeName(args.join(' ')).toStdString();

  fonderel::MainWindow window(state);
  QSettings settings;
  fonderel::DesktopHabits habits(window, settings);
  habits.RestoreGeometry();
  window.show();
  fonderel::Startup(state, window.Platform(), commandLine);
  fonderel::NoteStartupFile(state, commandLine);
  return QApplication::exec();
}
