#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "app/gui/TMainForm.h"
#include "document/LoadMessages.h"
#include "document/Samples.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/WaveFiles.h"
#include "view/gui/PaintBoxes.h"

using namespace slicewright;
using namespace slicewright::test;

class MainFormFilesTest : public QObject {
  Q_OBJECT

 private:
  QString WriteLoop(const QString& name, int rate = 44100) {
    return folder_.Write(name, WaveBytes(DrumLoop(44100, 5512), rate));
  }
  void Open(TMainForm& form, ScriptedDialogs& dialogs, const QString& path) {
    dialogs.openAnswers.append(path);
    form.OpenFile();
  }
  TestFolder folder_;

 private slots:
  void openRunsTheLoadDialogAndLoads() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    QCOMPARE(form.windowTitle(), QStringLiteral("Slicewright "));
    QCOMPARE(form.StatusPanels[1]->text(), QStringLiteral("No File Loaded"));
    QVERIFY(form.StatusPanels[0]->text().isEmpty());

    const QString path = WriteLoop(QStringLiteral("loop.wav"), 96000);
    Open(form, dialogs, path);
    QCOMPARE(dialogs.openRequests.size(), 1);
    const FileDialogRequest& request = dialogs.openRequests.first();
    QCOMPARE(request.title, QStringLiteral("Load File"));
    QCOMPARE(request.filter, QStringLiteral("Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*|"
                                            "Audio Files (*.wav *.aif *.aiff *.flac *.ogg)|"
                                            "*.wav;*.aif;*.aiff;*.flac;*.ogg"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("wav"));
    QCOMPARE(request.fileName, QStringLiteral("*.wav"));
    QVERIFY(dialogs.messages.isEmpty());

    QCOMPARE(form.windowTitle(), QStringLiteral("loop.wav - Slicewright"));
    QCOMPARE(form.StatusPanels[1]->text(), QStringLiteral("16 Bit / 96000 hz"));
    QVERIFY(form.document().FileLoaded);
    QCOMPARE(form.document().Threshold, 65536);
    QVERIFY(form.document().SlicePointCount > 0);
    QCOMPARE(form.document().ActivePointCount, 0);
    QCOMPARE(form.Label2->text(), QStringLiteral("0%"));
    QCOMPARE(form.Label3->text(), QStringLiteral("522.4 BPM"));  // 4 beats in 44100 samples at 96000/s
    // The open dialog moves to the file's folder and returns to its pattern.
    Open(form, dialogs, QString());
    QCOMPARE(dialogs.openRequests.last().folder, QFileInfo(path).absolutePath());
    QCOMPARE(dialogs.openRequests.last().fileName, QStringLiteral("*.wav"));
  }

  void loadAndCloseSetEnabledStates() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    const QList<QWidget*> documentWidgets{
        form.TrackBar1,     form.SaveWaveB,     form.SaveMidB,      form.SaveSFB,  form.SaveSFMB,
        form.SpeedButton17, form.SpeedButton18, form.SpeedButton19, form.Button19, form.Button21,
        form.Button3,       form.Button20,      form.Button24,      form.PaintBox1};
    const QList<QAction*> documentItems{
        form.SplitMenuItem,   form.SaveSFItem,      form.SaveSfzItem, form.SaveRegionItem,
        form.SaveSFM,         form.SaveMidMenuItem, form.CropRegion1, form.mnuCopyAll,
        form.mnuPasteAllKeep, form.mnuPasteNew,     form.mnuLockAll,  form.mnuUnlockAll,
        form.PopUp11,         form.PopupZin,        form.PopupRev,    form.popupSilence};
    for (QWidget* w : documentWidgets) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(form.SpeedButton11->isEnabled());
    QVERIFY(form.SpeedButton16->isEnabled());

