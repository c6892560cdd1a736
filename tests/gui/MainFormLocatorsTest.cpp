#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "audio/Transport.h"
#include "support/EditingWindow.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

// Dragging the L and R buttons with the mouse: the snap on the drop, the
// buttons placed at the snapped columns, the tempo and a running loop.
class MainFormLocatorsTest : public QObject {
  Q_OBJECT

  // Drags a locator button by dx columns, holding it 5 pixels in.
  static void Drag(QPushButton* button, int dx) {
    const QPoint grip(5, 10);
    QTest::mousePress(button, Qt::LeftButton, {}, grip);
    QTest::mouseMove(button, grip + QPoint(dx, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, grip);
  }

  // Segments [0, 40000], [40000, 80000] and [80000, 128000]: 200 bytes a column.
  static void ThreeSegments(EditingWindow& w) {
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
  }

 private slots:
  void bothLocatorsDroppedOnASegmentsMiddle() {
    EditingWindow w;
    ThreeSegments(w);
    const QString tempoBefore = w.form.Label3->text();
    // The middle of segment 2 is byte 60000, column 300: L goes to its start.
    Drag(w.form.Button19, 300);
    QCOMPARE(w.doc().LeftLocatorPos, 40000);
    QCOMPARE(w.doc().LeftLocatorSegment, 2);
    QCOMPARE(w.form.Button19->x(), 200);
    QVERIFY(w.form.Label3->text() != tempoBefore);

    // R's right edge on the same middle: R goes to the segment's end.
    const int rightEdge = w.form.Button21->x() + w.form.Button21->width();
    Drag(w.form.Button21, 300 - rightEdge);
    QCOMPARE(w.doc().RightLocatorPos, 80000);
    QCOMPARE(w.doc().RightLocatorSegment, 2);
    QCOMPARE(w.form.Button21->x() + w.form.Button21->width(), 400);
    QVERIFY(!w.form.LocatorDragging);
  }

  void locatorsNeverCrossAndFarDropsGoToTheEnds() {
    EditingWindow w;
    ThreeSegments(w);
    Drag(w.form.Button21, -(w.form.Button21->x() + w.form.Button21->width()) + 250);
    QCOMPARE(w.doc().RightLocatorPos, 40000);
    // L dropped right of the middle of R's segment stops at its start.
    Drag(w.form.Button19, 500);
    QCOMPARE(w.doc().LeftLocatorPos, 0);
    QCOMPARE(w.doc().LeftLocatorSegment, 1);
    QCOMPARE(w.form.Button19->x(), 0);

    Drag(w.form.Button21, 900);
    QCOMPARE(w.doc().RightLocatorPos, w.doc().DataLength);
    QCOMPARE(w.doc().RightLocatorSegment, 3);
    Drag(w.form.Button19, 250);
    QCOMPARE(w.doc().LeftLocatorPos, 40000);
    Drag(w.form.Button19, -400);
    QCOMPARE(w.doc().LeftLocatorPos, 0);
  }

  void aDropWhileTheLoopPlaysRestartsItOverTheNewRegion() {
    EditingWindow w;
    ThreeSegments(w);
    QTest::mouseClick(w.form.Button20, Qt::LeftButton);
    QVERIFY(w.form.transport().LoopPlaying());
    const int plays = w.PlayBlocks();
    Drag(w.form.Button19, 250);
    QCOMPARE(w.PlayBlocks(), plays + 1);
    QVERIFY(w.playback.wave.LastBlockLoops());
    QCOMPARE(static_cast<int32_t>(w.playback.wave.LastBlock().size()), w.doc().DataLength - 40000);
    QCOMPARE(w.form.waveView().PlayLineX(), 200);
  }

  void aLocatorOutsideTheZoomedViewHidesItsButton() {
    EditingWindow w;
    ThreeSegments(w);
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 20));
    QVERIFY(!w.form.Button19->isVisible());
    QVERIFY(!w.form.Button21->isVisible());
    w.form.PopUp11Click();
    QVERIFY(w.form.Button19->isVisible());
    QVERIFY(w.form.Button21->isVisible());
  }

  void disabledButtonsDoNotMove() {
    EditingWindow w;
    w.form.FileCloseItem->trigger();
    QVERIFY(!w.form.Button19->isEnabled());
    const QPoint left = w.form.Button19->pos();
    Drag(w.form.Button19, 300);
    QCOMPARE(w.form.Button19->pos(), left);
    QVERIFY(w.form.Button19->isVisible() && w.form.Button21->isVisible());
  }
};

QTEST_MAIN(MainFormLocatorsTest)
#include "MainFormLocatorsTest.moc"
