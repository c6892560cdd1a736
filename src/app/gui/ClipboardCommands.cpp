// Copy and paste of audio through the clipboard, and the Edit menu's paste items.
#include <QAction>
#include <QMenu>

#include "app/gui/ClipboardQt.h"
#include "app/gui/TMainForm.h"
#include "edit/Paste.h"
#include "export/SegmentUnderPointer.h"
#include "export/WaveImage.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright {

void TMainForm::ConnectClipboardCommands() {
  ownClipboard_ = std::make_unique<QtClipboard>();
  SetClipboard(*ownClipboard_);
  connect(Edit3, &QMenu::aboutToShow, this, &TMainForm::Edit3Click);
  connect(mnuCopyAll, &QAction::triggered, this, &TMainForm::mnuCopyAllClick);
  connect(CopySegment1, &QAction::triggered, this, &TMainForm::CopySegment1Click);
  connect(mnuPasteAllKeep, &QAction::triggered, this, &TMainForm::mnuPasteAllKeepClick);
  connect(mnuPasteNew, &QAction::triggered, this, &TMainForm::mnuPasteNewClick);
  connect(PasteIntoSegment2, &QAction::triggered, this, &TMainForm::PasteIntoSegment2Click);
}

void TMainForm::SetClipboard(Clipboard& clipboard) {
  if (clipboard_ != nullptr) clipboard_->SetChangedHandler({});
  clipboard_ = &clipboard;
  // The paste shortcuts follow the clipboard even while the menu stays shut.
  clipboard_->SetChangedHandler([this] { Edit3Click(); });
}

void TMainForm::Edit3Click() {
  const bool canPaste = clipboard_->HasWave() && doc_.FileLoaded;
  mnuPasteAllKeep->setEnabled(canPaste);
  mnuPasteNew->setEnabled(canPaste);
}

void TMainForm::mnuCopyAllClick() {
  if (!doc_.FileLoaded) return;
  clipboard_->SetWave(BuildWaveImage(doc_, 0, doc_.DataLength));
}

void TMainForm::CopySegment1Click() {
  if (doc_.FileLoaded) {
    const PointerSegment segment = SegmentUnderPointer(doc_, PointerX, PaintBox1->width());
    clipboard_->SetWave(BuildWaveImage(doc_, segment.start, segment.length));
  }
  ContextMenuOpen = false;
}

void TMainForm::PasteWholeAudio(WholePaste paste) {
  // With nothing on the clipboard there is nothing to paste, and the undo
  // record of the last edit stays usable.
  if (!doc_.FileLoaded || !clipboard_->HasWave()) return;
  Button24Click();
  EditOutcome outcome = paste(doc_, clipboard_->Wave());
  // The new audio is shown whole, with the zoom read-out and items to match.
  outcome.ZoomOneToOne = outcome.Changed;
  ApplyEditOutcome(outcome);
  doc_.PlayBufferStale = true;
  Button24Click();
}

void TMainForm::mnuPasteAllKeepClick() { PasteWholeAudio(&PasteAllAndKeep); }

void TMainForm::mnuPasteNewClick() { PasteWholeAudio(&PasteAllAndFindNew); }

void TMainForm::PasteIntoSegment2Click() {
  // Playback goes on: the stretch it plays is rewritten in place.
  if (doc_.FileLoaded && clipboard_->HasWave()) {
    const PointerSegment segment = SegmentUnderPointer(doc_, PointerX, PaintBox1->width());
    ApplyEditOutcome(PasteIntoSegment(doc_, clipboard_->Wave(), segment.start, segment.length));
  }
  ContextMenuOpen = false;
}

}  // namespace slicewright
