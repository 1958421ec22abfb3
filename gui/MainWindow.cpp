#include "MainWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <functional>

#include "BalloonWindow.h"
#include "ChildWindow.h"
#include "CoverageWindow.h"
#include "Datasheet.h"
#include "CreateWindow.h"
#include "DataWindow.h"
#include "GeometryWindow.h"
#include "HeaderWindow.h"
#include "InfoWindow.h"
#include "Interpol.h"
#include "Iso3744Window.h"
#include "PolarWindow.h"
#include "PictureBox.h"
#include "QtPlatform.h"
#include "TextLogWindow.h"
#include "Twips.h"
#include "ViewFrame.h"
#include "app/DatasheetExport.h"
#include "app/ExportCommands.h"
#include "app/BzCommands.h"
#include "app/FileCommands.h"
#include "app/GeometryCommands.h"
#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

struct MenuItem {
  const char* name;
  const char* caption;  // "-" for a separator
  bool enabled = true;
};

struct Menu {
  const char* name;
  const char* caption;
  std::vector<MenuItem> items;
};

const std::vector<Menu>& MenuTable() {
  static const std::vector<Menu> menus = {
      {"Fil",
       "&File",
       {{"FileNew", "&New"},
        {"FileOpen", "&Open..."},
        {"FIleSave", "&Save"},
        {"FileSaveAs", "Save &As..."},
        {"c", "-"},
        {"FileImport", "&Import Catt/Modeler/Ease..."},
        {"Interp", "In&terpolate Polar..."},
        {"FileCreate", "&Create Source (BZ)..."},
        {"FileCreateNoise", "C&reate Source ISO 3744..."},
        {"cc", "-"},
        {"AttachRAY", "Attach source geometry..."},
        {"sepatt", "-"},
        {"Filepsetup", "Printer Set&up..."},
        {"FilePrint", "&Print Form ..."},
        {"FileDatasheet", "Export &Datasheet..."},
        {"FileExport", "&Export..."},
        {"sepppa", "-"},
        {"FileExit", "E&xit"}}},
      {"Edi",
       "&Edit",
       {{"EditCut", "Cu&t", false},
        {"EditCopy", "&Copy", false},
        {"EditPaste", "&Paste", false},
        {"EditDelete", "&Delete", false}}},
      {"View",
       "&View",
       {{"ViewBaloon", "&Balloon"},
        {"View2", "Curves(&2)"},
        {"ViewAll", "Curves(&All)"},
        {"ccc", "-"},
        {"ViewHeader", "&Header"},
        {"ViewInfo", "&Info"},
        {"ViewData", "&Data"},
        {"ViewTextLog", "&Text Log"},
        {"hsep", "-"},
        {"WinStandard", "&Standard"},
        {"septor", "-"},
        {"ViewGeometry", "&Geometry", false},
        {"sepcov", "-"},
        {"ViewCoverage", "&Coverage"}}},
      {"Wind",
       "&Window",
       {{"WindowTile", "Tile &Horizontally"},
        {"WindowTileV", "Tile &Vertically"},
        {"WindowCascade", "&Cascade"},
        {"WindowArrangeIcons", "&Arrange Icons"},
        {"Wsep", "-"},
        {"WindowIconize", "&Iconize All"},
        {"WindowDeicon", "&Deiconize All"},
        {"WindowClose", "&Close All"},
        {"sepp", "-"},
        {"formclear", "C&lear Text Log"}}},
      {"Help", "&Help", {{"HelpIndex", "&Index..."}, {"HelpAbout", "&About..."}}},
  };
  return menus;
}

}  // namespace

