// Shared by the GUI test programs: message boxes and file dialogs answered
// through the platform's hooks, a modal window driven while it is up,
// pictures compared with golden ones, and expected lines kept under
// tests/data/gui/.
#pragma once

#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QTest>
#include <algorithm>

#include "support/GuiSession.h"

namespace fonderel::test {

// Message boxes are answered `answer` and noted in `shown` as "title|text".
inline void AnswerMessages(MainWindow& window, MessageAnswer answer, QStringList* shown = nullptr) {
  window.Platform().messageHook = [answer, shown](MessageIcon, MessageButtons,
                                                  const std::string& title,
                                                  const std::string& text) {
    if (shown) *shown << QString::fromStdString(title + "|" + text);
    return answer;
  };
}

// Started on `file` ("": none) in a 1400 x 900 window; message boxes are
// noted in `messages` as "title|text" and answered `answer`.
struct UserSession : GuiSession {
  QStringList messages;
  explicit UserSession(const QString& file = kHorn, MessageAnswer answer = MessageAnswer::Ok)
      : GuiSession(file, {1400, 900}) {
    AnswerMessages(window, answer, &messages);
  }
  template <typename T = QWidget>
  T* Find(const QString& name) const {
    return window.findChild<T*>(name);
  }
};

// File dialogs give `path`.
inline void GiveFile(MainWindow& window, const QString& path) {
  window.Platform().fileDialogHook = [path](FileDialogKind, const FileDialogSettings&) {
    return std::optional<std::string>(QFile::encodeName(path).toStdString());
  };
}


// Runs `body` on the modal window T that `action` opens; a window that
// `body` left open (also after a failed check) is rejected.
template <class T>
void WhileModal(MainWindow& window, const char* action, const std::function<void(T&)>& body) {
  bool ran = false;
  WhenDialogShows([&](QWidget* dialog) {
    auto* shown = qobject_cast<T*>(dialog);
    QVERIFY2(shown != nullptr, qPrintable(dialog->windowTitle()));
    ran = true;
    body(*shown);
    if (shown->isVisible()) shown->reject();
  });
  window.Action(action)->trigger();
  QVERIFY(ran);
}

// The pixels where a colour channel of `a` is off by more than `tolerance`
// from `b` (all of them when the sizes differ), marked red in `map` if given.
inline int Differing(const QImage& a, const QImage& b, int tolerance = 0, QImage* map = nullptr) {
  if (a.size() != b.size()) return a.width() * a.height();
  if (map) {
    *map = QImage(a.size(), QImage::Format_RGB32);
    map->fill(Qt::white);
  }
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (qAbs(qRed(p) - qRed(q)) > tolerance || qAbs(qGreen(p) - qGreen(q)) > tolerance ||
          qAbs(qBlue(p) - qBlue(q)) > tolerance) {
        ++count;
        if (map) map->setPixel(x, y, qRgb(255, 0, 0));
      }
    }
  }
  return count;
}

// `actual` against tests/data/images/<name>.png, forgiving anti-aliasing: a
// pixel differs when a colour channel is off by more than 48, and more than
// 0.02 % of the pixels (at least 10) must differ to fail. A failure is said in
// the text returned, with the picture and a map of the differing pixels in the
// build's gui-output folder. FONDEREL_UPDATE_IMAGES=1 writes the golden
// picture instead (scripts/update-golden-images.sh).
inline QString GoldenPictureFailure(const QString& name, const QImage& actual) {
  const QString golden = QString(FONDEREL_TEST_DATA "/images/%1.png").arg(name);
  if (qEnvironmentVariableIntValue("FONDEREL_UPDATE_IMAGES") == 1) {
    return actual.save(golden) ? QString() : "cannot write " + golden;
  }
  const QImage expected(golden);
  QImage map;
  const int differing = Differing(actual, expected, 48, &map);
  const int allowed = std::max(10, actual.width() * actual.height() / 5000);
  if (differing <= allowed) return {};
  QDir().mkpath(FONDEREL_TEST_OUTPUT "/" + QFileInfo(name).path());
  actual.save(QString(FONDEREL_TEST_OUTPUT "/%1.png").arg(name));
  if (!map.isNull()) map.save(QString(FONDEREL_TEST_OUTPUT "/%1-diff.png").arg(name));
  return QString::asprintf("%s: %d pixels differ (%d allowed), size %dx%d for %dx%d",
                           qPrintable(name), differing, allowed, actual.width(), actual.height(),
                           expected.width(), expected.height());
}

// The widget as it shows now, against its golden picture windows/<name>.png;
// taken once its window is active, as title bars and selections are drawn
// differently in an inactive one.
inline bool LooksAsBefore(QWidget* widget, const QString& name) {
  widget->window()->activateWindow();
  if (!QTest::qWaitForWindowActive(widget->window())) qWarning("the window is not active");
  const QString failure = GoldenPictureFailure(
      "windows/" + name, widget->grab().toImage().convertToFormat(QImage::Format_RGB32));
  if (!failure.isEmpty()) qWarning("%s", qPrintable(failure));
  return failure.isEmpty();
}

// The non-empty lines of tests/data/gui/<name>; none when it cannot be read.
inline QStringList DataLines(const QString& name) {
  QFile file(QString(FONDEREL_TEST_DATA "/gui/%1").arg(name));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace fonderel::test
