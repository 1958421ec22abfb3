// The windows at their stated sizes show all they hold: every row of the
// Info table, every Header field, the Sound Source Type buttons also in a
// short window, whole cell texts, and input boxes wide enough for their title.
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "ChildWindow.h"
#include "InfoWindow.h"
#include "InputDialog.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "Twips.h"
#include "app/Startup.h"

using namespace fonderel;

namespace {

const QString kHorn = QStringLiteral(FONDEREL_SOURCES "/HORN90X40.SPK");

struct Session {
  AppState state;
  MainWindow window{state};
  Session() {
    window.resize(1400, 900);
    window.show();
    Startup(state, window.Platform(), kHorn.toStdString());
  }
  void Run(const char* command) {
    state.LastRefreshTime = static_cast<float>(window.Platform().ClockSeconds() - 1);
    window.Action(command)->trigger();
    QCoreApplication::processEvents();
  }
};

// True when the widget lies wholly inside the visible content of its window.
bool Shown(QWidget* widget, ChildWindow* window) {
  QWidget* content = window->widget();
  const QRect r(widget->mapTo(content, QPoint(0, 0)), widget->size());
  return widget->isVisible() && content->rect().contains(r) &&
         window->rect().contains(QRect(content->mapTo(window, r.topLeft()), r.size()));
}

// True when every row of the grid is in view without scrolling and no cell
// text is wider than its column.
bool WholeTable(const QTableWidget* grid, QString& why) {
  if (grid->verticalScrollBar()->maximum() > 0) {
    why = QString("rows need scrolling, viewport %1 px, rows of %2 px")
              .arg(grid->viewport()->height())
              .arg(grid->rowHeight(0));
    return false;
  }
  for (int r = 0; r < grid->rowCount(); ++r) {
    if (grid->rowHeight(r) < grid->fontMetrics().height()) {
      why = QString("row %1 is %2 px high").arg(r).arg(grid->rowHeight(r));
      return false;
    }
    for (int c = 0; c < grid->columnCount(); ++c) {
      const int text = grid->fontMetrics().horizontalAdvance(grid->item(r, c)->text());
      if (text + 4 > grid->columnWidth(c)) {
        why = QString("\"%1\" is wider than column %2").arg(grid->item(r, c)->text()).arg(c);
        return false;
      }
    }
  }
  return true;
}

}  // namespace

class WindowContentsTest : public QObject {
  Q_OBJECT

 private slots:
  // The Info window as View Info and as the Standard layout size it: the
  // whole table, the Pointed Datum box and both source-kind buttons.
  void infoWindowShowsEveryRow() {
    for (const char* command : {"ViewInfo", "WinStandard"}) {
      Session s;
      s.Run(command);
      ChildWindow* info = s.window.Child({ViewWindow::Info});
      QString why;
      QVERIFY2(WholeTable(s.window.Info()->Grid(), why), qPrintable(command + (": " + why)));
      for (const char* name : {"Icell", "SpkrBtn", "NoiseBtn"}) {
        QVERIFY2(Shown(info->findChild<QWidget*>(name), info), name);
      }
      // The columns keep at least their stated widths of 2000 and 700 twips.
      QVERIFY(s.window.Info()->Grid()->columnWidth(0) >= TwipsToPixels(2000));
      QVERIFY(s.window.Info()->Grid()->columnWidth(12) >= TwipsToPixels(700));
    }
  }

  // Tiled with the Standard layout's windows and the text log, the Info
  // window is short; the source-kind buttons stay in it.
  void shortInfoWindowKeepsTheButtons() {
    Session s;
    s.Run("ViewTextLog");
    s.Run("WindowTile");
    ChildWindow* info = s.window.Child({ViewWindow::Info});
    for (const char* name : {"SpkrBtn", "NoiseBtn"}) {
      QVERIFY2(Shown(info->findChild<QWidget*>(name), info), name);
    }
  }

  // The Header window at 2800 x 1900 twips shows its four fields whole, each
  // tall enough for its text, beside its label.
  void headerWindowShowsEveryField() {
    Session s;
    s.Run("ViewHeader");
    ChildWindow* header = s.window.Child({ViewWindow::Header});
    QCOMPARE(header->size(), ToPixels(TwipsSize{2800, 1900}));
    for (const char* name : {"NamTxt", "ManTxt", "LoBand", "HiBand"}) {
      auto* field = header->findChild<QLineEdit*>(name);
      QVERIFY2(Shown(field, header), name);
      QVERIFY2(field->height() >= field->fontMetrics().height() + 2, name);
    }
    for (QLabel* label : header->findChildren<QLabel*>()) {
      QVERIFY2(Shown(label, header), qPrintable(label->text()));
      QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
               qPrintable(label->text()));
    }
  }

  // The input boxes are as wide as their titles, with room for the title
  // bar's buttons.
  void inputBoxesShowTheirWholeTitle() {
    Session s;
    for (const char* title : {"Invalid Frequency Specification", "Modeler File has been loaded"}) {
      auto dialog = MakeInputDialog(&s.window, title, "Enter a valid frequency", "");
      dialog->show();
      const int needed = dialog->fontMetrics().horizontalAdvance(title) + 100;
      QVERIFY2(dialog->width() >= needed, title);
    }
  }
};

QTEST_MAIN(WindowContentsTest)
#include "WindowContentsTest.moc"
