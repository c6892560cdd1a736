// The four point tools in the waveform: hit tests on the marks, press, move
// and release, the context menu's closing click, Lock All and Unlock All.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QToolButton>

#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "edit/PointOperations.h"
#include "view/LocatorSegments.h"
#include "view/PixelMapping.h"
#include "view/ViewRange.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/PointIcons.h"
#include "view/gui/ViewColour.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

// A mark is picked on the full-file scale: from a column left of the point
// to the right edge of its icon.
bool InMarkWindow(double markX, double pointerFullX) {
  return markX - 1 < pointerFullX && pointerFullX <= markX + PointIconSize;
}

}  // namespace

void TMainForm::ConnectPointTools() {
  connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
  connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
  connect(PaintBox1, &ImageBox::MousePressed, this, [this](QMouseEvent* event) {
    PaintBox1MouseDown(event->button(), event->modifiers(), static_cast<int>(event->position().x()));
  });
  connect(PaintBox1, &ImageBox::MouseReleased, this,
          [this](QMouseEvent* event) { PaintBox1MouseUp(event->button()); });
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TMainForm::PopupMenu1Popup);
  connect(PopUpAddCur, &QAction::triggered, this, &TMainForm::PopUpAddCurClick);
  connect(mnuLockAll, &QAction::triggered, this, &TMainForm::mnuLockAllClick);
  connect(mnuUnlockAll, &QAction::triggered, this, &TMainForm::mnuUnlockAllClick);
  connect(SpeedButton18, &QToolButton::clicked, this, &TMainForm::mnuLockAllClick);
  connect(SpeedButton19, &QToolButton::clicked, this, &TMainForm::mnuUnlockAllClick);
  // Every other command of the context menu ends its closing click too.
  for (QAction* action : {PopUpSave, CopySegment1, PasteIntoSegment2, PopUpPlay}) {
    connect(action, &QAction::triggered, this, [this] { ContextMenuOpen = false; });
  }
}

void TMainForm::EraseTrackLineWhileAdding() {
  if (AddToolActive) view_->HideTrackLine();
}

void TMainForm::SpeedButton1MouseMove() {
  ClearSamplePanel();
  EraseTrackLineWhileAdding();
  ContextMenuOpen = false;
}

void TMainForm::SpeedButton1Click() { AddToolActive = EnableToolActive = LockToolActive = false; }

void TMainForm::SpeedButton2Click() {
  AddToolActive = true;
  EnableToolActive = LockToolActive = false;
  // The line shows once the mouse moves over the waveform.
  view_->HideTrackLine();
}

void TMainForm::SpeedButton3Click() {
  EnableToolActive = true;
  AddToolActive = LockToolActive = false;
}

void TMainForm::SpeedButton4Click() {
  LockToolActive = true;
  AddToolActive = EnableToolActive = false;
}

bool TMainForm::InIconStrip(int y) const {
  return panelAtTop_ ? y < PointIconSize : y > PaintBox1->height() - PointIconSize;
}

void TMainForm::ShowHover() { PaintBox1->setCursor(HoverPoint > 0 ? Qt::SplitHCursor : Qt::CrossCursor); }

// The marks of the active points; the rightmost mark under the mouse wins.
// Only real points have marks: the fixed start and end entries never do.
void TMainForm::HitTestActiveMarks(bool inStrip) {
  HoverPoint = 0;
  for (int32_t u = doc_.ActivePointCount; u >= 1 && inStrip && HoverPoint == 0; --u) {
    if (!InMarkWindow(doc_.ActivePointX[u], PointerFullX)) continue;
    for (int32_t n = doc_.SlicePointCount; n >= 1; --n) {
      if (doc_.SlicePoints[n].Position == doc_.ActivePoints[u].Position) {
        HoverPoint = n;
        break;
      }
    }
  }
  ShowHover();
}

// The marks of the locked (lock tool) or disabled (enable tool) points, which
// take precedence over an active mark at the same place.
void TMainForm::HitTestFlaggedMarks(bool inStrip, bool SlicePoint::*flag, bool flagValue, bool& hover) {
  hover = false;
  if (!inStrip || doc_.DataLength <= 0) return;
  const double width = PaintBox1->width();
  for (int32_t n = doc_.SlicePointCount; n >= 1; --n) {
    const SlicePoint& point = doc_.SlicePoints[n];
    if (point.*flag != flagValue) continue;
    if (InMarkWindow(static_cast<double>(point.Position) / doc_.DataLength * width, PointerFullX)) {
      HoverPoint = n;
      hover = true;
      ShowHover();
      return;
    }
  }
}

