#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"

namespace {

// The folder that holds the program's sources/ and Manual/: the executable's
// own folder in a build tree, ../share/fonderel once installed.
QString FindAppPath() {
  const QDir exe(QCoreApplication::applicationDirPath());
  if (exe.exists("sources") || exe.exists("Manual")) return exe.absolutePath();
  const QString installed = exe.absoluteFilePath("../share/fonderel");
  return QDir(installed).exists() ? QDir(installed).absolutePath() : exe.absolutePath();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Fonderel");
  fonderel::AppState state;
  state.AppPath = QFile::encodeName(FindAppPath()).toStdString();
  // The command line is the path of the file to load: the arguments joined by blanks.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::string commandLine = QFile::encodeName(args.join(' ')).toStdString();

  fonderel::MainWindow window(state);
  window.show();
  fonderel::Startup(state, window.Platform(), commandLine);
  return QApplication::exec();
}
