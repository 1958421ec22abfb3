// A child window of the main window. Closing it only hides it while the
// program runs; it is destroyed only once the program is quitting.
#pragma once

#include <QMdiSubWindow>
#include <cstdint>

namespace fonderel {

class ChildWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // `quitting` is the program's Quitting flag; `content` becomes the window's widget.
  ChildWindow(const std::int16_t& quitting, QWidget* content, const QString& objectName,
              const QString& caption, QSize defaultSize);

  // The size the window opens at: the least it needs to show its contents.
  QSize UsefulSize() const { return usefulSize_; }
  // Leaves the minimised or maximised state (keeping the window hidden when
  // it was), so that a geometry set next is the one it keeps.
  void RestoreNormalState();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  const std::int16_t& quitting_;
  QSize usefulSize_;
};

}  // namespace fonderel
