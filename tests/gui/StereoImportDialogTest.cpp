#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "document/gui/ConvertDialog.h"
#include "document/gui/TForm5.h"

using namespace slicewright;

class StereoImportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void okWaitsForAChannel() {
    TForm5 dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Stereo File"));
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->title(),
             QStringLiteral("Choose channel:"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
    QCOMPARE(ok->text(), QStringLiteral("O.K."));
    QVERIFY(!ok->isEnabled());
    QCOMPARE(dialog.Choice(), std::nullopt);

    const QStringList captions{QStringLiteral("Use Left Channel"), QStringLiteral("Use Right Channel"),
                               QStringLiteral("Combine Channels")};
    const StereoChoice choices[] = {StereoChoice::Left, StereoChoice::Right, StereoChoice::Combine};
    for (int i = 0; i < 3; ++i) {
      auto* radio = dialog.findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item%1").arg(i));
      QCOMPARE(radio->text(), captions[i]);
      radio->click();
      QVERIFY(ok->isEnabled());
      QCOMPARE(dialog.Choice(), choices[i]);
    }
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void theConversionDialogNamesTheFormatAndAsksForAChannelOnlyForStereo() {
    ConvertDialog mono(QStringLiteral("24-bit PCM, 48000 Hz, mono, 0:12.5"), false);
    QCOMPARE(mono.FormatLabel->text(), QStringLiteral("24-bit PCM, 48000 Hz, mono, 0:12.5"));
    QVERIFY(mono.RadioGroup1 == nullptr);
    QVERIFY(mono.OkButton->isEnabled());
    QCOMPARE(mono.Choice(), StereoChoice::Combine);
    mono.CancelButton->click();
    QCOMPARE(mono.result(), int(QDialog::Rejected));

    ConvertDialog stereo(QStringLiteral("32-bit float, 44100 Hz, stereo, 0:01.0"), true);
    QVERIFY(!stereo.OkButton->isEnabled());
    stereo.findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item1"))->click();
    QVERIFY(stereo.OkButton->isEnabled());
    QCOMPARE(stereo.Choice(), StereoChoice::Right);
    stereo.OkButton->click();
    QCOMPARE(stereo.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(StereoImportDialogTest)
#include "StereoImportDialogTest.moc"