MainWindow::MainWindow(AppState& state)
    : state_(state), platform_(std::make_unique<QtPlatform>(*this)), mdi_(new QMdiArea(this)) {
  setObjectName("Fonderel");
  setWindowTitle("Fonderel ");
  setCentralWidget(mdi_);
  // A window the commands show comes up in its normal state, also beside a maximised one.
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  picture_ = new PictureBox(mdi_->viewport());
  picture_->lower();
  // The work area gets its size after the window; the picture follows it.
  mdi_->viewport()->installEventFilter(this);
  BuildMenus();
  // The size of a first start (a saved one replaces it), never more than the
  // screen offers: a larger window is centred partly off the screen, and so
  // are the child windows at its left.
  constexpr int kFrameWidth = 16, kFrameHeight = 40;  // the window manager's frame and title bar
  const QSize room = screen()->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight);
  resize(QSize(1100, 780).boundedTo(room));
}

MainWindow::~MainWindow() {
  // The log outlives the window; its list must not be told of lines any more.
  state_.log.SetListener(nullptr);
  // The child windows go first: while they close they may still call the
  // platform (a grid losing the focus updates the Edit menu).
  delete takeCentralWidget();
  mdi_ = nullptr;
  picture_ = nullptr;
  header_ = nullptr;
  infoView_ = nullptr;
  dataView_ = nullptr;
  balloonView_ = nullptr;
  polarMainView_ = nullptr;
  coverageView_ = nullptr;
  coverage_ = nullptr;
  geometryView_ = nullptr;
  headerWindow_ = info_ = data_ = balloon_ = polarMain_ = textLog_ = creation_ = geometry_ = nullptr;
  polar_.fill(nullptr);
  polarViews_.fill(nullptr);
}

QAction* MainWindow::Action(const QString& name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::BuildMenus() {
  AppState& s = state_;
  QtPlatform& p = *platform_;
  const std::map<std::string, std::function<void()>> commands = {
      {"FileNew", [&] { FileNew(s, p); }},
      {"FileOpen", [&] { FileOpen(s, p); }},
      {"FIleSave", [&] { FileSave(s, p); }},
      {"FileSaveAs", [&] { FileSaveAs(s, p); }},
      {"FileImport", [&] { FileImport(s, p); }},
      {"Interp", [this] { InterpolatePolar(state_, *platform_, this); }},
      {"FileCreate", [&] { FileCreate(s, p); }},
      {"FileCreateNoise", [this] {
         FileCreateNoise(state_, *platform_,
                         [this] { Iso3744Window(state_, *platform_, this).exec(); });
       }},
      {"AttachRAY", [&] { AttachRAY(s, p); }},
      {"FileExport", [&] { FileExport(s, p, FONDEREL_VERSION); }},
      {"Filepsetup", [&] { FilePrinterSetup(s, p); }},
      {"FilePrint", [&] { FilePrint(s, p); }},
      {"FileExit", [&] { FileExit(s, p); }},
      {"FileDatasheet", [&] { FileExportDatasheet(s, p, WriteDatasheetFromDialog); }},
      {"ViewCoverage", [this] { ViewCoverage(); }},
      {"EditCut", [this] { if (dataView_) EditCut(state_, *platform_, dataView_->Grid()->Selection()); }},
      {"EditCopy", [this] { if (dataView_) EditCopy(state_, *platform_, dataView_->Grid()->Selection()); }},
      {"EditPaste", [this] { if (dataView_) EditPaste(state_, *platform_, dataView_->Grid()->Selection()); }},
      {"EditDelete", [this] { if (dataView_) EditDelete(state_, *platform_, dataView_->Grid()->Selection()); }},
      {"ViewBaloon", [&] { ViewBalloon(s, p); }},
      {"View2", [&] { ViewCurves2(s, p); }},
      {"ViewAll", [&] { ViewCurvesAll(s, p); }},
      {"ViewHeader", [&] { ViewHeader(s, p); }},
      {"ViewInfo", [&] { ViewInfo(s, p); }},
      {"ViewData", [&] { ViewData(s, p); }},
      {"ViewTextLog", [&] { ViewTextLog(s, p); }},
      {"WinStandard", [&] { StandardLayout(s, p); }},
      {"ViewGeometry", [this] { ShowGeometryView(); }},
      {"WindowTile", [&] { p.ArrangeWindows(ArrangeCode::TileHorizontal); }},
      {"WindowTileV", [&] { p.ArrangeWindows(ArrangeCode::TileVertical); }},
      {"WindowCascade", [&] { p.ArrangeWindows(ArrangeCode::Cascade); }},
      {"WindowArrangeIcons", [&] { p.ArrangeWindows(ArrangeCode::ArrangeIcons); }},
      {"WindowIconize", [&] { p.SetViewsMinimized(true); }},
      {"WindowDeicon", [&] { p.SetViewsMinimized(false); }},
      {"WindowClose", [&] { CloseAllViews(p); }},
      {"formclear", [&] { ClearTextLog(s, p); }},
      {"HelpIndex", [&] { HelpIndex(s, p); }},
      {"HelpAbout", [&] { p.ShowAbout(); }},
  };
  for (const Menu& m : MenuTable()) {
    QMenu* menu = menuBar()->addMenu(m.caption);
    menu->setObjectName(m.name);
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);
    for (const MenuItem& item : m.items) {
      // Actions are children of the main window so they can be found by name.
      auto* action = new QAction(this);
      action->setObjectName(item.name);
      if (std::string_view(item.caption) == "-") {
        action->setSeparator(true);
      } else {
        action->setText(item.caption);
        action->setEnabled(item.enabled);
        if (auto it = commands.find(item.name); it != commands.end()) {
          connect(action, &QAction::triggered, this, [command = it->second] { command(); });
        }
      }
      menu->addAction(action);
    }
  }
}

