// Undo, Reverse, Silence and Crop, and what the window does after any core edit.
#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "edit/SegmentEdits.h"
#include "edit/Undo.h"
#include "view/LocatorSegments.h"
#include "view/ViewRange.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

constexpr const char* kPointTableFull = "No more points can be added: the file already holds 8192 points.";

}  // namespace

void TMainForm::ConnectEditCommands() {
  connect(mnuUndo, &QAction::triggered, this, &TMainForm::mnuUndoClick);
  connect(SpeedButton12, &QToolButton::clicked, this, &TMainForm::mnuUndoClick);
  // The tool bar's Undo is usable exactly when the menu's is.
  SpeedButton12->setEnabled(mnuUndo->isEnabled());
  connect(mnuUndo, &QAction::changed, SpeedButton12,
          [this] { SpeedButton12->setEnabled(mnuUndo->isEnabled()); });
  connect(PopupRev, &QAction::triggered, this, &TMainForm::mnuReverseClick);
  connect(popupSilence, &QAction::triggered, this, &TMainForm::mnuSilenceClick);
  connect(Reverse1, &QAction::triggered, this, &TMainForm::Reverse1Click);
  connect(Silence1, &QAction::triggered, this, &TMainForm::Silence1Click);
  connect(CropRegion1, &QAction::triggered, this, &TMainForm::CropRegion1Click);
  connect(SpeedButton17, &QToolButton::clicked, this, &TMainForm::SpeedButton17Click);
}

void TMainForm::ApplyEditOutcome(const EditOutcome& outcome) {
  if (outcome.PointTableFull) {
    dialogs_.ShowMessage(this, MessageIcon::Warning, MessageButtons::Ok,
                         QString::fromLatin1(kPointTableFull));
  }
  if (outcome.StopPlayback) Button24Click();
  if (outcome.UndoAvailable) mnuUndo->setEnabled(true);
  if (outcome.ClearDragState) {
    DragStarted = MovedSinceDown = DragArmed = false;
    draggedPoint_ = 0;
  }
  if (outcome.EnableZoomToSegment) PopUpZts->setEnabled(true);
  // New audio is scanned by the command itself, before anything is drawn.
  if (doc_.RescanPending) view_->Rescan();
  // The active points are rebuilt by the refresh; the selection's first byte
  // finds its segment again afterwards.
  const int32_t selected = std::clamp(doc_.SelectedSegment, 1, doc_.SegmentCount());
  const int32_t selectedStart = doc_.SegmentStart(selected);
  if (outcome.ZoomOneToOne) {
    PopUp11Click();  // ends with the full redraw
  } else if (outcome.Refresh) {
    doc_.WaveImageStale = true;
    RefreshDocumentView();
  }
  if (outcome.SelectionFollowsAudio && doc_.SelectedSegment != doc_.SegmentHolding(selectedStart)) {
    doc_.SelectedSegment = doc_.SegmentHolding(selectedStart);
    view_->DrawSegmentStrip();
  }
  if (outcome.DeriveLocatorSegments) DeriveLocatorSegments(doc_);
  switch (outcome.Buttons) {
    case LocatorButtons::Keep:
      break;
    case LocatorButtons::FromPositions:
      PlaceLocatorButtons();
      break;
    case LocatorButtons::AtEnds:
      PlaceLocatorButtonsAtEnds();
      Button19->show();
      Button21->show();
      break;
  }
  // A region that changed length changes the tempo too.
  if (outcome.Buttons != LocatorButtons::Keep) RefreshLoopTempo();
}

void TMainForm::mnuUndoClick() {
  if (!doc_.FileLoaded) return;
  ContextMenuOpen = false;
  ApplyEditOutcome(UndoLastOperation(doc_, PopUpAddCur->isChecked()));
}

void TMainForm::mnuReverseClick() {
  if (!doc_.FileLoaded) return;
  ApplyEditOutcome(ReverseSegment(doc_, ByteAtColumn(doc_, PointerX, PaintBox1->width())));
  ContextMenuOpen = false;
}

void TMainForm::mnuSilenceClick() {
  if (!doc_.FileLoaded) return;
  ApplyEditOutcome(SilenceSegment(doc_, ByteAtColumn(doc_, PointerX, PaintBox1->width())));
  ContextMenuOpen = false;
}

void TMainForm::Reverse1Click() { mnuReverseClick(); }

void TMainForm::Silence1Click() { mnuSilenceClick(); }

void TMainForm::CropRegion1Click() {
  if (!doc_.FileLoaded) return;
  Button24Click();
  EditOutcome outcome = CropRegion(doc_);
  // The cropped audio is shown whole, as after Zoom 1:1.
  outcome.ZoomOneToOne = outcome.Changed;
  ApplyEditOutcome(outcome);
}

void TMainForm::SpeedButton17Click() { CropRegion1Click(); }

}  // namespace slicewright
