#include <QEventLoop>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/gui/TMainForm.h"
#include "audio/AudioMessages.h"
#include "audio/Transport.h"
#include "document/LoadMessages.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/WaveFiles.h"
#include "view/gui/PaintBoxes.h"

using namespace slicewright;
using namespace slicewright::test;

// The transport as the window drives it: its buttons, the keys, the end of
// playback arriving through the event loop, the device check and release.
class MainFormPlaybackTest : public QObject {
  Q_OBJECT

 private:
  struct Window {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form{dialogs, store, playback.wave, playback.timer};
  };

  void Load(Window& w, int sliderPosition = 40000) {
    const QString path = folder_.Write(QStringLiteral("loop.wav"), WaveBytes(DrumLoop(88200, 11025)));
    w.dialogs.openAnswers.append(path);
    w.form.OpenFile();
    w.form.TrackBar1->setValue(sliderPosition);
    QVERIFY(w.form.document().ActivePointCount >= 3);
  }

  // Lets posted done notices reach the window.
  static void DeliverNotices() { QCoreApplication::processEvents(); }

  TestFolder folder_;

 private slots:
  void allPlaysTheViewOnceAndTheEndRaisesTheButton() {
    Window w;
    Load(w);
    QTest::mouseClick(w.form.Button3, Qt::LeftButton);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 1);
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()), w.form.document().ViewLength);
    QVERIFY(!w.playback.wave.LastBlockLoops());
    QVERIFY(w.form.Button3->isChecked());
    QVERIFY(w.form.transport().PlayTimerRunning());
    QVERIFY(w.form.SuperTimer1.Enabled());

    w.playback.wave.Advance(static_cast<uint32_t>(w.form.document().ViewLength));
    DeliverNotices();
    QVERIFY(!w.form.Button3->isChecked());
    QVERIFY(!w.form.transport().PlayTimerRunning());
    QVERIFY(!w.form.SuperTimer1.Enabled());
    QVERIFY(w.form.Button4->isEnabled());
  }

  void allDuringALoopStopsEverything() {
    Window w;
    Load(w);
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    QVERIFY(w.playback.wave.LastBlockLoops());
    const Document& doc = w.form.document();
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()),
             doc.RightLocatorPos - doc.LeftLocatorPos);
    QVERIFY(w.form.transport().LoopPlaying());

    QTest::mouseClick(w.form.Button3, Qt::LeftButton);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 1);
    QVERIFY(!w.playback.wave.Sounding());
    QVERIFY(!w.form.Button3->isChecked());
    QVERIFY(!w.form.Button20->isChecked());
    QVERIFY(!w.form.transport().LoopPlaying());
  }

  void keysPlaySegmentsWhereverTheFocusIs() {
    Window w;
    Load(w);
    const Document& doc = w.form.document();
    w.form.Button24->setFocus();
    // "+" plays the selected segment and moves the highlight to the next.
    QTest::keyClick(w.form.Button24, '+');
    QCOMPARE(w.playback.wave.PlayBlockCount(), 1);
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()), doc.ActivePoints[1].Position - 1);
    QCOMPARE(doc.SelectedSegment, 2);
    // Enter plays the highlighted segment without moving on.
    QTest::keyClick(w.form.Button24, Qt::Key_Return);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 2);
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()),
             doc.ActivePoints[2].Position - doc.ActivePoints[1].Position - 1);
    QCOMPARE(doc.SelectedSegment, 2);
    // "-" from segment 2 reaches the L locator's segment, 1.
    QTest::keyClick(w.form.Button24, '-');
    QCOMPARE(doc.SelectedSegment, 1);
    // Space plays from the pointer and is not taken as a click of the focused button.
    w.form.PointerX = w.form.PaintBox1->width() - 1;
    QTest::keyClick(w.form.Button24, Qt::Key_Space);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 4);
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()),
             doc.DataLength - 2 - doc.ActivePoints[doc.ActivePointCount].Position);
    // Other characters stay with the focused control.
    QTest::keyClick(w.form.Button24, 'x');
    QCOMPARE(w.playback.wave.PlayBlockCount(), 4);
  }

  void keysDoNothingWithoutADocument() {
    Window w;
    QTest::keyClick(&w.form, '+');
    QTest::keyClick(&w.form, Qt::Key_Space);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 0);
  }

  void noOutputDeviceEndsTheProgramAtFirstShow() {
    Window w;
    w.playback.wave.SetOutputDeviceCount(0);
    w.form.show();
    QCOMPARE(w.dialogs.messages.size(), 1);
    QCOMPARE(w.dialogs.messages.first().icon, MessageIcon::Error);
    QCOMPARE(w.dialogs.messages.first().text,
             QStringLiteral("Error! - No Soundcard Found - check Control Panel"));
    QVERIFY(w.form.Closing);
    // The program then ends with a status that tells the shell it failed.
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(-1); });
    QCOMPARE(loop.exec(), TMainForm::NoSoundDeviceExitStatus);
  }

  void aDeviceThatWillNotOpenLeavesTheDocumentSilent() {
    Window w;
    w.playback.wave.SetOpenResult(2);
    Load(w);
    QCOMPARE(w.dialogs.MessageTexts(), QStringList{QStringLiteral("Unable to open Wave Device")});
    QVERIFY(w.form.document().FileLoaded);
    QTest::mouseClick(w.form.Button3, Qt::LeftButton);
    QCOMPARE(w.playback.wave.PlayBlockCount(), 0);
    QVERIFY(!w.form.Button3->isChecked());
  }

  void deactivationReleasesTheDeviceAndActivationReopensIt() {
    Window w;
    Load(w);
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    QVERIFY(w.playback.wave.Sounding());
    w.form.AppDeActivate();
    QVERIFY(!w.playback.wave.WavOpen());
    QVERIFY(!w.playback.wave.Sounding());
    QVERIFY(!w.form.SuperTimer1.Enabled());
    QVERIFY(!w.form.Button20->isChecked());
    w.form.AppActivate();
    QVERIFY(w.playback.wave.WavOpen());
    QCOMPARE(w.playback.wave.PlayBlockCount(), 1);  // reopened, not restarted
  }

  void closingTheDocumentReleasesTheDevice() {
    Window w;
    Load(w);
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    w.form.CloseFile();
    QVERIFY(!w.playback.wave.WavOpen());
    QVERIFY(!w.form.Button3->isEnabled());
    QVERIFY(!w.form.Button24->isEnabled());
  }
};

QTEST_MAIN(MainFormPlaybackTest)
#include "MainFormPlaybackTest.moc"