ChildWindow* MainWindow::AddChild(QWidget* content, const QString& name, const QString& caption,
                                  TwipsSize size) {
  auto* window = new ChildWindow(state_.Quitting, content, name, caption, ToPixels(size));
  mdi_->addSubWindow(window);
  window->hide();
  return window;
}

void MainWindow::LoadChildWindows() {
  if (textLog_ != nullptr) return;
  header_ = new HeaderWindow(state_, *platform_);
  headerWindow_ = AddChild(header_, "HeaderWindow", "Header", {2800, 1900});
  infoView_ = new InfoWindow(state_, *platform_);
  info_ = AddChild(infoView_, "InfoWindow", "Info", {7485, 2850});
  dataView_ = new DataWindow(state_, *platform_);
  data_ = AddChild(dataView_, "DATAsWindow", "Directivity Data", {12000, 5600});
  balloonView_ = new BalloonWindow(state_, *platform_);
  balloon_ = AddChild(balloonView_, "BalloonWindow", "Balloon", {3735, 3960});
  polarMainView_ = new PolarMainWindow(state_, *platform_);
  polarMain_ = AddChild(polarMainView_, "PolarMainWindow", "Polar Plot Frequency", {4000, 900});
  textLog_ = AddChild(new TextLogWindow(state_.log), "TextLog", "Text Log", {6000, 4000});
  creation_ = AddChild(new CreateWindow(state_, *platform_), "CreateWindow", "New File Creation", {8000, 7200});
  for (int i = 0; i < kPolarWindows; ++i) {
    polarViews_[static_cast<std::size_t>(i)] = new PolarWindow(i);
    polar_[static_cast<std::size_t>(i)] = AddChild(polarViews_[static_cast<std::size_t>(i)],
                                                   QString("PolWindow%1").arg(i), "Polar Plot",
                                                   {4000, 4000});
  }
}

void MainWindow::LoadGeometryWindow() {
  if (geometry_ != nullptr || textLog_ == nullptr) return;
  geometryView_ = new GeometryWindow(state_);
  geometry_ = AddChild(geometryView_, "ViewGeomWindow", "View Geometry", {6600, 6000});
}

