#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "export/gui/KeyControls.h"
#include "export/gui/TMidiForm.h"
#include "export/gui/UpDown.h"
#include "support/KeyDialogSupport.h"

using namespace slicewright;
using namespace slicewright::test;

namespace {

bool WarningShown(const TMidiForm& form) { return !form.Keyboard->Label4->isHidden(); }

}  // namespace

// The MIDI template dialog worked through its controls.
class MidiDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void startsAtC2WithReverseAndWhiteKeysOff() {
    TMidiForm form;
    form.FormShow(RegionOf(4));
    QCOMPARE(form.windowTitle(), QStringLiteral("Select Midi Template Parameters"));
    QCOMPARE(form.Keyboard->Label1->text(), QStringLiteral("C"));
    QCOMPARE(form.Keyboard->Label2->text(), QStringLiteral("2"));
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("0"));
    QVERIFY(!form.Reverse());
    QVERIFY(!form.Keyboard->CheckBox2->isChecked());
    QVERIFY(form.Button1->isEnabled());
    QVERIFY(!WarningShown(form));
  }

  void tooManySlicesForTheKeysWarnAndRefuseOk() {
    TMidiForm form;
    form.FormShow(RegionOf(80));
    QVERIFY(WarningShown(form));
    QCOMPARE(form.Keyboard->Label4->text(), QStringLiteral("WARNING! -  Samples exceed available notes"));
    QVERIFY(!form.Button1->isEnabled());
    // An octave lower makes room; the interval steps by one here.
    Click(form.Keyboard->UpDown2, false);
    QVERIFY(!WarningShown(form));
    QVERIFY(form.Button1->isEnabled());
    form.FormShow(RegionOf(40));
    Click(form.Keyboard->UpDown2, true);
    Click(form.Keyboard->UpDown3, true);
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("1"));
    QVERIFY(form.Button1->isEnabled());
    form.FormShow(RegionOf(41));
    QVERIFY(!form.Button1->isEnabled());
  }

  void octaveAndNoteLabelsFollowTheArrows() {
    TMidiForm form;
    form.FormShow(RegionOf(1));
    Click(form.Keyboard->UpDown2, false, 6);  // stops at position 0
    QCOMPARE(form.Keyboard->Label2->text(), QStringLiteral("-2"));
    Click(form.Keyboard->UpDown1, true, 3);
    QCOMPARE(form.Keyboard->Label1->text(), QStringLiteral("D#"));
    QCOMPARE(form.Keys().BaseKey(), 3);
    QTest::mouseClick(form.Button3, Qt::LeftButton);  // Reset
    QCOMPARE(form.Keys().BaseKey(), 48);
    QCOMPARE(form.Keyboard->Label2->text(), QStringLiteral("2"));
  }

  void whiteKeysLockNoteAndIntervalAndGiveThemBack() {
    TMidiForm form;
    form.FormShow(RegionOf(8));
    Click(form.Keyboard->UpDown1, true, 2);
    Click(form.Keyboard->UpDown3, true, 3);
    form.Keyboard->CheckBox2->click();
    QCOMPARE(form.Keyboard->Label1->text(), QStringLiteral("C"));
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("0"));
    QVERIFY(!form.Keyboard->UpDown1->isEnabled());
    QVERIFY(!form.Keyboard->UpDown3->isEnabled());
    form.Keyboard->CheckBox2->click();
    QCOMPARE(form.Keyboard->Label1->text(), QStringLiteral("D"));
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("3"));
    QVERIFY(form.Keyboard->UpDown1->isEnabled());
  }

  void okWithReverseStartsOnTheLastSlicesKey() {
    TMidiForm form;
    form.FormShow(RegionOf(4));
    Click(form.Keyboard->UpDown3, true, 2);
    form.CheckBox1->click();
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.StartKey(), 57);
    // The base key the SoundFont dialog shows is still that of the arrows.
    QCOMPARE(form.Keys().BaseKey(), 48);
    const MidiTemplateSettings settings = form.Settings(true);
    QVERIFY(settings.reverse && settings.aweFilter);
    QCOMPARE(settings.keys.interval, 2);
  }

  void cancelClosesWithoutOk() {
    TMidiForm form;
    form.FormShow(RegionOf(2));
    form.setResult(QDialog::Accepted);
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(MidiDialogTest)
#include "MidiDialogTest.moc"
