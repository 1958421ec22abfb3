// The real dialogs and input boxes, answered the way a user answers them:
// what each shows, and what OK, Yes, No and Cancel give back to the program.
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "HeadingsDialog.h"
#include "SelectLoudspeaker.h"
#include "app/HeaderEditing.h"
#include "support/GuiSession.h"

using namespace fonderel;
using namespace fonderel::test;

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxButtonsGiveTheirAnswer() {
    using B = QMessageBox::StandardButton;
    const struct {
      MessageButtons buttons;
      QMessageBox::StandardButtons shown;
      B clicked;
      MessageAnswer answer;
    } cases[] = {
        {MessageButtons::Ok, B::Ok, B::Ok, MessageAnswer::Ok},
        {MessageButtons::OkCancel, B::Ok | B::Cancel, B::Ok, MessageAnswer::Ok},
        {MessageButtons::OkCancel, B::Ok | B::Cancel, B::Cancel, MessageAnswer::Cancel},
        {MessageButtons::YesNo, B::Yes | B::No, B::Yes, MessageAnswer::Yes},
        {MessageButtons::YesNo, B::Yes | B::No, B::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, B::Yes | B::No | B::Cancel, B::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel, MessageAnswer::Cancel},
    };
    GuiSession s("");
    for (const auto& c : cases) {
      QString shown;
      WhenDialogShows([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        shown = box->windowTitle() + "|" + box->text();
        QCOMPARE(box->standardButtons(), c.shown);
        box->button(c.clicked)->click();
      });
      const MessageAnswer answer = s.window.Platform().ShowMessage(
          MessageIcon::Question, c.buttons, "Warning", "Two lines:\r\nCaf\xE9 au lait");
      QCOMPARE(int(answer), int(c.answer));
      QCOMPARE(shown, QString::fromUtf8("Warning|Two lines:\nCaf\u00E9 au lait"));
    }
  }

  // A last band above the range asks once for a valid frequency: OK with
  // 1000 narrows the range to 1 kHz. (What Cancel and other answers do is
  // HeaderEditing's; an input box's Cancel is below.)
  void headerBandQuestionOk() {
    GuiSession s;
    s.Trigger("ViewHeader");
    auto* hiBand = s.window.findChild<QLineEdit*>("HiBand");
    QCOMPARE(hiBand->text(), QString(" 4000 Hz"));
    int asked = 0;
    WhenDialogShows([&](QWidget* dialog) {
      auto* box = qobject_cast<QInputDialog*>(dialog);
      ++asked;
      QCOMPARE(box->windowTitle() + "|" + box->labelText(),
               QString(kBandAskTitle) + "|" + kBandAskPrompt);
      box->setTextValue("1000");
      box->accept();
    });
    hiBand->setFocus();
    hiBand->setText("1100");
    QTest::keyClick(hiBand, Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(asked, 1);
    QCOMPARE(s.state.src.LastBand, std::int16_t(6));
    QCOMPARE(hiBand->text(), QString(" 1000 Hz"));
    QCOMPARE(s.state.src.DataSaved, kFalse);
  }

  // An input box gives the typed text on OK. The loudspeaker selection lists
  // the names in file order; "OK - done" works only once one is selected and
  // gives it. Cancel gives nothing.
  void inputBoxAndLoudspeakerSelectionOkAndCancel() {
    GuiSession s("");
    for (const bool ok : {true, false}) {
      QString shown;
      WhenDialogShows([&](QWidget* dialog) {
        auto* box = qobject_cast<QInputDialog*>(dialog);
        shown = box->labelText() + "|" + box->textValue();
        box->setTextValue(QString::fromUtf8("Caf\u00E9 1000"));
        ok ? box->accept() : box->reject();
      });
      const auto answer = s.window.Platform().InputBox("Title", "Enter a value", "12");
      QCOMPARE(shown, QString("Enter a value|12"));
      QCOMPARE(answer, ok ? std::optional<std::string>("Caf\xE9 1000") : std::nullopt);
      QStringList listed;
      WhenDialogShows([&](QWidget* dialog) {
        auto* select = qobject_cast<SelectLoudspeaker*>(dialog);
        listed << select->windowTitle() << (select->Ok()->isEnabled() ? "on" : "off");
        for (int i = 0; i < select->List()->count(); ++i) listed << select->List()->item(i)->text();
        select->List()->setCurrentRow(1);
        (ok ? select->Ok() : select->findChild<QPushButton*>("Command2"))->click();
      });
      const auto chosen = s.window.Platform().ChooseLoudspeaker({"Horn A", "horn A", "Caf\xE9"});
      QCOMPARE(listed, QStringList({"Loudspeaker selection", "off", "Horn A", "horn A",
                                    QString::fromUtf8("Caf\u00E9")}));
      QCOMPARE(chosen, ok ? std::optional<std::string>("horn A") : std::nullopt);
    }
  }

  // File › Exit with unsaved data: Cancel keeps the program and its data,
  // No closes the main window.
  void unsavedDataQuestionOnExit() {
    for (const auto button : {QMessageBox::Cancel, QMessageBox::No}) {
      GuiSession s;
      s.state.src.DataSaved = kFalse;
      QString title;
      WhenDialogShows([&](QWidget* dialog) {
        title = dialog->windowTitle(), qobject_cast<QMessageBox*>(dialog)->button(button)->click();
      });
      s.Trigger("FileExit");
      QCOMPARE(title, QString("Warning"));
      const bool stays = button == QMessageBox::Cancel;
      QCOMPARE(s.window.isVisible(), stays);
      QCOMPARE(s.state.Quitting, stays ? kFalse : kTrue);
      QCOMPARE(s.state.src.SourceName.empty(), false);
    }
  }

  // The file dialog of File › Open offers the readable formats; choosing a
  // file opens it, Cancel opens nothing.
  void openDialogChooseAndCancel() {
    for (const bool choose : {true, false}) {
      GuiSession s("");
      QStringList filters;
      QString title;
      WhenDialogShows([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        title = files->windowTitle();
        filters = files->nameFilters();
        // Typed as a user types it: selectFile() leaves the name field alone
        // once the field has the focus, which depends on when the window is
        // activated.
        if (choose) files->findChild<QLineEdit*>("fileNameEdit")->setText(kHorn);
        choose ? static_cast<QDialog*>(files)->accept() : files->reject();  // public in QDialog
      });
      s.Trigger("FileOpen");
      QCOMPARE(title, QString("Open a Source File"));
      QCOMPARE(filters.size(), 6);
      QCOMPARE(filters[0] + "|" + filters[3] + "|" + filters[5],
               QString("Plivox Speaker Files (*.spk)|Modeler 3.1 Files (*)|SOFA Files (*.sofa)"));
      QCOMPARE(s.state.src.HasData(), choose);
      QCOMPARE(s.window.windowTitle(), choose ? "Fonderel " + kHorn : QString("Fonderel "));
    }
  }

  // The heading dialog hands the typed name and manufacturer over on OK.
  void headingsDialogOk() {
    AppState state;
    state.src.SourceName = "Old";
    HeadingsDialog dialog(state);
    QCOMPARE(dialog.windowTitle(), QString("Enter Heading Data"));
    QCOMPARE(dialog.findChild<QLineEdit*>("Nam")->text(), QString("Old"));
    dialog.findChild<QLineEdit*>("Nam")->setText(QString::fromUtf8("Caf\u00E9 noise"));
    dialog.findChild<QLineEdit*>("man")->setText("Acme");
    dialog.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.src.SourceName, std::string("Caf\xE9 noise"));
    QCOMPARE(state.src.Manufacturer, std::string("Acme"));
  }

  // Help › About shows the program's box until OK. (Help › Index's message
  // is WindowCommands'.)
  void helpAbout() {
    GuiSession s("");
    QString title;
    WhenDialogShows([&](QWidget* dialog) {
      title = dialog->windowTitle();
      dialog->findChild<QPushButton*>()->click();
    });
    s.Trigger("HelpAbout");
    QCOMPARE(title, QString("About Fonderel"));
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
