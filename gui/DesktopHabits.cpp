#include "DesktopHabits.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/OpenNamedFile.h"

// Resources of a static library are registered by hand, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(fonderel_icons); }

namespace fonderel {
namespace {

constexpr const char* kRecentKey = "RecentFiles";
constexpr const char* kGeometryKey = "MainWindow/Geometry";

// The first local file of a drag, or an empty text.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) return url.toLocalFile();
  }
  return {};
}

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString Path(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

}  // namespace

QIcon FonderelIcon() {
  InitIconResources();
  QIcon icon;
  icon.addFile(":/icons/fonderel-48.png", QSize(48, 48));
  icon.addFile(":/icons/fonderel-256.png", QSize(256, 256));
  return icon;
}

DesktopHabits::DesktopHabits(MainWindow& window, QSettings& settings)
    : QObject(&window), window_(window), state_(window.State()), settings_(settings) {
  // Dialogs, message boxes and the child windows take the application's icon.
  QApplication::setWindowIcon(FonderelIcon());
  window_.setWindowIcon(FonderelIcon());
  InstallShortcuts();
  InstallRecentMenu();
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
}

DesktopHabits::~DesktopHabits() { state_.Recent.SetListener(nullptr); }

void DesktopHabits::InstallShortcuts() {
  // The desktop's own keys; where its theme has none (Quit, on some), the usual ones.
  const struct {
    const char* action;
    QKeySequence::StandardKey key;
    const char* usual;
  } shortcuts[] = {
      {"FileNew", QKeySequence::New, "Ctrl+N"},     {"FileOpen", QKeySequence::Open, "Ctrl+O"},
      {"FIleSave", QKeySequence::Save, "Ctrl+S"},   {"FilePrint", QKeySequence::Print, "Ctrl+P"},
      {"FileExit", QKeySequence::Quit, "Ctrl+Q"},   {"HelpIndex", QKeySequence::HelpContents, "F1"},
  };
  for (const auto& s : shortcuts) {
    QAction* action = window_.Action(s.action);
    if (action == nullptr || !action->shortcut().isEmpty()) continue;
    const QList<QKeySequence> keys = QKeySequence::keyBindings(s.key);
    action->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{QKeySequence(s.usual)} : keys);
  }
}

void DesktopHabits::InstallRecentMenu() {
  QAction* exit = window_.Action("FileExit");
  auto* menu = window_.findChild<QMenu*>("Fil");
  if (exit == nullptr || menu == nullptr) return;
  for (std::size_t i = 0; i < kRecentFileCount; ++i) {
    auto* action = new QAction(&window_);
    action->setObjectName(QString("FileRecent%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, i] {
      OpenRecentFile(state_, window_.Platform(), i);
    });
    menu->insertAction(exit, action);
    recent_ << action;
  }
  recentSeparator_ = new QAction(&window_);
  recentSeparator_->setObjectName("sepRecent");
  recentSeparator_->setSeparator(true);
  menu->insertAction(exit, recentSeparator_);

  std::vector<std::string> stored;
  for (const QString& path : settings_.value(kRecentKey).toStringList()) stored.push_back(Bytes(path));
  state_.Recent.Assign(stored);
  state_.Recent.SetListener([this] { RecentFilesChanged(); });
  ShowRecentFiles();
}

void DesktopHabits::RecentFilesChanged() {
  QStringList paths;
  for (const std::string& f : state_.Recent.Files()) paths << Path(f);
  settings_.setValue(kRecentKey, paths);
  settings_.sync();
  ShowRecentFiles();
}

void DesktopHabits::ShowRecentFiles() {
  const auto& files = state_.Recent.Files();
  for (qsizetype i = 0; i < recent_.size(); ++i) {
    const bool used = static_cast<std::size_t>(i) < files.size();
    recent_[i]->setVisible(used);
    if (!used) continue;
    const QString path = Path(files[static_cast<std::size_t>(i)]);
    recent_[i]->setText(QString("&%1 %2").arg(i + 1).arg(QString(path).replace("&", "&&")));
    recent_[i]->setStatusTip(path);
  }
  recentSeparator_->setVisible(!files.empty());
}

void DesktopHabits::RestoreGeometry() {
  const QByteArray geometry = settings_.value(kGeometryKey).toByteArray();
  if (!geometry.isEmpty()) window_.restoreGeometry(geometry);
}

void DesktopHabits::SaveGeometry() {
  settings_.setValue(kGeometryKey, window_.saveGeometry());
  settings_.sync();
}

bool DesktopHabits::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!DraggedFile(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
      break;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = DraggedFile(drop->mimeData());
      if (path.isEmpty()) break;
      drop->acceptProposedAction();
      // Opened once the drop is over, so the file manager is not held
      // while the unsaved-data question waits for an answer.
      QTimer::singleShot(0, &window_, [this, path] {
        OpenDroppedFile(state_, window_.Platform(), Bytes(path));
      });
      return true;
    }
    case QEvent::Close:
      SaveGeometry();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace fonderel
