#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "app/gui/TMainForm.h"
#include "document/LoadMessages.h"
#include "document/Samples.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/TestWindow.h"
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
    TestWindow w;
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Slicewright "));
    QCOMPARE(w.form.StatusPanels[1]->text(), QStringLiteral("No File Loaded"));
    QVERIFY(w.form.StatusPanels[0]->text().isEmpty());

    const QString path = WriteLoop(QStringLiteral("loop.wav"), 96000);
    Open(w.form, w.dialogs, path);
    QCOMPARE(w.dialogs.openRequests.size(), 1);
    const FileDialogRequest& request = w.dialogs.openRequests.first();
    QCOMPARE(request.title, QStringLiteral("Load File"));
    QCOMPARE(request.filter, QStringLiteral("Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*|"
                                            "Audio Files (*.wav *.aif *.aiff *.flac *.ogg)|"
                                            "*.wav;*.aif;*.aiff;*.flac;*.ogg"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("wav"));
    QCOMPARE(request.fileName, QStringLiteral("*.wav"));
    QVERIFY(w.dialogs.messages.isEmpty());

    QCOMPARE(w.form.windowTitle(), QStringLiteral("loop.wav - Slicewright"));
    QCOMPARE(w.form.StatusPanels[1]->text(), QStringLiteral("16 Bit / 96000 hz"));
    QVERIFY(w.form.document().FileLoaded);
    QCOMPARE(w.form.document().Threshold, 65536);
    QVERIFY(w.form.document().SlicePointCount > 0);
    QCOMPARE(w.form.document().ActivePointCount, 0);
    QCOMPARE(w.form.Label2->text(), QStringLiteral("0%"));
    QCOMPARE(w.form.Label3->text(), QStringLiteral("522.4 BPM"));  // 4 beats in 44100 samples at 96000/s
    // The open dialog moves to the file's folder and returns to its pattern.
    Open(w.form, w.dialogs, QString());
    QCOMPARE(w.dialogs.openRequests.last().folder, QFileInfo(path).absolutePath());
    QCOMPARE(w.dialogs.openRequests.last().fileName, QStringLiteral("*.wav"));
  }

  void loadAndCloseSetEnabledStates() {
    TestWindow w;
    const QList<QWidget*> documentWidgets{
        w.form.TrackBar1,     w.form.SaveWaveB,     w.form.SaveMidB,      w.form.SaveSFB,  w.form.SaveSFMB,
        w.form.SpeedButton17, w.form.SpeedButton18, w.form.SpeedButton19, w.form.Button19, w.form.Button21,
        w.form.Button3,       w.form.Button20,      w.form.Button24,      w.form.PaintBox1};
    const QList<QAction*> documentItems{
        w.form.SplitMenuItem,   w.form.SaveSFItem,      w.form.SaveSfzItem, w.form.SaveRegionItem,
        w.form.SaveSFM,         w.form.SaveMidMenuItem, w.form.CropRegion1, w.form.mnuCopyAll,
        w.form.mnuPasteAllKeep, w.form.mnuPasteNew,     w.form.mnuLockAll,  w.form.mnuUnlockAll,
        w.form.PopUp11,         w.form.PopupZin,        w.form.PopupRev,    w.form.popupSilence};
    for (QWidget* w : documentWidgets) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(w.form.SpeedButton11->isEnabled());
    QVERIFY(w.form.SpeedButton16->isEnabled());

    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("a.wav")));
    for (QWidget* w : documentWidgets) QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!w.form.Button4->isEnabled());
    QVERIFY(!w.form.mnuUndo->isEnabled());
    QVERIFY(!w.form.SpeedButton12->isEnabled());  // the tool bar's Undo keeps in step with the menu's
    QVERIFY(!w.form.PopUpZts->isEnabled());
    w.form.SpeedButton2->click();
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, {}, QPoint(30, 20));
    QVERIFY(w.form.mnuUndo->isEnabled());
    QVERIFY(w.form.SpeedButton12->isEnabled());
    w.form.File1->aboutToShow();
    QVERIFY(w.form.FileCloseItem->isEnabled());
    QVERIFY(w.form.RevertItem->isEnabled());

    w.form.FileCloseItem->trigger();
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Slicewright"));
    QVERIFY(!w.form.document().HasFile());
    // The status bar is as at start-up again.
    QCOMPARE(w.form.StatusPanels[1]->text(), QStringLiteral("No File Loaded"));
    QCOMPARE(w.form.StatusPanels[3]->text(), QStringLiteral("x1.0"));
    QCOMPARE(w.form.Label3->text(), QStringLiteral("0.0 BPM"));
    QVERIFY(w.form.StatusPanels[2]->text().isEmpty());
    QVERIFY(!w.form.SpeedButton12->isEnabled());
    for (QWidget* w : documentWidgets) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QAction* a : documentItems) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    w.form.File1->aboutToShow();
    QVERIFY(!w.form.FileCloseItem->isEnabled());
    QVERIFY(!w.form.RevertItem->isEnabled());
    QVERIFY(w.form.SubOpenItems[0]->isVisible());
  }

  void everyRefusalShowsItsMessageAndKeepsTheDocument() {
    TestWindow w;
    const QString good = WriteLoop(QStringLiteral("good.wav"));
    Open(w.form, w.dialogs, good);
    const int32_t length = w.form.document().DataLength;

    Open(w.form, w.dialogs, folder_.Path(QStringLiteral("missing.wav")));
    Open(w.form, w.dialogs, folder_.Write(QStringLiteral("text.wav"), QByteArray("hello, not audio")));
    Open(w.form, w.dialogs, folder_.Write(QStringLiteral("short.wav"), QByteArray("RI")));
    Open(w.form, w.dialogs,
         folder_.Write(QStringLiteral("eight.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 1, 8)));
    Open(w.form, w.dialogs,
         folder_.Write(QStringLiteral("adpcm.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 2, 16)));
    QByteArray notWave = WaveBytes({1, 2});
    notWave.replace(8, 4, "AVI ");
    Open(w.form, w.dialogs, folder_.Write(QStringLiteral("avi.wav"), notWave));

    const QStringList expected{
        QString::fromLatin1(messages::kFileNotFound),
        QStringLiteral("Wave File Corrupted!\r\n"),
        QStringLiteral("Wave File Corrupted!\r\n"),
        QStringLiteral("Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format"),
        QStringLiteral("Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format"),
        QStringLiteral("Invalid WAV")};
    QCOMPARE(w.dialogs.MessageTexts(), expected);
    for (int i = 0; i < 5; ++i) QCOMPARE(w.dialogs.messages[i].icon, MessageIcon::Warning);
    QCOMPARE(w.dialogs.messages[5].icon, MessageIcon::Error);
    for (const auto& message : w.dialogs.messages) QCOMPARE(message.buttons, MessageButtons::Ok);

    QCOMPARE(w.form.windowTitle(), QStringLiteral("good.wav - Slicewright"));
    QCOMPARE(w.form.document().DataLength, length);
    QVERIFY(w.form.document().FileLoaded);
  }

  void reopenItemsWordTheFormatRefusalDifferently() {
    TestWindow w;
    const QString path = WriteLoop(QStringLiteral("changes.wav"));
    Open(w.form, w.dialogs, path);
    w.form.FileCloseItem->trigger();
    QVERIFY(w.form.SubOpenItems[0]->isVisible());
    QFile::remove(path);
    folder_.Write(QStringLiteral("changes.wav"), WaveBytes({1, 2, 3, 4}, 44100, 1, 1, 8));
    w.form.SubOpenItems[0]->trigger();
    QFile::remove(path);
    w.form.SubOpenItems[0]->trigger();
    QCOMPARE(w.dialogs.MessageTexts(), (QStringList{QStringLiteral("Wave File is incorrect format\r\n"),
                                                    QString::fromLatin1(messages::kFileNotFound)}));
  }

  void aFileNamedRelativeToTheStartFolderIsKeptByItsFullPath() {
    TestWindow w;
    const QString path = WriteLoop(QStringLiteral("named.wav"));
    const QString started = QDir::currentPath();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    w.form.OpenNamedFile(QStringLiteral("named.wav"));
    QDir::setCurrent(started);
    QCOMPARE(QString::fromStdString(w.form.document().LoadedFileName), path);
  }

  void aDroppedFileOpensOnceTheDropHasEnded() {
    TestWindow w;
    const QString path = WriteLoop(QStringLiteral("dropped.wav"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w.form, &enter);  // makes the window the drop's target
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w.form, &drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(w.form.document().LoadedFileName.empty());
    QTRY_COMPARE(QString::fromStdString(w.form.document().LoadedFileName), path);
  }

  void recentListHidesTheOpenFileAndPutsNewFilesOnTop() {
    TestWindow w;
    const QString a = WriteLoop(QStringLiteral("ra.wav"));
    const QString b = WriteLoop(QStringLiteral("rb.wav"));
    // An empty list cannot be opened (an empty submenu popping up on hover
    // used to leave the menu unusable); the item comes back with an entry.
    QVERIFY(!w.form.ReOpen1->menuAction()->isEnabled());
    Open(w.form, w.dialogs, a);
    QVERIFY(!w.form.ReOpen1->menuAction()->isEnabled());
    Open(w.form, w.dialogs, b);
    QVERIFY(w.form.ReOpen1->menuAction()->isEnabled());
    QCOMPARE(w.form.SubOpenItems[0]->text(), b);
    QCOMPARE(w.form.SubOpenItems[1]->text(), a);
    QVERIFY(!w.form.SubOpenItems[0]->isVisible());
    QVERIFY(w.form.SubOpenItems[1]->isVisible());
    QVERIFY(!w.form.SubOpenItems[2]->isVisible());

    w.form.SubOpenItems[1]->trigger();
    QCOMPARE(w.form.windowTitle(), QStringLiteral("ra.wav - Slicewright"));
    QCOMPARE(w.form.SubOpenItems[0]->text(), b);  // among the first three: order kept
    QVERIFY(w.form.SubOpenItems[0]->isVisible());
    QVERIFY(!w.form.SubOpenItems[1]->isVisible());

    // The fourth entry moves to the top, and it is that file that opens.
    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("rc.wav")));
    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("rd.wav")));
    QCOMPARE(w.form.SubOpenItems[3]->text(), a);
    w.form.SubOpenItems[3]->trigger();
    QCOMPARE(QString::fromStdString(w.form.document().LoadedFileName), a);
    QCOMPARE(w.form.SubOpenItems[0]->text(), a);
    QCOMPARE(w.form.SubOpenItems[1]->text(), folder_.Path(QStringLiteral("rd.wav")));
  }

  void revertAsksAndReloadsOnYes() {
    TestWindow w;
    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("rev.wav")));
    const uint8_t original = w.form.document().SampleStream[100];
    w.form.document().SampleStream[100] = static_cast<uint8_t>(original ^ 0xFF);  // an edit to discard
    const int32_t before = w.form.document().DataLength;

    w.dialogs.messageAnswers.append(MessageAnswer::No);
    w.form.RevertItem->trigger();
    QCOMPARE(w.dialogs.messages.last().text,
             QStringLiteral("Are you sure you wish to revert to the original sample?"));
    QCOMPARE(w.dialogs.messages.last().buttons, MessageButtons::YesNo);
    QCOMPARE(w.form.document().SampleStream[100], static_cast<uint8_t>(original ^ 0xFF));

    w.dialogs.messageAnswers.append(MessageAnswer::Yes);
    w.form.RevertItem->trigger();
    QCOMPARE(w.form.document().SampleStream[100], original);
    QCOMPARE(w.form.document().DataLength, before);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("rev.wav - Slicewright"));
    QCOMPARE(w.dialogs.messages.size(), 2);
  }

  void aFileOnlyConversionOpensIsOfferedForConversion() {
    TestWindow w;
    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("first.wav")));
    const std::vector<uint8_t> first = w.form.document().SampleStream;
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
    Open(w.form, w.dialogs, path);
    QCOMPARE(w.dialogs.conversionsShown.size(), 1);
    QCOMPARE(w.dialogs.conversionsShown[0].first, QStringLiteral("24-bit PCM, 22050 Hz, stereo, 0:00.0"));
    QVERIFY(w.dialogs.conversionsShown[0].second);
    QCOMPARE(w.dialogs.MessageTexts(), QStringList{QString::fromLatin1(messages::kIncorrectFormat)});
    QCOMPARE(w.form.document().SampleStream, first);

    w.dialogs.conversionAnswers = {StereoChoice::Right};
    Open(w.form, w.dialogs, path);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("wide.wav - Slicewright"));
    QCOMPARE(w.form.document().SampleStream, bytes(right));
    QVERIFY(w.form.StatusPanels[1]->text().endsWith(
        QStringLiteral(", from 24-bit PCM, 22050 Hz, stereo, 0:00.0")));
    QCOMPARE(w.form.StatusPanels[1]->text().left(17), QStringLiteral("16 Bit / 22050 hz"));

    // Revert converts again, as it loads.
    w.dialogs.messageAnswers.append(MessageAnswer::Yes);
    w.dialogs.conversionAnswers = {StereoChoice::Left};
    w.form.RevertItem->trigger();
    QCOMPARE(w.form.document().SampleStream, bytes(left));
    QCOMPARE(w.dialogs.conversionsShown.size(), 3);
  }

  void stereoFilesAskForAChannel() {
    TestWindow w;
    // Frames: (1001, -1001), (-32768, -32768), (-3, 5).
    const QString path = folder_.Write(QStringLiteral("stereo.wav"),
                                       WaveBytes({1001, -1001, -32768, -32768, -3, 5}, 22050, 2));
    w.dialogs.stereoAnswers.append(StereoChoice::Combine);
    Open(w.form, w.dialogs, path);
    QCOMPARE(w.dialogs.stereoShown, 1);
    const Document& doc = w.form.document();
    QCOMPARE(doc.Channels, uint16_t{1});
    QCOMPARE(doc.DataLength, 6);
    QCOMPARE(doc.SampleAt(0), int16_t{0});
    QCOMPARE(doc.SampleAt(2), int16_t{-32768});
    QCOMPARE(doc.SampleAt(4), int16_t{1});
    QCOMPARE(doc.AvgBytesPerSec, 44100);
    QCOMPARE(doc.RightLocatorPos, 6);

    // Closing the dialog without a choice cancels the load and leaves the
    // document that was open as it was.
    Open(w.form, w.dialogs, WriteLoop(QStringLiteral("mono.wav")));
    const std::vector<uint8_t> mono = w.form.document().SampleStream;
    Open(w.form, w.dialogs, path);
    QCOMPARE(w.dialogs.stereoShown, 2);
    QVERIFY(w.form.document().FileLoaded);
    QCOMPARE(w.form.document().SampleStream, mono);
    QVERIFY(w.form.TrackBar1->isEnabled());
    QCOMPARE(w.form.windowTitle(), QStringLiteral("mono.wav - Slicewright"));
    QVERIFY(!w.form.SubOpenItems[0]->isVisible());  // the open file is still the first entry
  }
};

QTEST_MAIN(MainFormFilesTest)
#include "MainFormFilesTest.moc"
