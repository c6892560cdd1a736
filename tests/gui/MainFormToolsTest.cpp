#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "support/EditingWindow.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

// The four point tools driven by the mouse: mark hit tests, drags, adds, the
// enable and lock flags, the context menu's closing click, Lock All and
// Unlock All, and the undo record each writes.
class MainFormToolsTest : public QObject {
  Q_OBJECT

  static bool OnMark(EditingWindow& w) { return w.form.PaintBox1->cursor().shape() == Qt::SplitHCursor; }

  // Qt drops a move to where the mouse already is, so the mouse comes from
  // a neighbouring pixel.
  static void Hover(EditingWindow& w, QPoint at) {
    QTest::mouseMove(w.form.PaintBox1, at - QPoint(0, 1));
    QTest::mouseMove(w.form.PaintBox1, at);
  }

  static void ClickAt(EditingWindow& w, QPoint at) {
    Hover(w, at);
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, {}, at);
  }

  static void Undo(EditingWindow& w) {
    QVERIFY(w.form.mnuUndo->isEnabled());
    w.form.mnuUndo->trigger();
  }

 private slots:
  void aMarkIsHitFromOneColumnLeftToItsIconsRightEdgeScaledByTheZoom() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(64000)});
    Hover(w, w.InStrip(321));
    QVERIFY(OnMark(w));
    Hover(w, w.AboveStrip(321));
    QVERIFY(!OnMark(w));

    // At x4 around the middle the point sits at column 320 and the window
    // spans 4 columns left and 60 right of it.
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 20));
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 20));
    QCOMPARE(w.doc().ViewStart, 48000);
    const QList<QPair<int, bool>> cases{{316, false}, {317, true}, {380, true}, {381, false}};
    for (const auto& [x, hit] : cases) {
      Hover(w, w.InStrip(x));
      QVERIFY2(OnMark(w) == hit, qPrintable(QString::number(x)));
    }
  }

  void aPointDraggedPastTwoNeighboursKeepsTheTableSorted() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(20000), EditingWindow::Active(30000), EditingWindow::Active(40000),
                 EditingWindow::Active(50000)});
    const int plays = w.PlayBlocks();
    Hover(w, w.InStrip(101));
    QVERIFY(OnMark(w));
    QTest::mousePress(w.form.PaintBox1, Qt::LeftButton, {}, w.InStrip(101));
    QVERIFY(w.form.DragArmed);
    QVERIFY(w.form.mnuUndo->isEnabled());
    for (int x : {160, 210, 230}) QTest::mouseMove(w.form.PaintBox1, QPoint(x, 40));
    QCOMPARE(w.form.waveView().TrackLineX(), 230);
    QTest::mouseRelease(w.form.PaintBox1, Qt::LeftButton, {}, QPoint(230, 40));
    QVERIFY(!w.form.DragArmed);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{30000, 40000, 46000, 50000}));
    QCOMPARE(w.doc().ActivePointCount, 4);
    QCOMPARE(w.PlayBlocks(), plays);  // a drag plays nothing

    Undo(w);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{20000, 30000, 40000, 50000}));
    Undo(w);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{30000, 40000, 46000, 50000}));
  }

  void aPressAndReleaseOnAMarkNeitherMovesNorPlays() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(20000)});
    const int plays = w.PlayBlocks();
    ClickAt(w, w.InStrip(102));
    QCOMPARE(w.PointPositions(), std::vector<int32_t>{20000});
    QCOMPARE(w.PlayBlocks(), plays);
    // Off the mark the same click selects and plays segment 1.
    ClickAt(w, w.AboveStrip(50));
    QCOMPARE(w.PlayBlocks(), plays + 1);
    QCOMPARE(w.doc().SelectedSegment, 1);
  }

  void addingOnAnExistingSampleKeepsBothAndUndoTakesOnlyTheNewOne() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(20000), EditingWindow::Active(60000)});
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    QVERIFY(w.form.AddToolActive);
    const int plays = w.PlayBlocks();
    ClickAt(w, w.AboveStrip(100));
    QCOMPARE(w.PlayBlocks(), plays);  // the add tool does not play
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{20000, 20000, 60000}));
    const SlicePoint added = w.doc().SlicePoints[2];
    QVERIFY(added.Locked && added.Enabled);
    QCOMPARE(added.Strength, 32768);
    QCOMPARE(w.doc().SlicePoints[1].Strength, 5000);
    QVERIFY(w.form.PopUpZts->isEnabled());

    Undo(w);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{20000, 60000}));
    QVERIFY(!w.doc().SlicePoints[1].Locked);
    Undo(w);
    QCOMPARE(w.PointPositions(), (std::vector<int32_t>{20000, 20000, 60000}));
    QVERIFY(w.doc().SlicePoints[2].Locked);
  }

  void theSelectionStaysOnItsAudioWhenPointsChangeBeforeIt() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    ClickAt(w, w.AboveStrip(300));  // selects and plays segment 2, bytes 40000 .. 80000
    QCOMPARE(w.doc().SelectedSegment, 2);
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    ClickAt(w, w.AboveStrip(100));
    QCOMPARE(w.doc().SelectedSegment, 3);
    QCOMPARE(w.doc().SegmentStart(3), 40000);
    Undo(w);
    QCOMPARE(w.doc().SelectedSegment, 2);
    QCOMPARE(w.doc().SegmentStart(2), 40000);
  }

  void addingLeftOfTheLeftLocatorKeepsItsPositionAndMovesItsSegment() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
    w.doc().LeftLocatorPos = 40000;
    w.doc().LeftLocatorSegment = 2;
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    ClickAt(w, w.AboveStrip(50));
    QCOMPARE(w.doc().LeftLocatorPos, 40000);
    QCOMPARE(w.doc().LeftLocatorSegment, 3);
    QCOMPARE(w.doc().RightLocatorSegment, 4);
  }

  void theEnableToolDisablesAndUnlocksThenEnablesAgain() {
    EditingWindow w;
    w.SetPoints({SlicePoint{20000, 5000, true, true}, EditingWindow::Active(60000)});
    QTest::mouseClick(w.form.SpeedButton3, Qt::LeftButton);
    ClickAt(w, w.InStrip(102));
    QCOMPARE(w.doc().SlicePoints[1], (SlicePoint{20000, 5000, false, false}));
    QCOMPARE(w.doc().ActivePointCount, 1);
    QCOMPARE(w.doc().Undo.Kind, UndoKind::Disable);

    // Undo gives the flag back but not the lock.
    Undo(w);
    QCOMPARE(w.doc().SlicePoints[1], (SlicePoint{20000, 5000, true, false}));
    Undo(w);
    QVERIFY(!w.doc().SlicePoints[1].Enabled);

    // The disabled point's mark enables it again.
    ClickAt(w, w.InStrip(102));
    QCOMPARE(w.doc().SlicePoints[1], (SlicePoint{20000, 5000, true, false}));
    QCOMPARE(w.doc().Undo.Kind, UndoKind::Enable);
    // A click off every mark changes nothing and records nothing.
    ClickAt(w, w.InStrip(200));
    QCOMPARE(w.doc().Undo.Kind, UndoKind::Enable);
  }

  void theLockToolLocksAnUnlockedMarkAndUnlocksALockedOne() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(20000), SlicePoint{60000, 0, true, true}});
    QTest::mouseClick(w.form.SpeedButton4, Qt::LeftButton);
    ClickAt(w, w.InStrip(102));
    QCOMPARE(w.doc().SlicePoints[1], (SlicePoint{20000, 5000, true, true}));
    QCOMPARE(w.doc().Undo.Kind, UndoKind::Lock);
    ClickAt(w, w.InStrip(302));
    QCOMPARE(w.doc().SlicePoints[2], (SlicePoint{60000, 0, true, false}));
    QCOMPARE(w.doc().Undo.Kind, UndoKind::Unlock);
    QCOMPARE(w.doc().ActivePointCount, 1);  // strength 0 is below the threshold
    Undo(w);
    QVERIFY(w.doc().SlicePoints[2].Locked);
    QCOMPARE(w.doc().ActivePointCount, 2);
  }

  void theClickThatClosesTheContextMenuDoesNotPlay() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(64000)});
    const int plays = w.PlayBlocks();
    Hover(w, w.AboveStrip(100));
    // The right press opens the menu, as the platform asks for it on the press.
    QTest::mousePress(w.form.PaintBox1, Qt::RightButton, {}, w.AboveStrip(100));
    QContextMenuEvent request(QContextMenuEvent::Mouse, w.AboveStrip(100),
                              w.form.PaintBox1->mapToGlobal(w.AboveStrip(100)), Qt::NoModifier);
    QApplication::sendEvent(w.form.PaintBox1, &request);
    QVERIFY(w.form.PopupMenu1->isVisible());
    // The open menu takes the right button's release.
    QTest::mouseRelease(w.form.PopupMenu1, Qt::RightButton, {}, QPoint(-5, -5));
    QVERIFY(w.form.ContextMenuOpen);
    QCOMPARE(w.PlayBlocks(), plays);
    w.form.PopupMenu1->hide();  // closed by the click outside it, which the waveform then gets
    QTest::mousePress(w.form.PaintBox1, Qt::LeftButton, {}, w.AboveStrip(100));
    QCOMPARE(w.PlayBlocks(), plays);
    QVERIFY(w.form.ContextMenuOpen);
    QTest::mouseRelease(w.form.PaintBox1, Qt::LeftButton, {}, w.AboveStrip(100));
    QVERIFY(!w.form.ContextMenuOpen);
    QCOMPARE(w.PlayBlocks(), plays);
    // The next click plays again.
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, {}, w.AboveStrip(100));
    QCOMPARE(w.PlayBlocks(), plays + 1);
  }

  void addAtCurrentLengthTogglesAndGivesTheThresholdStrength() {
    EditingWindow w;
    w.SetPoints({});
    w.form.PopupMenu1Popup();
    w.form.PopUpAddCur->trigger();
    QVERIFY(w.form.PopUpAddCur->isChecked());
    QVERIFY(!w.form.ContextMenuOpen);
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    ClickAt(w, w.AboveStrip(100));
    QCOMPARE(w.doc().SlicePoints[1].Strength, w.doc().Threshold + 10);
  }

  void lockAllAndUnlockAllFromTheToolBarRecordNoUndo() {
    EditingWindow w;
    w.SetPoints(
        {EditingWindow::Active(20000), SlicePoint{40000, 10, true, false}, EditingWindow::Active(60000)});
    QTest::mouseClick(w.form.SpeedButton18, Qt::LeftButton);
    QVERIFY(w.doc().SlicePoints[1].Locked && w.doc().SlicePoints[3].Locked);
    QVERIFY(!w.doc().SlicePoints[2].Locked);  // not active, so not locked
    QVERIFY(!w.form.mnuUndo->isEnabled());
    w.form.mnuUnlockAll->trigger();
    for (int i = 1; i <= 3; ++i) QVERIFY(!w.doc().SlicePoints[i].Locked);
    QVERIFY(!w.form.mnuUndo->isEnabled());
  }

  void aFullPointTableRefusesTheAddWithAWarning() {
    EditingWindow w;
    std::vector<SlicePoint> points;
    for (int32_t i = 0; i < PointLimit; ++i) points.push_back(SlicePoint{2 + 2 * i, 0, true, false});
    w.SetPoints(points);
    w.dialogs.messages.clear();
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    ClickAt(w, w.AboveStrip(500));
    QCOMPARE(w.doc().SlicePointCount, PointLimit);
    QVERIFY(!w.dialogs.messages.isEmpty());
    QCOMPARE(w.dialogs.messages.front().icon, MessageIcon::Warning);
    QVERIFY(w.dialogs.messages.front().text.contains(QStringLiteral("8192 points")));
  }

  void theAddToolsTrackingLineFollowsTheMouseAndLeavesWithIt() {
    EditingWindow w;
    w.SetPoints({});
    QTest::mouseClick(w.form.SpeedButton2, Qt::LeftButton);
    const QImage clean = w.form.PaintBox1->grab().toImage();
    const auto shown = [&](int x) { return w.form.PaintBox1->grab().toImage().pixel(x, 5); };
    Hover(w, w.AboveStrip(200));
    const QRgb red = qRgb(0xFF, 0, 0);
    QCOMPARE(shown(200), red);
    Hover(w, w.AboveStrip(250));
    QCOMPARE(shown(200), clean.pixel(200, 5));
    QCOMPARE(shown(250), red);
    QTest::mouseMove(w.form.Panel2, QPoint(5, 5));
    QCOMPARE(shown(250), clean.pixel(250, 5));
    // Leaving the waveform for another window erases it as well.
    Hover(w, w.AboveStrip(300));
    QCOMPARE(shown(300), red);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w.form.PaintBox1, &leave);
    QCOMPARE(shown(300), clean.pixel(300, 5));
    // The picture under the line was never touched.
    QCOMPARE(w.form.PaintBox1->Picture(), clean);
  }
};

QTEST_MAIN(MainFormToolsTest)
#include "MainFormToolsTest.moc"