void MainWindow::ShowGeometryView() {
  LoadGeometryWindow();
  // Opened afresh it starts at its initial angle; already open it stays turned.
  if (geometry_ != nullptr && !geometry_->isVisible()) geometryView_->StartAtInitialAngle();
  ViewGeometry(state_, *platform_);
}

void MainWindow::UpdateMenus() {
  // Whatever put the geometry into memory (a CAD file, a source file, a
  // measurement's layout), the menu follows the description itself.
  Action("ViewGeometry")->setEnabled(HasGeometry(state_.src));
}

PolarWindow* MainWindow::Polar(int i) const {
  return i >= 0 && i < kPolarWindows ? polarViews_[static_cast<std::size_t>(i)] : nullptr;
}

ChildWindow* MainWindow::Child(WindowId id) const {
  switch (id.kind) {
    case ViewWindow::Header:
      return headerWindow_;
    case ViewWindow::Info:
      return info_;
    case ViewWindow::Data:
      return data_;
    case ViewWindow::Balloon:
      return balloon_;
    case ViewWindow::PolarMain:
      return polarMain_;
    case ViewWindow::TextLog:
      return textLog_;
    case ViewWindow::Creation:
      return creation_;
    case ViewWindow::Geometry:
      return geometry_;
    case ViewWindow::Polar:
      return id.index >= 0 && id.index < kPolarWindows ? polar_[static_cast<std::size_t>(id.index)]
                                                        : nullptr;
  }
  return nullptr;
}

QList<ChildWindow*> MainWindow::ViewWindows() const {
  if (textLog_ == nullptr) return {};
  QList<ChildWindow*> windows = {creation_, balloon_, data_, info_, headerWindow_, polarMain_,
                                 textLog_};
  if (coverage_ != nullptr) windows << coverage_;
  if (geometry_ != nullptr) windows << geometry_;
  for (ChildWindow* w : polar_) windows << w;
  return windows;
}

QList<ChildWindow*> MainWindow::HiddenByHideViews() const {
  if (textLog_ == nullptr) return {};
  // The creator and the geometry view go too: a creator left open would act
  // on a description it was not opened for, and the geometry may be gone.
  QList<ChildWindow*> windows = {headerWindow_, info_, balloon_, data_, polarMain_, textLog_,
                                 creation_};
  if (coverage_ != nullptr) windows << coverage_;
  if (geometry_ != nullptr) windows << geometry_;
  for (ChildWindow* w : polar_) windows << w;
  return windows;
}

void MainWindow::Arrange(ArrangeCode code) {
  switch (code) {
    case ArrangeCode::Cascade:
      Cascade(*mdi_);
      return;
    case ArrangeCode::ArrangeIcons:
      ArrangeIcons(*mdi_);
      return;
    case ArrangeCode::TileHorizontal:
    case ArrangeCode::TileVertical:
      Tile(*mdi_, code == ArrangeCode::TileHorizontal);
      return;
  }
}

void MainWindow::ViewCoverage() {
  platform_->SetPictureVisible(false);
  // Made on first use: the windows loaded at start-up stay as they are.
  if (coverage_ == nullptr) {
    if (textLog_ == nullptr) return;
    coverageView_ = new CoverageWindow(state_);
    coverage_ = AddChild(coverageView_, "CoverageWindow", "Coverage", {7500, 4500});
  }
  coverage_->showNormal();
  coverage_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!QueryClose(state_, *platform_)) {
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOutPicture();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (mdi_ != nullptr && watched == mdi_->viewport() && event->type() == QEvent::Resize) {
    LayOutPicture();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::LayOutPicture() {
  if (mdi_ == nullptr || picture_ == nullptr) return;
  // The picture covers the work area less 750 twips of the window's height.
  const int height = std::max(1, this->height() - TwipsToPixels(750));
  picture_->setGeometry(0, 0, mdi_->viewport()->width(), std::min(height, mdi_->viewport()->height()));
}

}  // namespace fonderel
