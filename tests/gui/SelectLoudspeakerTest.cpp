// The loudspeaker selection: the names in file order, "OK - done" only once
// an entry is selected, Cancel choosing nothing.
#include <QPushButton>
#include <QTest>

#include "SelectLoudspeaker.h"

using namespace fonderel;

class SelectLoudspeakerTest : public QObject {
  Q_OBJECT

 private slots:
  void okNeedsASelection() {
    SelectLoudspeaker dialog({"Horn A", "horn A", "Caf\xE9"});
    QCOMPARE(dialog.windowTitle(), QString("Loudspeaker selection"));
    QCOMPARE(dialog.List()->count(), 3);
    QCOMPARE(dialog.List()->item(2)->text(), QString::fromUtf8("Caf\u00E9"));
    QVERIFY(!dialog.Ok()->isEnabled());
    dialog.List()->setCurrentRow(1);
    QVERIFY(dialog.Ok()->isEnabled());
    dialog.Ok()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Chosen(), 1);
  }

  void cancelChoosesNothing() {
    SelectLoudspeaker dialog({"One", "Two"});
    dialog.List()->setCurrentRow(0);
    dialog.findChild<QPushButton*>("Command2")->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.Chosen(), -1);
  }
};

QTEST_MAIN(SelectLoudspeakerTest)
#include "SelectLoudspeakerTest.moc"
