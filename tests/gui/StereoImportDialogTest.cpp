#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "document/gui/TForm5.h"

using namespace slicewright;

class StereoImportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void okWaitsForAChannel() {
    TForm5 dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Stereo File"));
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->title(), QStringLiteral("Choose channel:"));
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
};

QTEST_MAIN(StereoImportDialogTest)
#include "StereoImportDialogTest.moc"
