// What every desktop program does around its main window, added to the
// described menus and flows without changing them: the program's icon on
// every window, standard shortcuts, the recent files above Exit, files dropped
// on the window, and the window's size and place kept between runs.
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>

class QAction;
class QSettings;

namespace fonderel {

struct AppState;
class MainWindow;

// The program's icon in the sizes it ships (48 and 256 px).
QIcon FonderelIcon();

class DesktopHabits : public QObject {
  Q_OBJECT

 public:
  // Installs everything on the window, whose child windows may come later.
  // Recent files and geometry are read from and written to `settings`.
  DesktopHabits(MainWindow& window, QSettings& settings);
  ~DesktopHabits() override;

  // Gives the main window the size and place of the last run (before it is shown).
  void RestoreGeometry();
  void SaveGeometry();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void InstallShortcuts();
  void InstallRecentMenu();
  void RecentFilesChanged();
  void ShowRecentFiles();

  MainWindow& window_;
  AppState& state_;
  QSettings& settings_;
  QList<QAction*> recent_;
  QAction* recentSeparator_ = nullptr;
};

}  // namespace fonderel
