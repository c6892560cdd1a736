#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "audio/Transport.h"
#include "support/EditingWindow.h"

using namespace slicewright;
using namespace slicewright::test;

// Reverse and Silence of the segment under the pointer (keys and menu),
// Crop (tool bar) and Undo through the window, while stopped and playing.
class MainFormEditsTest : public QObject {
  Q_OBJECT

 private slots:
  void insReversesTheSegmentUnderThePointerAndUndoSwapsBack() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    const std::vector<uint8_t> before = w.FillWithRamp();
    w.PointAt(300);  // inside segment 2
    QTest::keyClick(&w.form, Qt::Key_Insert);
    const std::vector<uint8_t>& after = w.doc().SampleStream;
    QCOMPARE(EditingWindow::Bytes(after, 0, 40000), EditingWindow::Bytes(before, 0, 40000));
    QCOMPARE(EditingWindow::Bytes(after, 80000, w.doc().DataLength),
             EditingWindow::Bytes(before, 80000, w.doc().DataLength));
    QCOMPARE(w.doc().SampleAt(40000), static_cast<int16_t>(before[79998] | before[79999] << 8));
    QCOMPARE(w.doc().SampleAt(79998), static_cast<int16_t>(before[40000] | before[40001] << 8));
    QVERIFY(w.form.mnuUndo->isEnabled());

    QTest::mouseClick(w.form.SpeedButton12, Qt::LeftButton);
    QCOMPARE(w.doc().SampleStream, before);
    QTest::mouseClick(w.form.SpeedButton12, Qt::LeftButton);
    QCOMPARE(w.doc().SampleAt(40000), static_cast<int16_t>(before[79998] | before[79999] << 8));
  }

  void delSilencesWithAFadeAndUndoRestoresTheFadeToo() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    const std::vector<uint8_t> before = w.FillWithRamp();
    w.PointAt(300);
    QTest::keyClick(&w.form, Qt::Key_Delete);
    const Document& doc = w.doc();
    QVERIFY(std::all_of(doc.SampleStream.begin() + 40000, doc.SampleStream.begin() + 80000,
                        [](uint8_t b) { return b == 0; }));
    QCOMPARE(doc.SampleAt(39500), static_cast<int16_t>(before[39500] | before[39501] << 8));
    QCOMPARE(doc.SampleAt(39998), int16_t{0});
    QCOMPARE(EditingWindow::Bytes(doc.SampleStream, 80000, doc.DataLength),
             EditingWindow::Bytes(before, 80000, doc.DataLength));
    w.form.mnuUndo->trigger();
    QCOMPARE(doc.SampleStream, before);
  }

  void reverseWhileTheLoopPlaysRewritesWhatItPlays() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    w.FillWithRamp();
    w.doc().PlayBufferStale = true;
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    QVERIFY(w.form.transport().LoopPlaying());
    const int plays = w.PlayBlocks();
    w.PointAt(300);
    w.form.PopupRev->trigger();
    QVERIFY(w.form.transport().LoopPlaying());  // the loop goes on
    QCOMPARE(w.PlayBlocks(), plays);
    QCOMPARE(EditingWindow::Bytes(w.doc().PlayBuffer, 40000, 80000),
             EditingWindow::Bytes(w.doc().SampleStream, 40000, 80000));
  }

  void cropKeepsTheRegionShowsItWholeAndUndoBringsTheFileBack() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    const std::vector<uint8_t> before = w.FillWithRamp();
    w.doc().LeftLocatorPos = 40000;
    w.doc().RightLocatorPos = 80000;
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 20));
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);

    QTest::mouseClick(w.form.SpeedButton17, Qt::LeftButton);
    Document& doc = w.doc();
    QVERIFY(!w.form.transport().LoopPlaying());
    QCOMPARE(doc.DataLength, 40000);
    QCOMPARE(doc.SampleStream, EditingWindow::Bytes(before, 40000, 80000));
    QCOMPARE(doc.ViewLength, 40000);
    QCOMPARE(w.form.StatusPanels[3]->text(), QStringLiteral("x1.0"));
    QCOMPARE(doc.LeftLocatorPos, 0);
    QCOMPARE(doc.RightLocatorPos, 40000);
    QVERIFY(w.form.Button19->isVisible() && w.form.Button21->isVisible());
    QCOMPARE(w.form.Button21->x() + w.form.Button21->width(), EditingWindow::kWidth);

    // Undo puts the audio back with the locators where they were.
    w.form.mnuUndo->trigger();
    QCOMPARE(doc.SampleStream, before);
    QCOMPARE(doc.ViewLength, doc.DataLength);
    QCOMPARE(doc.LeftLocatorPos, 40000);
    QCOMPARE(doc.RightLocatorPos, 80000);
    const int column = EditingWindow::kWidth * 40000 / doc.DataLength;
    QCOMPARE(w.form.Button19->x(), column);
    QCOMPARE(w.form.Button21->x() + w.form.Button21->width(), 2 * column);
    w.form.mnuUndo->trigger();
    QCOMPARE(doc.DataLength, 40000);
    QCOMPARE(doc.RightLocatorPos, 40000);
  }

  void theKeysDoNothingWithoutADocument() {
    EditingWindow w;
    w.form.CloseFile();
    QTest::keyClick(&w.form, Qt::Key_Insert);
    QTest::keyClick(&w.form, Qt::Key_Delete);
    QVERIFY(w.doc().Undo.Kind == UndoKind::None);
    QVERIFY(!w.form.mnuUndo->isEnabled());
  }
};

QTEST_MAIN(MainFormEditsTest)
#include "MainFormEditsTest.moc"
