// Zoom in, out, to a segment and 1:1, from the context menu, the modifier
// presses in the waveform and the segment strip; scrolling and zooming with
// the mouse wheel and the scroll bar. The view arithmetic is the core's.
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "view/ViewRange.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

// One notch of the wheel scrolls an eighth of the view.
constexpr int kWheelNotch = 120;
constexpr int kScrollSharesPerView = 8;

}  // namespace

void TMainForm::ConnectZoomCommands() {
  connect(PopupZin, &QAction::triggered, this, &TMainForm::PopupZinClick);
  connect(PopUpZout, &QAction::triggered, this, &TMainForm::PopUpZoutClick);
  connect(PopUpZts, &QAction::triggered, this, &TMainForm::PopUpZtsClick);
  connect(PopUp11, &QAction::triggered, this, &TMainForm::PopUp11Click);
  connect(PaintBox2, &ImageBox::MousePressed, this,
          [this](QMouseEvent* event) { PaintBox2MouseDown(event->button()); });
  connect(PaintBox1, &ImageBox::WheelTurned, this, &TMainForm::PaintBox1MouseWheel);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TMainForm::ScrollBar1Change);
}

void TMainForm::PlaceLocatorButtons() {
  const LocatorButtonPlaces places = slicewright::PlaceLocatorButtons(doc_, PaintBox1->width());
  const int left = PaintBox1->x();
  Button19->setVisible(places.leftShown);
  Button21->setVisible(places.rightShown);
  if (places.leftShown) Button19->move(left + places.leftEdge, Button19->y());
  if (places.rightShown) Button21->move(left + places.rightEdge - Button21->width(), Button21->y());
}

void TMainForm::ApplyZoomAvailability(const ZoomAvailability& zooms) {
  PopupZin->setEnabled(zooms.zoomIn);
  PopUpZout->setEnabled(zooms.zoomOut);
}

// The end every change of the view shares: locators, zoom read-out, play-line
// timing, the play line carried to the same byte, the scroll bar, the redraw.
void TMainForm::FinishViewChange(int32_t oldStart, int32_t oldLength) {
  PlaceLocatorButtons();
  StatusPanels[3]->setText(QStringLiteral("x%1").arg(doc_.ZoomFactor, 2, 'f', 1));
  transport_->PlayLineTiming();
  view_->MovePlayLine(CarriedColumn(doc_, view_->PlayLineX(), oldStart, oldLength, PaintBox1->width()));
  UpdateScrollBar();
  doc_.WaveImageStale = true;
  RefreshDocumentView();
}

void TMainForm::ChangeView(const std::function<void()>& change) {
  if (!doc_.FileLoaded || doc_.DataLength <= 0) return;
  ContextMenuOpen = false;
  DragStarted = false;
  const int32_t oldStart = doc_.ViewStart;
  const int32_t oldLength = doc_.ViewLength;
  change();
  FinishViewChange(oldStart, oldLength);
}

void TMainForm::PopupZinClick() {
  ChangeView([this] { ApplyZoomAvailability(ZoomIn(doc_, pressColumn_, PaintBox1->width())); });
  transport_->ResumePlayLine();
}

void TMainForm::PopUpZoutClick() {
  ChangeView([this] { ApplyZoomAvailability(ZoomOut(doc_)); });
}

void TMainForm::PopUpZtsClick() {
  if (!doc_.FileLoaded || doc_.DataLength <= 0) return;
  ContextMenuOpen = false;
  const double oldFactor = doc_.ZoomFactor;
  const int32_t segment = SegmentAtColumn(doc_, PointerX, PaintBox1->width());
  // Two points on one sample leave an empty segment: there is nothing to show.
  if (doc_.SegmentEnd(segment) <= doc_.SegmentStart(segment)) return;
  ChangeView([this, segment] { ZoomToSegment(doc_, segment); });
  // The highlighted segment is the one now shown.
  SaveSelectItem->setEnabled(true);
  Button4->setEnabled(true);
  PopUpZout->setEnabled(true);
  PopupZin->setEnabled(oldFactor < ZoomInLimit || doc_.ZoomFactor < ZoomInLimit);
}

void TMainForm::PopUp11Click() {
  if (!doc_.FileLoaded) return;
  ChangeView([this] { ApplyZoomAvailability(ZoomOneToOne(doc_)); });
  transport_->ResumePlayLine();
}

void TMainForm::PaintBox2MouseDown(Qt::MouseButton button) {
  if (!doc_.FileLoaded) return;
  if (button == Qt::LeftButton) PopUpZtsClick();
  if (button == Qt::RightButton) PopUp11Click();
}

// The wheel scrolls a zoomed view; with Ctrl it zooms in and out around the
// pointer, with the limits and rounding of the zoom commands.
void TMainForm::PaintBox1MouseWheel(QWheelEvent* event) {
  if (!doc_.FileLoaded || !PaintBox1->isEnabled()) return;
  const QPoint turn = event->angleDelta();
  // Touchpads and smooth wheels turn in steps of less than a notch: they add up.
  wheelTurn_ += turn.y() != 0 ? turn.y() : turn.x();
  const int notches = wheelTurn_ / kWheelNotch;
  wheelTurn_ %= kWheelNotch;
  event->accept();
  if (notches == 0) return;
  const double x = event->position().x();
  const int32_t width = PaintBox1->width();
  if (event->modifiers() & Qt::ControlModifier) {
    for (int i = 0; i < std::abs(notches); ++i) {
      ChangeView([&] {
        ApplyZoomAvailability(notches > 0 ? ZoomInAtColumn(doc_, x, width) : ZoomOutAtColumn(doc_, x, width));
      });
    }
    return;
  }
  if (doc_.ViewLength >= doc_.DataLength) return;
  // Turning the wheel towards the user moves on through the file.
  const int64_t share = std::max<int64_t>(doc_.ViewLength / kScrollSharesPerView, BytesPerSample);
  ChangeView([&] { ScrollView(doc_, -notches * share); });
}

// The scroll bar shows while zoomed in, in samples of the file.
void TMainForm::UpdateScrollBar() {
  const bool zoomed = doc_.FileLoaded && doc_.ViewLength > 0 && doc_.ViewLength < doc_.DataLength;
  {
    const QSignalBlocker quiet(ScrollBar1);
    if (zoomed) {
      const int samplesInView = doc_.ViewLength / BytesPerSample;
      ScrollBar1->setRange(0, (doc_.DataLength - doc_.ViewLength) / BytesPerSample);
      ScrollBar1->setPageStep(samplesInView);
      ScrollBar1->setSingleStep(std::max(samplesInView / kScrollSharesPerView, 1));
      ScrollBar1->setValue(doc_.ViewStart / BytesPerSample);
    }
  }
  if (ScrollBar1->isVisibleTo(this) != zoomed) {
    ScrollBar1->setVisible(zoomed);
    LayOutWaveArea();
  }
}

void TMainForm::ScrollBar1Change(int value) {
  ChangeView([&] { ScrollViewTo(doc_, int64_t{value} * BytesPerSample); });
}

}  // namespace slicewright
