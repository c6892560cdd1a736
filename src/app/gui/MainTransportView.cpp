#include "app/gui/MainTransportView.h"

#include <QAction>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

QPushButton* ButtonOf(const TMainForm& form, TransportButton button) {
  switch (button) {
    case TransportButton::All:
      return form.Button3;
    case TransportButton::Loop:
      return form.Button20;
    case TransportButton::Selected:
      return form.Button4;
    case TransportButton::Stop:
      return form.Button24;
  }
  return form.Button24;
}

}  // namespace

bool MainTransportView::IsButtonDown(TransportButton button) const {
  return ButtonOf(form_, button)->isChecked();
}

void MainTransportView::SetButtonDown(TransportButton button, bool down) {
  // Setting the state is not a click: no handler may run from it.
  QPushButton* target = ButtonOf(form_, button);
  const QSignalBlocker quiet(target);
  target->setChecked(down);
}

void MainTransportView::SetButtonEnabled(TransportButton button, bool enabled) {
  ButtonOf(form_, button)->setEnabled(enabled);
}

int32_t MainTransportView::PaintBoxWidth() const { return form_.PaintBox1->width(); }

void MainTransportView::SetPlayLine(int32_t x, bool shown) {
  WaveView& view = form_.waveView();
  view.HidePlayLine();
  view.MovePlayLine(x);
  if (shown) view.ShowPlayLine();
}

void MainTransportView::DrawSegmentStrip() { form_.waveView().DrawSegmentStrip(); }

void MainTransportView::EnableSelectedSegmentItems() {
  form_.SaveSelectItem->setEnabled(true);
  form_.PopUpSave->setEnabled(true);
}

int32_t MainTransportView::PointerX() const { return form_.PointerX; }

bool MainTransportView::PointerPlaysFromPoint() const {
  return form_.SpeedButton2->isChecked() || form_.DragArmed;
}

bool MainTransportView::Closing() const { return form_.Closing; }

void MainTransportView::ShowWarning(const std::string& text) {
  form_.dialogs().ShowMessage(&form_, MessageIcon::Warning, MessageButtons::Ok, MessageText(text));
}

void MainTransportView::ShowError(const std::string& text) {
  form_.dialogs().ShowMessage(&form_, MessageIcon::Error, MessageButtons::Ok, MessageText(text));
}

}  // namespace slicewright
