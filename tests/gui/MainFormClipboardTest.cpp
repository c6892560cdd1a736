#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/gui/ClipboardQt.h"
#include "audio/Transport.h"
#include "export/WaveImage.h"
#include "support/EditingWindow.h"
#include "support/MemoryClipboard.h"

using namespace slicewright;
using namespace slicewright::test;

// Copy and paste of audio through the window's clipboard commands, the Edit
// menu's paste items, and the desktop clipboard layer itself.
class MainFormClipboardTest : public QObject {
  Q_OBJECT

  static std::vector<uint8_t> AsBytes(const QByteArray& bytes) { return {bytes.begin(), bytes.end()}; }

  // A window on a ramp cut at 40000 and 80000, copying to a clipboard in memory.
  struct ClipboardWindow : EditingWindow {
    ClipboardWindow() {
      form.SetClipboard(clipboard);
      SetPoints({Active(40000), Active(80000)});
      before = FillWithRamp();
    }
    MemoryClipboard clipboard;
    std::vector<uint8_t> before;
  };

 private slots:
  void copyAllThenPasteKeepBringsTheAudioBackAndUndoSwaps() {
    ClipboardWindow w;

    w.form.mnuCopyAll->trigger();
    QVERIFY(w.clipboard.block.has_value());
    const std::vector<uint8_t> copied = *w.clipboard.block;
    QCOMPARE(copied, BuildWaveImage(w.doc(), 0, w.doc().DataLength));

    // Shorter audio from elsewhere takes the document's place...
    w.clipboard.PutFromOutside(AsBytes(WaveBytes(std::vector<int16_t>(30000, 99))));
    w.form.mnuPasteNew->trigger();
    QCOMPARE(w.doc().DataLength, 60000);
    const std::vector<uint8_t> shorter = w.doc().SampleStream;

    // ...and the copy brings the first audio back, keeping the points set now.
    w.SetPoints({EditingWindow::Active(20000), EditingWindow::Active(40000)});
    w.clipboard.PutFromOutside(copied);
    w.form.mnuPasteAllKeep->trigger();
    QCOMPARE(w.doc().SampleStream, w.before);
    QCOMPARE(w.doc().DataLength, 128000);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{20000, 40000}));
    QCOMPARE(w.doc().ViewLength, 128000);
    QCOMPARE(w.doc().RightLocatorPos, 128000);
    QVERIFY(w.form.mnuUndo->isEnabled());

    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().SampleStream, shorter);
    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().SampleStream, w.before);
  }

  void pasteKeepOfASegmentThenUndoGivesBackEveryCutLine() {
    EditingWindow w;
    MemoryClipboard clipboard;
    w.form.SetClipboard(clipboard);
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000), EditingWindow::Active(100000)});
    w.FillWithRamp();
    w.PointAt(300);
    w.form.CopySegment1->trigger();
    w.form.mnuPasteAllKeep->trigger();
    QCOMPARE(w.doc().ActivePointCount, 0);

    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().DataLength, 128000);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{40000, 80000, 100000}));
    QCOMPARE(w.doc().ActivePointCount, 3);
    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().DataLength, 40000);
    QCOMPARE(w.doc().ActivePointCount, 0);
  }

  void copyAllAndPasteKeepGiveBackTheSameDocument() {
    ClipboardWindow w;
    const std::vector<int32_t> points = w.PointPositions();
    w.form.mnuCopyAll->trigger();
    w.form.mnuPasteAllKeep->trigger();
    QCOMPARE(w.doc().SampleStream, w.before);
    QCOMPARE(w.PointPositions(), points);
    QCOMPARE(w.doc().Undo.Kind, UndoKind::PasteKeep);
    QCOMPARE(w.doc().Undo.UndoStream, w.before);
  }

  void wholePastesStopTheLoopAndShowTheAudioWhole() {
    ClipboardWindow w;
    w.form.PopupZinClick();
    QCOMPARE(w.form.StatusPanels[3]->text(), QStringLiteral("x2.0"));
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    QVERIFY(w.form.transport().LoopPlaying());

    w.clipboard.PutFromOutside(AsBytes(WaveBytes(DrumLoop(44100, 11025))));
    w.form.mnuPasteNew->trigger();
    QVERIFY(!w.form.transport().LoopPlaying());
    QCOMPARE(w.doc().DataLength, 88200);
    QCOMPARE(w.doc().ViewStart, 0);
    QCOMPARE(w.doc().ViewLength, 88200);
    QCOMPARE(w.form.StatusPanels[3]->text(), QStringLiteral("x1.0"));
    QCOMPARE(w.doc().Undo.Kind, UndoKind::PasteNew);
    // Points were looked for afresh in the new audio.
    QVERIFY(w.doc().SlicePointCount > 0);
    QVERIFY(w.PointPositions() != (std::vector<int32_t>{40000, 80000}));
    QVERIFY(w.doc().PlayBufferStale);
  }

  void copySegmentTakesTheSegmentUnderThePointer() {
    ClipboardWindow w;
    w.PointAt(300);  // inside segment 2
    w.form.CopySegment1->trigger();
    QCOMPARE(w.doc().SelectedSegment, 2);
    QVERIFY(w.clipboard.block.has_value());
    QCOMPARE(*w.clipboard.block, BuildWaveImage(w.doc(), 40000, 40000));
    QVERIFY(!w.form.ContextMenuOpen);
  }

  void aShorterClipIntoASegmentEndsInSilenceAndALongerOneIsCut() {
    ClipboardWindow w;
    w.PointAt(300);

    w.clipboard.PutFromOutside(AsBytes(WaveBytes(std::vector<int16_t>(1000, 7))));
    w.form.PasteIntoSegment2->trigger();
    const Document& doc = w.doc();
    QCOMPARE(doc.DataLength, 128000);
    QCOMPARE(doc.SampleAt(40000), int16_t{7});
    QCOMPARE(doc.SampleAt(41998), int16_t{7});
    QVERIFY(std::all_of(doc.SampleStream.begin() + 42000, doc.SampleStream.begin() + 80000,
                        [](uint8_t b) { return b == 0; }));
    QCOMPARE(EditingWindow::Bytes(doc.SampleStream, 0, 40000), EditingWindow::Bytes(w.before, 0, 40000));
    QCOMPARE(EditingWindow::Bytes(doc.SampleStream, 80000, 128000),
             EditingWindow::Bytes(w.before, 80000, 128000));
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{40000, 80000}));
    w.form.mnuUndo->trigger();
    QCOMPARE(doc.SampleStream, w.before);

    w.clipboard.PutFromOutside(AsBytes(WaveBytes(std::vector<int16_t>(30000, -5))));
    w.form.PasteIntoSegment2->trigger();
    QCOMPARE(doc.SampleAt(79998), int16_t{-5});
    QCOMPARE(EditingWindow::Bytes(doc.SampleStream, 80000, 128000),
             EditingWindow::Bytes(w.before, 80000, 128000));
    QCOMPARE(doc.DataLength, 128000);
  }

  void malformedClipboardDataLeavesTheDocumentUsable() {
    ClipboardWindow w;
    w.PointAt(300);

    const QByteArray noAudio = QByteArrayLiteral("RIFF\x10\x00\x00\x00WAVEfmt junk");
    const QByteArray notRiff = QByteArrayLiteral("JUNK....data\x04\x00\x00\x00\x01\x02\x03\x04");
    for (const QByteArray& block : {noAudio, notRiff, QByteArray()}) {
      w.clipboard.PutFromOutside(AsBytes(block));
      w.form.mnuPasteAllKeep->trigger();
      w.form.mnuPasteNew->trigger();
      w.form.PasteIntoSegment2->trigger();
      QCOMPARE(w.doc().SampleStream, w.before);
      QCOMPARE(w.doc().DataLength, 128000);
    }
    // A data length far beyond the block takes only the bytes present.
    w.clipboard.PutFromOutside(
        AsBytes(QByteArrayLiteral("RIFF\0\0\0\0WAVEdata\xF0\xFF\xFF\x0F\x01\x00\x02\x00\x03")));
    w.form.mnuPasteAllKeep->trigger();
    QCOMPARE(w.doc().DataLength, 4);
    QCOMPARE(w.doc().SampleAt(2), int16_t{2});
    QVERIFY(w.doc().FileLoaded);
    // Still usable: playing, copying and undoing work on what is there.
    QTest::mouseClick(w.form.Button3, Qt::LeftButton);
    w.form.Button24Click();
    w.form.mnuCopyAll->trigger();
    QCOMPARE(w.clipboard.block->size(), size_t{WaveHeaderSize + 4});
    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().SampleStream, w.before);
  }

  void pastingWithAnEmptyClipboardKeepsTheLastUndo() {
    ClipboardWindow w;
    w.PointAt(300);
    w.form.mnuReverseClick();
    w.form.PasteIntoSegment2->trigger();
    w.form.mnuPasteAllKeepClick();
    w.form.mnuUndo->trigger();
    QCOMPARE(w.doc().SampleStream, w.before);
  }

  void theEditMenuOffersTheWholePastesOnlyWithWaveDataAndAFile() {
    EditingWindow w;
    MemoryClipboard clipboard;
    w.form.SetClipboard(clipboard);
    emit w.form.Edit3->aboutToShow();
    QVERIFY(!w.form.mnuPasteAllKeep->isEnabled());
    QVERIFY(!w.form.mnuPasteNew->isEnabled());

    // Audio put on the clipboard by another program enables the shortcuts
    // without the menu being opened.
    clipboard.PutFromOutside(AsBytes(WaveBytes(std::vector<int16_t>(10, 1))));
    QVERIFY(w.form.mnuPasteAllKeep->isEnabled());
    QVERIFY(w.form.mnuPasteNew->isEnabled());
    emit w.form.Edit3->aboutToShow();
    QVERIFY(w.form.mnuPasteAllKeep->isEnabled());

    w.form.CloseFile();
    emit w.form.Edit3->aboutToShow();
    QVERIFY(!w.form.mnuPasteAllKeep->isEnabled());
    QVERIFY(!w.form.mnuPasteNew->isEnabled());
  }

  void theDesktopClipboardCarriesTheImageAsAudioWav() {
    QtClipboard clipboard;
    int changes = 0;
    clipboard.SetChangedHandler([&changes] { ++changes; });
    const std::vector<uint8_t> image = AsBytes(WaveBytes(std::vector<int16_t>(100, 3)));
    clipboard.SetWave(image);
    QVERIFY(clipboard.HasWave());
    QCOMPARE(clipboard.Wave(), image);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("audio/wav")));
    QVERIFY(changes >= 1);

    // The older name of the type is read as well.
    auto* older = new QMimeData;
    older->setData(QStringLiteral("audio/x-wav"), WaveBytes(std::vector<int16_t>(4, 9)));
    QGuiApplication::clipboard()->setMimeData(older);
    QVERIFY(clipboard.HasWave());
    QCOMPARE(clipboard.Wave(), AsBytes(WaveBytes(std::vector<int16_t>(4, 9))));

    QGuiApplication::clipboard()->setText(QStringLiteral("not audio"));
    QVERIFY(!clipboard.HasWave());
    QVERIFY(clipboard.Wave().empty());
  }
};

QTEST_MAIN(MainFormClipboardTest)
#include "MainFormClipboardTest.moc"
