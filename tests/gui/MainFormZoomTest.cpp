#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "audio/Transport.h"
#include "support/EditingWindow.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

// Zoom from the context menu, the modifier presses in the waveform and the
// segment strip: the view, the factor shown, the menu items and the locator
// buttons.
class MainFormZoomTest : public QObject {
  Q_OBJECT

  static QString Factor(EditingWindow& w) { return w.form.StatusPanels[3]->text(); }

  // Turns the wheel by eighths of a degree; 120 are a notch.
  static void Turn(EditingWindow& w, int x, int eighths, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at(x, 20);
    QWheelEvent turn(at, w.form.PaintBox1->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton,
                     modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w.form.PaintBox1, &turn);
  }

  static void Wheel(EditingWindow& w, int x, int notches, Qt::KeyboardModifiers modifiers = {}) {
    Turn(w, x, 120 * notches, modifiers);
  }

  static void ShiftClick(EditingWindow& w, int x) {
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ShiftModifier, QPoint(x, 20));
  }

 private slots:
  void zoomInsFromTheMiddleHalveTheViewUntil32() {
    EditingWindow w;
    const int32_t length = w.doc().DataLength;
    QCOMPARE(Factor(w), QStringLiteral("x1.0"));
    QVERIFY(w.form.PopupZin->isEnabled());
    QVERIFY(!w.form.PopUpZout->isEnabled());

    const int plays = w.PlayBlocks();
    ShiftClick(w, 320);
    QCOMPARE(w.doc().ViewLength, length / 2);
    QCOMPARE(w.doc().ViewStart, length / 4);
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    QVERIFY(w.form.PopUpZout->isEnabled());
    QCOMPARE(w.PlayBlocks(), plays);  // a zoom press plays nothing

    for (int i = 0; i < 3; ++i) w.form.PopupZin->trigger();
    QCOMPARE(Factor(w), QStringLiteral("x16.0"));
    QVERIFY(w.form.PopupZin->isEnabled());
    w.form.PopupZin->trigger();
    QCOMPARE(Factor(w), QStringLiteral("x32.0"));
    QCOMPARE(w.doc().ViewLength, length / 32);
    QCOMPARE(w.doc().ViewStart + w.doc().ViewLength / 2, length / 2);
    QVERIFY(!w.form.PopupZin->isEnabled());
  }

  void zoomInNearTheStartSlidesTheViewIntoTheFile() {
    EditingWindow w;
    ShiftClick(w, 10);
    QCOMPARE(w.doc().ViewStart, 0);
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength / 2);
    // Centres on this press (column 630 of the half view, byte 63000), not on the one before.
    ShiftClick(w, 630);
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength / 4);
    QCOMPARE(w.doc().ViewStart + w.doc().ViewLength / 2, 63000);
  }

  void zoomOutRoundsTheFactorFromThreeAndTwo() {
    EditingWindow w;
    const int32_t third = 42666;  // a whole sample near a third of the file
    w.SetPoints({EditingWindow::Active(third), EditingWindow::Active(2 * third)});
    // The strip zooms to the segment under the pointer: the middle third.
    QTest::mouseMove(w.form.PaintBox2, QPoint(320, 5));
    QTest::mouseClick(w.form.PaintBox2, Qt::LeftButton, {}, QPoint(320, 5));
    QCOMPARE(w.doc().ViewStart, third);
    QCOMPARE(w.doc().ViewEnd, 2 * third);
    QCOMPARE(Factor(w), QStringLiteral("x3.0"));

    // Round(1.5) = 2: each side grows by a quarter of the file over 2.
    w.form.PopUpZoutClick();
    const int32_t quarter = w.doc().DataLength / 8;
    QCOMPARE(w.doc().ViewStart, third - quarter);
    QCOMPARE(w.doc().ViewEnd, 2 * third + quarter);
    QVERIFY(w.form.PopUpZout->isEnabled());

    // From 2 (here 1.7), Round(1.0) = 1 is below 2: the whole file.
    w.form.PopUpZoutClick();
    QCOMPARE(w.doc().ViewStart, 0);
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength);
    QCOMPARE(Factor(w), QStringLiteral("x1.0"));
    QVERIFY(!w.form.PopUpZout->isEnabled());
    QVERIFY(w.form.PopupZin->isEnabled());

    ShiftClick(w, 320);
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    w.form.PopUpZout->trigger();
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength);
  }

  void modifierPressesCtrlOutShiftWinsAltPlays() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(64000)});
    ShiftClick(w, 320);
    ShiftClick(w, 320);
    QCOMPARE(Factor(w), QStringLiteral("x4.0"));
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ControlModifier, QPoint(320, 20));
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier,
                      QPoint(320, 20));
    QCOMPARE(Factor(w), QStringLiteral("x4.0"));

    const int plays = w.PlayBlocks();
    QTest::mouseClick(w.form.PaintBox1, Qt::LeftButton, Qt::AltModifier, QPoint(100, 20));
    QCOMPARE(Factor(w), QStringLiteral("x4.0"));
    QCOMPARE(w.PlayBlocks(), plays + 1);
    QCOMPARE(w.doc().SelectedSegment, 1);
  }

  void zoomToSegmentAtTheVeryStartGivesSegmentOneAndTheLastEndsAtTheData() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(20000), EditingWindow::Active(100000)});
    QTest::mouseMove(w.form.PaintBox2, QPoint(0, 5));
    QTest::mouseClick(w.form.PaintBox2, Qt::LeftButton, {}, QPoint(0, 5));
    QCOMPARE(w.doc().ViewStart, 0);
    QCOMPARE(w.doc().ViewEnd, 20000);
    QCOMPARE(w.doc().SelectedSegment, 1);
    QVERIFY(w.doc().SegmentSelected);
    QVERIFY(w.form.Button4->isEnabled());
    // R lies outside the view: its button hides; L stays at the left end.
    QVERIFY(w.form.Button19->isVisible());
    QVERIFY(!w.form.Button21->isVisible());

    QTest::mouseClick(w.form.PaintBox2, Qt::RightButton, {}, QPoint(10, 5));
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength);
    QVERIFY(w.form.Button21->isVisible());
    QCOMPARE(w.form.Button21->x() + w.form.Button21->width(), EditingWindow::kWidth);

    QTest::mouseMove(w.form.PaintBox2, QPoint(639, 5));
    QTest::mouseClick(w.form.PaintBox2, Qt::LeftButton, {}, QPoint(639, 5));
    QCOMPARE(w.doc().ViewStart, 100000);
    QCOMPARE(w.doc().ViewEnd, w.doc().DataLength);
    QCOMPARE(Factor(w), QStringLiteral("x4.6"));
    QVERIFY(!w.form.Button19->isVisible());
  }

  void theWheelScrollsAZoomedViewAndCtrlWheelZoomsAroundThePointer() {
    EditingWindow w;
    w.SetPoints({EditingWindow::Active(64000)});
    const int fullHeight = w.form.PaintBox1->height();
    Wheel(w, 320, -1);
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength);  // nothing to scroll at 1:1
    QVERIFY(!w.form.ScrollBar1->isVisible());

    Wheel(w, 480, 1, Qt::ControlModifier);  // in, byte 96000 staying under the pointer
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    QCOMPARE(w.doc().ViewStart, 48000);
    QVERIFY(w.form.ScrollBar1->isVisible());
    QVERIFY(w.form.PaintBox1->height() < fullHeight);
    QCOMPARE(w.form.ScrollBar1->value(), w.doc().ViewStart / 2);

    w.form.ScrollBar1->setValue(8000);
    QCOMPARE(w.doc().ViewStart, 16000);
    QCOMPARE(w.doc().ViewLength, 64000);
    Wheel(w, 320, -2);  // towards the user: on through the file, an eighth of the view a notch
    QCOMPARE(w.doc().ViewStart, 16000 + 2 * 8000);
    QCOMPARE(w.form.ScrollBar1->value(), w.doc().ViewStart / 2);
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    QVERIFY(!w.form.Button21->isVisible());  // R at the end lies outside the view

    Wheel(w, 320, -1, Qt::ControlModifier);  // back out to the whole file
    QCOMPARE(w.doc().ViewLength, w.doc().DataLength);
    for (int step = 0; step < 3; ++step) Turn(w, 480, 40, Qt::ControlModifier);  // a touchpad's notch
    QCOMPARE(Factor(w), QStringLiteral("x2.0"));
    Wheel(w, 320, -1, Qt::ControlModifier);
    QVERIFY(!w.form.ScrollBar1->isVisible());
    QCOMPARE(w.form.PaintBox1->height(), fullHeight);
    QVERIFY(w.form.Button21->isVisible());
  }

  void thePlayLineIsCarriedIntoTheNewView() {
    EditingWindow w;
    QTest::mouseClick(w.form.Button3, Qt::LeftButton);
    QVERIFY(w.form.transport().PlayTimerRunning());
    // The line at column 480 shows byte 96000; at x2 around the middle that is column 640.
    w.form.waveView().MovePlayLine(480);
    ShiftClick(w, 320);
    QCOMPARE(w.form.waveView().PlayLineX(), 640);
    QVERIFY(w.form.SuperTimer1.Enabled());
  }
};

QTEST_MAIN(MainFormZoomTest)
#include "MainFormZoomTest.moc"
