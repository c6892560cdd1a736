#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/gui/TForm4.h"
#include "support/EditingWindow.h"
#include "view/gui/ViewColour.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

// "Program Options" on its own and opened from the main window: the working
// colours and their preview, O.K. and Cancel, the path and the AWE option.
class OptionsDialogTest : public QObject {
  Q_OBJECT

  static constexpr Colour kBlue = 0xFF0000;
  static constexpr Colour kYellow = 0x00FFFF;
  static constexpr Colour kWhite = 0xFFFFFF;

  static Settings DistinctColours() {
    Settings settings;
    settings.Colours = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xC0D0E0};
    settings.ControlPanelPath = "/usr/bin/mixer";
    return settings;
  }

  static QColor Swatch(const TForm4& form) { return form.Panel1->palette().color(QPalette::Window); }

  // A column of the main waveform away from every line.
  static QColor BackgroundOnScreen(EditingWindow& w) { return w.form.PaintBox1->Picture().pixelColor(5, 3); }

  // Picks the item and answers the colour dialog with the colour.
  static void ChangeColour(ScriptedDialogs& dialogs, TForm4& form, int item, Colour colour) {
    form.ComboBox1->setCurrentIndex(item);
    dialogs.colourAnswers.append(colour);
    form.Button3->click();
  }

 private slots:
  void thePreviewShowsTheWorkingColoursWithTheLinesInPlace() {
    ScriptedDialogs dialogs;
    Settings settings = DistinctColours();
    TForm4 form(dialogs, settings);
    form.FormShow();
    form.FormActivate();
    QCOMPARE(form.windowTitle(), QStringLiteral("Program Options"));
    QCOMPARE(form.Tabsheep->tabText(0), QStringLiteral("Preferences"));
    QCOMPARE(form.Tabsheep->tabText(1), QStringLiteral("Colours"));
    QCOMPARE(form.ComboBox1->itemText(2), QStringLiteral("Waveform Colour "));

    const QImage& preview = form.OptionsPreview();
    QCOMPARE(preview.size(), QSize(450, 153));
    for (int x : {39, 165, 291, 417}) {
      QCOMPARE(preview.pixelColor(x, 10), ToQColor(settings.Colours.DivColour));
      QCOMPARE(preview.pixelColor(x, 150), ToQColor(settings.Colours.DivColour));
    }
    for (int x : {0, 39, 200, 449})
      QCOMPARE(preview.pixelColor(x, 76), ToQColor(settings.Colours.LineColour));
    QCOMPARE(preview.pixelColor(8, 140), ToQColor(settings.Colours.WaveColour));
    QCOMPARE(preview.pixelColor(8, 20), ToQColor(settings.Colours.BGColour));
    QCOMPARE(preview.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(Swatch(form), ToQColor(settings.Colours.BGColour));

    // The play line has a swatch but no place in the preview.
    form.ComboBox1->setCurrentIndex(4);
    QCOMPARE(Swatch(form), ToQColor(settings.Colours.PlayColour));
    const QRgb play = ToQColor(settings.Colours.PlayColour).rgb();
    for (int y = 0; y < preview.height(); ++y) {
      for (int x = 0; x < preview.width(); ++x) QVERIFY(preview.pixel(x, y) != play);
    }
  }

  void changeRedrawsThePreviewAndTheColourDialogStartsFromItsLastAnswer() {
    ScriptedDialogs dialogs;
    Settings settings = DistinctColours();
    TForm4 form(dialogs, settings);
    form.FormShow();
    form.FormActivate();
    ChangeColour(dialogs, form, 0, kBlue);
    QCOMPARE(form.OptionsPreview().pixelColor(8, 20), QColor(Qt::blue));
    QCOMPARE(Swatch(form), QColor(Qt::blue));
    ChangeColour(dialogs, form, 3, kYellow);
    QCOMPARE(form.OptionsPreview().pixelColor(165, 20), QColor(Qt::yellow));
    // Cancelling the colour dialog changes nothing.
    form.ComboBox1->setCurrentIndex(1);
    form.Button3->click();
    QCOMPARE(form.WorkingColours[1], settings.Colours.LineColour);
    QCOMPARE(dialogs.colourRequests, (QList<Colour>{0x000000, kBlue, kYellow}));
    // Nothing reached the settings.
    QCOMPARE(settings.Colours, DistinctColours().Colours);
  }

  void okStoresThePathAndTheOptionAndBrowseCancelledKeepsThePath() {
    ScriptedDialogs dialogs;
    Settings settings = DistinctColours();
    TForm4 form(dialogs, settings);
    form.FormShow();
    form.FormActivate();
    QCOMPARE(form.Edit1->text(), QStringLiteral("/usr/bin/mixer"));
    QVERIFY(!form.CheckBox1->isChecked());

    form.Button4->click();
    QCOMPARE(form.Edit1->text(), QStringLiteral("/usr/bin/mixer"));
    QCOMPARE(dialogs.openRequests.size(), 1);
    QCOMPARE(dialogs.openRequests[0].title, QStringLiteral("Browse for Control Panel"));
    QCOMPARE(dialogs.openRequests[0].folder, QStringLiteral("/usr/bin"));

    dialogs.openAnswers.append(QStringLiteral("/opt/sound/panel"));
    form.Button4->click();
    QCOMPARE(form.Edit1->text(), QStringLiteral("/opt/sound/panel"));
    form.CheckBox1->setChecked(true);
    form.Button1->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(settings.ControlPanelPath, std::string("/opt/sound/panel"));
    QVERIFY(settings.AweFilterOption);
  }

  void cancelKeepsTheOldColoursInTheSettingsTheViewAndTheNextOpening() {
    EditingWindow w;
    const ViewColours before = w.form.settings().Colours;
    const QColor screenBefore = BackgroundOnScreen(w);
    QCOMPARE(screenBefore, ToQColor(before.BGColour));
    w.dialogs.settingsScripts.append([&](QDialog&) {
      ChangeColour(w.dialogs, *w.form.Form4, 0, kBlue);
      w.form.Form4->Edit1->setText(QStringLiteral("/elsewhere"));
      w.form.Form4->Button2->click();
    });
    w.form.Options1->trigger();
    QCOMPARE(w.dialogs.settingsShown, QStringList{QStringLiteral("Program Options")});
    QCOMPARE(w.form.settings().Colours, before);
    QCOMPARE(w.form.waveView().Display().colours, before);
    QCOMPARE(BackgroundOnScreen(w), screenBefore);

    bool reopenedClean = false;
    w.dialogs.settingsScripts.append([&](QDialog&) {
      reopenedClean =
          w.form.Form4->WorkingColours[0] == before.BGColour &&
          Swatch(*w.form.Form4) == ToQColor(before.BGColour) &&
          w.form.Form4->Edit1->text() == QString::fromStdString(w.form.settings().ControlPanelPath);
    });
    w.form.Options1->trigger();
    QVERIFY(reopenedClean);
  }

  void okRecoloursTheViewAndTheNextPlayLine() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000)});
    w.dialogs.settingsScripts.append([&](QDialog&) {
      ChangeColour(w.dialogs, *w.form.Form4, 0, kBlue);
      ChangeColour(w.dialogs, *w.form.Form4, 4, kWhite);
      w.form.Form4->Button1->click();
    });
    w.form.Options1->trigger();
    QCOMPARE(w.form.settings().Colours.BGColour, kBlue);
    QCOMPARE(w.form.settings().Colours.PlayColour, kWhite);
    QCOMPARE(w.form.waveView().Display().colours, w.form.settings().Colours);
    QCOMPARE(BackgroundOnScreen(w), QColor(Qt::blue));

    // The next play line comes in the new colour and leaves the new picture behind.
    WaveView& view = w.form.waveView();
    view.MovePlayLine(100);
    view.ShowPlayLine();
    QCOMPARE(w.form.PaintBox1->grab().toImage().pixelColor(100, 3), QColor(Qt::white));
    view.HidePlayLine();
    QCOMPARE(w.form.PaintBox1->grab().toImage().pixelColor(100, 3), QColor(Qt::blue));
  }
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
