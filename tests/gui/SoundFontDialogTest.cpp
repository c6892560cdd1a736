#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "export/gui/KeyControls.h"
#include "export/gui/TForm6.h"
#include "export/gui/TMidiForm.h"
#include "export/gui/UpDown.h"
#include "support/KeyDialogSupport.h"

using namespace slicewright;
using namespace slicewright::test;

// The SoundFont settings dialog worked through its controls, beside the
// MIDI dialog whose keys it shows.
class SoundFontDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsItsDefaultsAndTheTemplatesKeys() {
    TMidiForm midi;
    TForm6 form(midi.Keys());
    form.FormShow(RegionOf(3));
    QCOMPARE(form.windowTitle(), QStringLiteral("SoundFont 2.0 settings"));
    QCOMPARE(form.Label16->text(), QStringLiteral("C-2 (48)"));
    QCOMPARE(form.Label18->text(), QStringLiteral("0"));
    QCOMPARE(form.Label5->text(), QStringLiteral("Use white keys: no"));
    const SoundFontSettings settings = form.Settings();
    QCOMPARE(settings.bankName, std::string("Slicewright Bank"));
    QVERIFY(settings.smoothEnds);
    QCOMPARE(settings.keys.baseKey, 48);
    QVERIFY(form.Button1->isEnabled());
  }

  void intervalStepsByTwoAndTooManySlicesAreRefused() {
    TMidiForm midi;
    TForm6 form(midi.Keys());
    form.FormShow(RegionOf(27));
    Click(form.Keyboard->UpDown3, true);
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("2"));
    QVERIFY(form.Button1->isEnabled());
    form.FormShow(RegionOf(28));
    QVERIFY(!form.Button1->isEnabled());
    QVERIFY(!form.Keyboard->Label4->isHidden());
    // Reset brings the interval back to 0 and the keys fit again.
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("0"));
    QVERIFY(form.Button1->isEnabled());
    QVERIFY(form.Keyboard->Label4->isHidden());
  }

  void whiteKeysRefuseFortySevenSlices() {
    TMidiForm midi;
    TForm6 form(midi.Keys());
    form.FormShow(RegionOf(46));
    form.Keyboard->CheckBox2->click();
    QVERIFY(form.Button1->isEnabled());
    form.FormShow(RegionOf(47));
    QVERIFY(!form.Button1->isEnabled());
  }

  void matchingTakesTheTemplatesKeys() {
    TMidiForm midi;
    midi.FormShow(RegionOf(3));
    Click(midi.Keyboard->UpDown1, true, 9);  // A
    Click(midi.Keyboard->UpDown2, true);
    Click(midi.Keyboard->UpDown3, true, 3);  // odd: the bank takes it as it is
    TForm6 form(midi.Keys());
    form.FormShow(RegionOf(3));
    QCOMPARE(form.Label16->text(), QStringLiteral("A-3 (69)"));
    QCOMPARE(form.Label18->text(), QStringLiteral("3"));
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    QCOMPARE(form.Keyboard->Label1->text(), QStringLiteral("A"));
    QCOMPARE(form.Keyboard->Label2->text(), QStringLiteral("3"));
    QCOMPARE(form.Keyboard->Label3->text(), QStringLiteral("3"));
    QCOMPARE(form.Settings().keys.baseKey, 69);

    midi.Keyboard->CheckBox2->click();
    form.FormShow(RegionOf(3));
    QCOMPARE(form.Label5->text(), QStringLiteral("Use white keys: yes"));
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    QVERIFY(form.Keyboard->CheckBox2->isChecked());
    QCOMPARE(form.Settings().keys.baseKey, 60);
    QVERIFY(form.Settings().keys.whiteKeys);
  }

  void doubleClickSelectsTheWholeBankName() {
    TMidiForm midi;
    TForm6 form(midi.Keys());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseDClick(form.Edit1, Qt::LeftButton, {}, QPoint(5, form.Edit1->height() / 2));
    QCOMPARE(form.Edit1->selectedText(), QStringLiteral("Slicewright Bank"));
  }
};

QTEST_MAIN(SoundFontDialogTest)
#include "SoundFontDialogTest.moc"