void TMainForm::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x) {
  if (ContextMenuOpen || !TrackBar1->isEnabled() || !doc_.FileLoaded) return;
  // The zooms centre on this press, not on the one before it.
  pressColumn_ = RoundHalfEven(FullFileColumn(doc_, x, PaintBox1->width()));
  if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
    if (modifiers & Qt::ShiftModifier) {
      PopupZinClick();
    } else {
      PopUpZoutClick();
    }
    return;
  }
  MovedSinceDown = false;
  dragLineX_ = x;
  // Only the left button drags: the right one opens the menu, whose release
  // the waveform never sees.
  if (button == Qt::LeftButton && HoverPoint > 0 && !AddToolActive && ArmPointDrag(doc_, HoverPoint)) {
    DragArmed = true;
    draggedPoint_ = HoverPoint;
    mnuUndo->setEnabled(true);
    return;
  }
  ClickSegment = SegmentAtColumn(doc_, x, PaintBox1->width());
  if (button == Qt::LeftButton && !AddToolActive) transport_->PlaySegmentClicked(ClickSegment);
}

void TMainForm::PaintBox1MouseMove(int x, int y) {
  PointerX = x;
  if (!doc_.FileLoaded || !TrackBar1->isEnabled()) return;
  MovedSinceDown = true;
  PointerFullX = FullFileColumn(doc_, x, PaintBox1->width());
  const int32_t sample =
      SampleUnderColumn(x, PaintBox1->width(), doc_.ViewStart, doc_.ViewLength, doc_.BitsPerSample / 8);
  StatusPanels[2]->setText(QStringLiteral("s: %1").arg(sample));

  if (DragArmed) {
    // The drag line follows the mouse; the point's own cut line stays until
    // the release. The hover state is left alone so the press's point moves.
    DragStarted = true;
    dragLineX_ = x;
    view_->ShowTrackLine(x);
    return;
  }
  if (AddToolActive) {
    view_->SetTrackPen(ToQColor(view_->Display().colours.DivColour));
    dragLineX_ = x;
    view_->ShowTrackLine(x);
    HoverPoint = 0;
    ShowHover();
    return;
  }
  pointerY_ = y;
  UpdateHover();
}

// Which mark is under the mouse, for the select, enable and lock tools.
void TMainForm::UpdateHover() {
  const bool inStrip = InIconStrip(pointerY_);
  HitTestActiveMarks(inStrip);
  if (LockToolActive) HitTestFlaggedMarks(inStrip, &SlicePoint::Locked, true, LockHover);
  if (EnableToolActive) HitTestFlaggedMarks(inStrip, &SlicePoint::Enabled, false, EnableHover);
}

void TMainForm::PaintBox2MouseMove(int x) {
  PointerX = x;
  MovedSinceDown = true;
  EraseTrackLineWhileAdding();
}

// What the release does to the points, by tool.
EditOutcome TMainForm::ReleasePoint(Qt::MouseButton button) {
  const int width = PaintBox1->width();
  const bool left = button == Qt::LeftButton;
  if (LockToolActive && LockHover && left) return UnlockPoint(doc_, HoverPoint);
  if (DragArmed && MovedSinceDown)
    return MovePoint(doc_, draggedPoint_, DragLinePosition(doc_, dragLineX_, width));
  if (AddToolActive && left) {
    return AddPoint(doc_, DragLinePosition(doc_, dragLineX_, width), PopUpAddCur->isChecked());
  }
  if (EnableToolActive && left) {
    if (EnableHover) return EnablePoint(doc_, HoverPoint);
    if (HoverPoint > 0) return DisablePoint(doc_, HoverPoint);
  }
  if (LockToolActive && left && HoverPoint > 0) return LockPoint(doc_, HoverPoint);
  return {};
}

void TMainForm::PaintBox1MouseUp(Qt::MouseButton button) {
  if (ContextMenuOpen) {
    ContextMenuOpen = false;
    transport_->ResumePlayLine();
    return;
  }
  if (!doc_.FileLoaded || !TrackBar1->isEnabled()) return;
  EditOutcome outcome = ReleasePoint(button);
  // The drag line goes with the drag; the add tool's stays with the mouse.
  if (DragArmed) view_->HideTrackLine();
  DragStarted = MovedSinceDown = DragArmed = false;
  draggedPoint_ = 0;
  outcome.Refresh = true;
  outcome.DeriveLocatorSegments = true;
  outcome.SelectionFollowsAudio = true;
  ApplyEditOutcome(outcome);
  // The marks may have changed under a resting mouse.
  if (AddToolActive) return;
  PointerFullX = FullFileColumn(doc_, PointerX, PaintBox1->width());
  UpdateHover();
}

void TMainForm::PopupMenu1Popup() {
  ContextMenuOpen = true;
  PaintBox1->setCursor(Qt::CrossCursor);
}

void TMainForm::PopUpAddCurClick() {
  // The item checks itself when triggered.
  ContextMenuOpen = false;
}

void TMainForm::mnuLockAllClick() {
  if (!doc_.FileLoaded) return;
  ApplyEditOutcome(LockAll(doc_));
}

void TMainForm::mnuUnlockAllClick() {
  if (!doc_.FileLoaded) return;
  ApplyEditOutcome(UnlockAll(doc_));
}

}  // namespace slicewright
