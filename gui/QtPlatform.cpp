#include "QtPlatform.h"

#include "GeometryWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTimer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMdiArea>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "AboutBox.h"
#include "BalloonWindow.h"
#include "ChildWindow.h"
#include "CoverageWindow.h"
#include "DataWindow.h"
#include "HeaderWindow.h"
#include "InfoWindow.h"
#include "InputDialog.h"
#include "PolarWindow.h"
#include "SelectLoudspeaker.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "Twips.h"
#include "core/Cp1252.h"
#include "views/RefreshViews.h"

namespace fonderel {
namespace {

// Engine texts shown in dialogs may carry a path.
QString Text(const std::string& bytes) {
  QString text = QString::fromStdString(MixedTextToUtf8(bytes));
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return text;
}

std::string Bytes(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const int open = description.indexOf('(');
    if (open > 0) description = description.left(open).trimmed();
    QString pattern = parts[i + 1];
    if (pattern == "*.") pattern = "*";
    filters << description + " (" + pattern + ")";
  }
  return filters;
}

QtPlatform::QtPlatform(MainWindow& window)
    : window_(window), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::ShowMessage(MessageIcon icon, MessageButtons buttons,
                                      const std::string& title, const std::string& text) {
  if (messageHook) return messageHook(icon, buttons, title, text);
  QMessageBox box(ToQt(icon), Text(title), Text(text), QMessageBox::NoButton, &window_);
  switch (buttons) {
    case MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Ok:
      return MessageAnswer::Ok;
    default:
      return MessageAnswer::Cancel;
  }
}

std::optional<std::string> QtPlatform::InputBox(const std::string& title, const std::string& prompt,
                                                const std::string& defaultText) {
  if (inputHook) return inputHook(title, prompt);
  const auto dialog = MakeInputDialog(&window_, Text(title), Text(prompt), Text(defaultText));
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return Bytes(dialog->textValue());
}

std::optional<std::string> QtPlatform::ShowFileDialog(FileDialogKind kind,
                                                      const FileDialogSettings& settings) {
  if (fileDialogHook) return fileDialogHook(kind, settings);
  QFileDialog dialog(&window_, Text(settings.title));
  const QStringList filters = QtNameFilters(settings.filter);
  dialog.setNameFilters(filters);
  if (settings.filterIndex >= 1 && settings.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[settings.filterIndex - 1]);
  }
  if (!settings.initialDir.empty()) dialog.setDirectory(QString::fromStdString(settings.initialDir));
  if (kind == FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((settings.flags & kDialogFileMustExist) ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!(settings.flags & kDialogOverwritePrompt)) {
      dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
  }
  // A pattern ("*.SPK") only filters; a name is proposed.
  if (!settings.fileName.empty() && settings.fileName.find('*') == std::string::npos) {
    dialog.selectFile(Text(settings.fileName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // File names on disk are bytes; the engine keeps paths as the system gives them.
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

bool QtPlatform::ShowPrinterDialog(int flags) {
  if (printerDialogHook) return printerDialogHook(flags);
  if (flags & kDialogPrintSetup) {
    QPageSetupDialog dialog(printer_.get(), &window_);
    return dialog.exec() == QDialog::Accepted;
  }
  QPrintDialog dialog(printer_.get(), &window_);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> QtPlatform::ChooseLoudspeaker(const std::vector<std::string>& names) {
  if (loudspeakerHook) return loudspeakerHook(names);
  SelectLoudspeaker dialog(names, &window_);
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0) return std::nullopt;
  return names[static_cast<std::size_t>(dialog.Chosen())];
}

void QtPlatform::ShowAbout() {
  AboutBox about(&window_);
  about.exec();
}

void QtPlatform::Beep() { QApplication::beep(); }

void QtPlatform::SetBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void QtPlatform::ProcessEvents() { QCoreApplication::processEvents(); }

void QtPlatform::LoadChildWindows() { window_.LoadChildWindows(); }

void QtPlatform::ShowWindow(WindowId id) {
  if (ChildWindow* w = window_.Child(id)) {
    w->showNormal();
    w->raise();
  }
}

void QtPlatform::HideWindow(WindowId id) {
  if (ChildWindow* w = window_.Child(id)) w->hide();
}

bool QtPlatform::IsWindowVisible(WindowId id) const {
  const ChildWindow* w = window_.Child(id);
  return w != nullptr && w->isVisible();
}

// A minimised or maximised window brings back its old geometry when it is
// restored, so it is restored before it is placed, not after.
void QtPlatform::PlaceWindow(WindowId id, TwipsRect rect) {
  if (ChildWindow* w = window_.Child(id)) {
    w->RestoreNormalState();
    w->setGeometry(ToPixels(rect));
  }
}

void QtPlatform::ResizeWindow(WindowId id, TwipsSize size) {
  if (ChildWindow* w = window_.Child(id)) {
    w->RestoreNormalState();
    w->resize(ToPixels(size));
  }
}

void QtPlatform::ShowTextLog() { ShowWindow({ViewWindow::TextLog}); }

void QtPlatform::HideViews() {
  for (ChildWindow* w : window_.HiddenByHideViews()) w->hide();
}

void QtPlatform::ArrangeWindows(ArrangeCode code) { window_.Arrange(code); }

void QtPlatform::SetViewsMinimized(bool minimized) {
  for (ChildWindow* w : window_.ViewWindows()) {
    if (!w->isVisible()) continue;
    minimized ? w->showMinimized() : w->showNormal();
  }
}

void QtPlatform::MaximizeMainWindow() {
  const QSize before = window_.size();
  window_.showMaximized();
  // The window manager maximises asynchronously; the layout that follows
  // needs the new size, so wait for it a little (not at all without one).
  QElapsedTimer waited;
  waited.start();
  while (window_.size() == before && waited.elapsed() < 300) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  QCoreApplication::processEvents();
}

TwipsSize QtPlatform::MainInnerSize() const {
  const QSize size = window_.Mdi()->viewport()->size();
  return {PixelsToTwips(size.width()), PixelsToTwips(size.height())};
}

void QtPlatform::SetViewGeometryEnabled(bool enabled) {
  if (QAction* a = window_.Action("ViewGeometry")) a->setEnabled(enabled);
  // A geometry was attached or read: an open view draws it at once.
  if (GeometryWindow* view = window_.GeometryView(); view && enabled) view->Picture()->update();
}

void QtPlatform::SetPictureVisible(bool visible) { window_.Picture()->setVisible(visible); }

void QtPlatform::ClearPicture() { window_.Picture()->update(); }

// The caption carries a path, whose bytes are the file system's, not Windows-1252.
void QtPlatform::SetCaption(const std::string& caption) {
  window_.setWindowTitle(QFile::decodeName(QByteArray::fromStdString(caption)));
}

void QtPlatform::CloseMainWindow() { window_.close(); }

void QtPlatform::SetHeaderFields(const HeaderFields& fields) {
  if (HeaderWindow* header = window_.Header()) header->SetFields(fields);
}

void QtPlatform::SetInfoTable(const TextTable& cells) {
  if (InfoWindow* info = window_.Info()) info->SetTable(cells);
  if (CoverageWindow* coverage = window_.CoverageView()) coverage->Refresh();
}

void QtPlatform::SetSourceKindButtons(bool loudspeaker) {
  if (InfoWindow* info = window_.Info()) info->SetKind(loudspeaker);
}

void QtPlatform::SetDataTable(const TextTable& cells) {
  if (DataWindow* data = window_.Data()) data->SetTable(cells);
}

QList<QComboBox*> QtPlatform::Selectors() const {
  QList<QComboBox*> selectors;
  if (window_.Data()) selectors << window_.Data()->Selector();
  if (window_.BalloonView()) selectors << window_.BalloonView()->Selector();
  if (window_.PolarMain()) selectors << window_.PolarMain()->Selector();
  return selectors;
}

void QtPlatform::FillBandSelectors(const std::vector<std::string>& labels) {
  for (QComboBox* selector : Selectors()) {
    const QSignalBlocker block(selector);
    selector->clear();
    for (const std::string& label : labels) selector->addItem(Text(label));
  }
}

void QtPlatform::SetBandSelectors(int position) {
  // Only "activated" (a user's choice) reaches the engine, so setting the
  // position here raises nothing.
  for (QComboBox* selector : Selectors()) selector->setCurrentIndex(position);
}

TwipsSize QtPlatform::WindowInnerSize(WindowId id) const {
  const ChildWindow* w = window_.Child(id);
  if (w == nullptr || w->widget() == nullptr) return {};
  const QSize size = w->widget()->size();
  return {PixelsToTwips(size.width()), PixelsToTwips(size.height())};
}

void QtPlatform::DrawBalloonPicture(const BalloonPicture& picture) {
  if (BalloonWindow* balloon = window_.BalloonView()) balloon->SetPicture(picture);
}

void QtPlatform::ShowPolarChart(int index, const PolarChart& chart) {
  if (PolarWindow* polar = window_.Polar(index)) polar->SetChart(chart);
  if (ChildWindow* w = window_.Child({ViewWindow::Polar, index})) w->setWindowTitle(Text(chart.caption));
}

void QtPlatform::ClearPolarChart(int index) {
  if (PolarWindow* polar = window_.Polar(index)) polar->SetChart(std::nullopt);
}

void QtPlatform::RequestRefreshAfter(double seconds) {
  QTimer::singleShot(static_cast<int>(seconds * 1000.0) + 1, &window_,
                     [this] { RefreshViews(window_.State(), *this); });
}

void QtPlatform::SetClipboardText(const std::string& text) {
  // Other programs take rows ended by a line feed.
  QString clip = Text(text);
  QApplication::clipboard()->setText(clip);
}

std::optional<std::string> QtPlatform::ClipboardText() const {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  return Bytes(text);
}

void QtPlatform::SetEditCommandsEnabled(bool cut, bool copy, bool paste, bool del) {
  const std::pair<const char*, bool> items[] = {
      {"EditCut", cut}, {"EditCopy", copy}, {"EditPaste", paste}, {"EditDelete", del}};
  for (const auto& [name, enabled] : items) {
    if (QAction* a = window_.Action(name)) a->setEnabled(enabled);
  }
}

bool QtPlatform::PrintBalloonImage() {
  ChildWindow* balloon = window_.Child({ViewWindow::Balloon});
  if (balloon == nullptr) return false;
  const QPixmap image = balloon->widget()->grab();
  QPainter painter;
  if (!painter.begin(printer_.get())) return false;
  const QRect page = painter.viewport();
  const QSize scaled = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawPixmap(QRect(page.topLeft(), scaled), image);
  return painter.end();
}

NumberSeparators QtPlatform::LocaleSeparators() const {
  const QLocale locale = QLocale::system();
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

bool QtPlatform::OpenRegionalSettings() {
  const QString panel = QStandardPaths::findExecutable("gnome-control-center");
  if (panel.isEmpty()) return false;
  return QProcess::startDetached(panel, {"region"});
}

bool QtPlatform::OpenDocument(const std::string& path) {
  const QString file = QFile::decodeName(QByteArray::fromStdString(path));
  if (!QFileInfo::exists(file)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

double QtPlatform::ClockSeconds() const {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

LocalTime QtPlatform::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(), now.date().month(), now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

}  // namespace fonderel