    Open(form, dialogs, WriteLoop(QStringLiteral("a.wav")));
    for (QWidget* w : documentWidgets) QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!form.Button4->isEnabled());
    QVERIFY(!form.mnuUndo->isEnabled());
    QVERIFY(!form.SpeedButton12->isEnabled());  // the tool bar's Undo keeps in step with the menu's
    QVERIFY(!form.PopUpZts->isEnabled());
    form.SpeedButton2->click();
    QTest::mouseClick(form.PaintBox1, Qt::LeftButton, {}, QPoint(30, 20));
    QVERIFY(form.mnuUndo->isEnabled());
    QVERIFY(form.SpeedButton12->isEnabled());
    form.File1->aboutToShow();
    QVERIFY(form.FileCloseItem->isEnabled());
    QVERIFY(form.RevertItem->isEnabled());

    form.FileCloseItem->trigger();
    QCOMPARE(form.windowTitle(), QStringLiteral("Slicewright"));
    QVERIFY(!form.document().HasFile());
    // The status bar is as at start-up again.
    QCOMPARE(form.StatusPanels[1]->text(), QStringLiteral("No File Loaded"));
    QCOMPARE(form.StatusPanels[3]->text(), QStringLiteral("x1.0"));
    QCOMPARE(form.Label3->text(), QStringLiteral("0.0 BPM"));
    QVERIFY(form.StatusPanels[2]->text().isEmpty());
    QVERIFY(!form.SpeedButton12->isEnabled());
    for (QWidget* w : documentWidgets) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    form.File1->aboutToShow();
    QVERIFY(!form.FileCloseItem->isEnabled());
    QVERIFY(!form.RevertItem->isEnabled());
    QVERIFY(form.SubOpenItems[0]->isVisible());
  }

  void everyRefusalShowsItsMessageAndKeepsTheDocument() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    const QString good = WriteLoop(QStringLiteral("good.wav"));
    Open(form, dialogs, good);
    const int32_t length = form.document().DataLength;

    Open(form, dialogs, folder_.Path(QStringLiteral("missing.wav")));
    Open(form, dialogs, folder_.Write(QStringLiteral("text.wav"), QByteArray("hello, not audio")));
    Open(form, dialogs, folder_.Write(QStringLiteral("short.wav"), QByteArray("RI")));
    Open(form, dialogs, folder_.Write(QStringLiteral("eight.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 1, 8)));
    Open(form, dialogs, folder_.Write(QStringLiteral("adpcm.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 2, 16)));
    QByteArray notWave = WaveBytes({1, 2});
    notWave.replace(8, 4, "AVI ");
    Open(form, dialogs, folder_.Write(QStringLiteral("avi.wav"), notWave));

    const QStringList expected{
        QString::fromLatin1(messages::kFileNotFound),
        QStringLiteral("Wave File Corrupted!\r\n"),
        QStringLiteral("Wave File Corrupted!\r\n"),
        QStringLiteral("Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format"),
        QStringLiteral("Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format"),
        QStringLiteral("Invalid WAV")};
    QCOMPARE(dialogs.MessageTexts(), expected);
    for (int i = 0; i < 5; ++i) QCOMPARE(dialogs.messages[i].icon, MessageIcon::Warning);
    QCOMPARE(dialogs.messages[5].icon, MessageIcon::Error);
    for (const auto& message : dialogs.messages) QCOMPARE(message.buttons, MessageButtons::Ok);

    QCOMPARE(form.windowTitle(), QStringLiteral("good.wav - Slicewright"));
    QCOMPARE(form.document().DataLength, length);
    QVERIFY(form.document().FileLoaded);
  }

  void reopenItemsWordTheFormatRefusalDifferently() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    const QString path = WriteLoop(QStringLiteral("changes.wav"));
    Open(form, dialogs, path);
    form.FileCloseItem->trigger();
    QVERIFY(form.SubOpenItems[0]->isVisible());
    QFile::remove(path);
    folder_.Write(QStringLiteral("changes.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 1, 8));
    form.SubOpenItems[0]->trigger();
    QFile::remove(path);
    form.SubOpenItems[0]->trigger();
    QCOMPARE(dialogs.MessageTexts(), (QStringList{QStringLiteral("Wave File is incorrect format\r\n"),
                                                  QString::fromLatin1(messages::kFileNotFound)}));
  }

  void recentListHidesTheOpenFileAndPutsNewFilesOnTop() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    const QString a = WriteLoop(QStringLiteral("ra.wav"));
    const QString b = WriteLoop(QStringLiteral("rb.wav"));
    // An empty list cannot be opened (an empty submenu popping up on hover
    // used to leave the menu unusable); the item comes back with an entry.
    QVERIFY(!form.ReOpen1->menuAction()->isEnabled());
    Open(form, dialogs, a);
    QVERIFY(!form.ReOpen1->menuAction()->isEnabled());
    Open(form, dialogs, b);
    QVERIFY(form.ReOpen1->menuAction()->isEnabled());
    QCOMPARE(form.SubOpenItems[0]->text(), b);
    QCOMPARE(form.SubOpenItems[1]->text(), a);
    QVERIFY(!form.SubOpenItems[0]->isVisible());
    QVERIFY(form.SubOpenItems[1]->isVisible());
    QVERIFY(!form.SubOpenItems[2]->isVisible());

    form.SubOpenItems[1]->trigger();
    QCOMPARE(form.windowTitle(), QStringLiteral("ra.wav - Slicewright"));
    QCOMPARE(form.SubOpenItems[0]->text(), b);  // among the first three: order kept
    QVERIFY(form.SubOpenItems[0]->isVisible());
    QVERIFY(!form.SubOpenItems[1]->isVisible());

    // The fourth entry moves to the top, and it is that file that opens.
    Open(form, dialogs, WriteLoop(QStringLiteral("rc.wav")));
    Open(form, dialogs, WriteLoop(QStringLiteral("rd.wav")));
    QCOMPARE(form.SubOpenItems[3]->text(), a);
    form.SubOpenItems[3]->trigger();
    QCOMPARE(QString::fromStdString(form.document().LoadedFileName), a);
    QCOMPARE(form.SubOpenItems[0]->text(), a);
    QCOMPARE(form.SubOpenItems[1]->text(), folder_.Path(QStringLiteral("rd.wav")));
  }

  void revertAsksAndReloadsOnYes() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    Open(form, dialogs, WriteLoop(QStringLiteral("rev.wav")));
    const uint8_t original = form.document().SampleStream[100];
    form.document().SampleStream[100] = static_cast<uint8_t>(original ^ 0xFF);  // an edit to discard
    const int32_t before = form.document().DataLength;

    dialogs.messageAnswers.append(MessageAnswer::No);
    form.RevertItem->trigger();
    QCOMPARE(dialogs.messages.last().text,
             QStringLiteral("Are you sure you wish to revert to the original sample?"));
    QCOMPARE(dialogs.messages.last().buttons, MessageButtons::YesNo);
    QCOMPARE(form.document().SampleStream[100], static_cast<uint8_t>(original ^ 0xFF));

    dialogs.messageAnswers.append(MessageAnswer::Yes);
    form.RevertItem->trigger();
    QCOMPARE(form.document().SampleStream[100], original);
    QCOMPARE(form.document().DataLength, before);
    QCOMPARE(form.windowTitle(), QStringLiteral("rev.wav - Slicewright"));
    QCOMPARE(dialogs.messages.size(), 2);
  }

  void aFileOnlyConversionOpensIsOfferedForConversion() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    Open(form, dialogs, WriteLoop(QStringLiteral("first.wav")));
    const std::vector<uint8_t> first = form.document().SampleStream;
    const std::vector<int16_t> left{1000, -2000, 3000, 32767};
    const std::vector<int16_t> right{-5, 6, -7, -32768};
    const auto bytes = [](const std::vector<int16_t>& samples) {
      std::vector<uint8_t> out(2 * samples.size());
      for (size_t i = 0; i < samples.size(); ++i) EncodeSample(&out[2 * i], samples[i]);
      return out;
    };
    std::vector<int16_t> frames;
    for (size_t i = 0; i < left.size(); ++i) {
      frames.push_back(left[i]);
      frames.push_back(right[i]);
    }
    const QString path = folder_.Write(QStringLiteral("wide.wav"), Wave24Bytes(frames, 22050, 2));

    // Cancel: the refusal of today, and the open document stays.
    Open(form, dialogs, path);
    QCOMPARE(dialogs.conversionsShown.size(), 1);
    QCOMPARE(dialogs.conversionsShown[0].first, QStringLiteral("24-bit PCM, 22050 Hz, stereo, 0:00.0"));
    QVERIFY(dialogs.conversionsShown[0].second);
    QCOMPARE(dialogs.MessageTexts(), QStringList{QString::fromLatin1(messages::kIncorrectFormat)});
    QCOMPARE(form.document().SampleStream, first);

    dialogs.conversionAnswers = {StereoChoice::Right};
    Open(form, dialogs, path);
    QCOMPARE(form.windowTitle(), QStringLiteral("wide.wav - Slicewright"));
    QCOMPARE(form.document().SampleStream, bytes(right));
    QVERIFY(
        form.StatusPanels[1]->text().endsWith(QStringLiteral(", from 24-bit PCM, 22050 Hz, stereo, 0:00.0")));
    QCOMPARE(form.StatusPanels[1]->text().left(17), QStringLiteral("16 Bit / 22050 hz"));

    // Revert converts again, as it loads.
    dialogs.messageAnswers.append(MessageAnswer::Yes);
    dialogs.conversionAnswers = {StereoChoice::Left};
    form.RevertItem->trigger();
    QCOMPARE(form.document().SampleStream, bytes(left));
    QCOMPARE(dialogs.conversionsShown.size(), 3);
  }

  void stereoFilesAskForAChannel() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    // Frames: (1001, -1001), (-32768, -32768), (-3, 5).
    const QString path = folder_.Write(QStringLiteral("stereo.wav"),
                                       WaveBytes({1001, -1001, -32768, -32768, -3, 5}, 22050, 2));
    dialogs.stereoAnswers.append(StereoChoice::Combine);
    Open(form, dialogs, path);
    QCOMPARE(dialogs.stereoShown, 1);
    const Document& doc = form.document();
    QCOMPARE(doc.Channels, uint16_t{1});
    QCOMPARE(doc.DataLength, 6);
    QCOMPARE(doc.SampleAt(0), int16_t{0});
    QCOMPARE(doc.SampleAt(2), int16_t{-32768});
    QCOMPARE(doc.SampleAt(4), int16_t{1});
    QCOMPARE(doc.AvgBytesPerSec, 44100);
    QCOMPARE(doc.RightLocatorPos, 6);

    // Closing the dialog without a choice cancels the load and leaves the
    // document that was open as it was.
    Open(form, dialogs, WriteLoop(QStringLiteral("mono.wav")));
    const std::vector<uint8_t> mono = form.document().SampleStream;
    Open(form, dialogs, path);
    QCOMPARE(dialogs.stereoShown, 2);
    QVERIFY(form.document().FileLoaded);
    QCOMPARE(form.document().SampleStream, mono);
    QVERIFY(form.TrackBar1->isEnabled());
    QCOMPARE(form.windowTitle(), QStringLiteral("mono.wav - Slicewright"));
    QVERIFY(!form.SubOpenItems[0]->isVisible());  // the open file is still the first entry
  }
};

QTEST_MAIN(MainFormFilesTest)
#include "MainFormFilesTest.moc"
