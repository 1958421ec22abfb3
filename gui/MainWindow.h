// The main window "Fonderel": the menu, the MDI work area with its picture
// box, and the child windows, all created hidden at start-up.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "core/AppState.h"
#include "core/Platform.h"

class QMdiArea;

namespace fonderel {

class BalloonWindow;
class ChildWindow;
class CoverageWindow;
class DataWindow;
class GeometryWindow;
class HeaderWindow;
class InfoWindow;
class PolarMainWindow;
class PolarWindow;
class PictureBox;
class QtPlatform;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(AppState& state);
  ~MainWindow() override;

  QtPlatform& Platform() { return *platform_; }
  AppState& State() { return state_; }
  QMdiArea* Mdi() const { return mdi_; }
  PictureBox* Picture() const { return picture_; }
  HeaderWindow* Header() const { return header_; }
  InfoWindow* Info() const { return infoView_; }
  DataWindow* Data() const { return dataView_; }
  BalloonWindow* BalloonView() const { return balloonView_; }
  PolarMainWindow* PolarMain() const { return polarMainView_; }
  PolarWindow* Polar(int i) const;
  CoverageWindow* CoverageView() const { return coverageView_; }
  QAction* Action(const QString& name) const;

  // Creates every child window, hidden; later calls do nothing.
  void LoadChildWindows();
  // The geometry view is created when it is first shown.
  void LoadGeometryWindow();
  GeometryWindow* GeometryView() const { return geometryView_; }
  // Enables the menu items that depend on the description in memory; run as
  // a menu opens.
  void UpdateMenus();
  ChildWindow* Child(WindowId id) const;
  // The windows that Iconize All and Deiconize All act on.
  QList<ChildWindow*> ViewWindows() const;
  // The windows that HideViews hides.
  QList<ChildWindow*> HiddenByHideViews() const;
  void Arrange(ArrangeCode code);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void ViewCoverage();
  void ShowGeometryView();
  ChildWindow* AddChild(QWidget* content, const QString& name, const QString& caption,
                        TwipsSize size);
  void LayOutPicture();

  AppState& state_;
  std::unique_ptr<QtPlatform> platform_;
  QMdiArea* mdi_;
  PictureBox* picture_;
  HeaderWindow* header_ = nullptr;
  InfoWindow* infoView_ = nullptr;
  DataWindow* dataView_ = nullptr;
  BalloonWindow* balloonView_ = nullptr;
  PolarMainWindow* polarMainView_ = nullptr;
  std::array<PolarWindow*, kPolarWindows> polarViews_{};
  ChildWindow* headerWindow_ = nullptr;
  ChildWindow* info_ = nullptr;
  ChildWindow* data_ = nullptr;
  ChildWindow* balloon_ = nullptr;
  ChildWindow* polarMain_ = nullptr;
  ChildWindow* textLog_ = nullptr;
  ChildWindow* creation_ = nullptr;
  ChildWindow* geometry_ = nullptr;
  std::array<ChildWindow*, kPolarWindows> polar_{};
  CoverageWindow* coverageView_ = nullptr;
  GeometryWindow* geometryView_ = nullptr;
  ChildWindow* coverage_ = nullptr;
};

}  // namespace fonderel
