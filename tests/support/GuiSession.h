// The desktop program on the offscreen platform, started the way users start
// it, for the Qt Test programs; and a helper that answers the next real modal
// dialog the way a user would.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QMdiArea>
#include <QTimer>
#include <functional>

#include "ChildWindow.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/Startup.h"

namespace fonderel::test {

inline const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

// Fixed style and font, so pictures do not depend on the desktop's settings.
inline void UseFixedLook() {
  QApplication::setStyle("Fusion");
  QFont font("DejaVu Sans");
  font.setPixelSize(12);
  QApplication::setFont(font);
}

struct GuiSession {
  AppState state;
  MainWindow window{state};
  bool started = false;
  // `file` empty: started without a command line.
  explicit GuiSession(const QString& file = kHorn, QSize size = {1200, 800}) {
    window.resize(size);
    window.show();
    started = Startup(state, window.Platform(), QFile::encodeName(file).toStdString());
  }
  ChildWindow* Child(ViewWindow kind, int index = 0) const { return window.Child({kind, index}); }
  QRect Area() const { return window.Mdi()->viewport()->rect(); }
  // Lets the next command's refresh run at once instead of being throttled.
  void OpenThrottle() {
    state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1);
  }
  void Trigger(const char* action) {
    OpenThrottle();
    window.Action(action)->trigger();
    QApplication::processEvents();
  }
};

// Calls `act` with the next modal dialog once it is up (within 30 s); the
// action that opens the dialog runs after this call. A dialog that `act` left
// open is rejected 5 s later with a warning, so a test fails instead of hanging.
inline void WhenDialogShows(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr && clock->elapsed() < 30000) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (dialog == nullptr) return;
    act(dialog);
    QTimer::singleShot(5000, dialog, [dialog] {
      auto* left = qobject_cast<QDialog*>(dialog);
      if (left == nullptr || !left->isVisible()) return;
      qWarning("A dialog was left open by the test: %s", qPrintable(left->windowTitle()));
      left->reject();
    });
  });
  timer->start(10);
}

}  // namespace fonderel::test
