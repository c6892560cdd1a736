// Zoom in, out, to a segment and 1:1, from the context menu, the modifier
// presses in the waveform and the segment strip.
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "view/PixelMapping.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

constexpr double kZoomInLimit = 32.0;
// A factor doubled from a view rounded to whole samples can fall a hair
// short of the limit; within this share of it the limit counts as reached.
constexpr double kZoomLimitSlack = 0.01;

int32_t BytesPerSampleOf(const Document& doc) { return std::max(doc.BitsPerSample / 8, 1); }

}  // namespace

void TMainForm::ConnectZoomCommands() {
  connect(PopupZin, &QAction::triggered, this, &TMainForm::PopupZinClick);
  connect(PopUpZout, &QAction::triggered, this, &TMainForm::PopUpZoutClick);
  connect(PopUpZts, &QAction::triggered, this, &TMainForm::PopUpZtsClick);
  connect(PopUp11, &QAction::triggered, this, &TMainForm::PopUp11Click);
  connect(PaintBox2, &ImageBox::MousePressed, this, [this](QMouseEvent* event) { PaintBox2MouseDown(event->button()); });
}

double TMainForm::FullFileColumn(int x) const {
  if (doc_.DataLength <= 0) return x;
  const double width = PaintBox1->width();
  return static_cast<double>(doc_.ViewLength) / doc_.DataLength * x +
         static_cast<double>(doc_.ViewStart) / doc_.DataLength * width;
}

void TMainForm::PlaceLocatorButtons() {
  const int width = PaintBox1->width();
  const int left = PaintBox1->x();
  Button19->hide();
  Button21->hide();
  if (doc_.ViewStart <= doc_.LeftLocatorPos && doc_.LeftLocatorPos < doc_.ViewEnd) {
    Button19->move(left + ColumnOf(doc_.LeftLocatorPos, doc_.ViewStart, doc_.ViewLength, width), Button19->y());
    Button19->show();
  }
  if (doc_.ViewStart < doc_.RightLocatorPos && doc_.RightLocatorPos <= doc_.ViewEnd) {
    Button21->move(left + ColumnOf(doc_.RightLocatorPos, doc_.ViewStart, doc_.ViewLength, width) - Button21->width(),
                   Button21->y());
    Button21->show();
  }
}

// The view keeps its length and slides back inside the file.
void TMainForm::ClampView() {
  if (doc_.ViewStart < 0) {
    doc_.ViewEnd -= doc_.ViewStart;
    doc_.ViewStart = 0;
  }
  if (doc_.ViewEnd > doc_.DataLength) {
    doc_.ViewStart -= doc_.ViewEnd - doc_.DataLength;
    doc_.ViewEnd = doc_.DataLength;
  }
  doc_.ViewStart = std::max(doc_.ViewStart, 0);
  doc_.ViewLength = doc_.ViewEnd - doc_.ViewStart;
}

void TMainForm::FinishZoom(int32_t oldStart, int32_t oldLength) {
  if (doc_.ViewLength > 0) doc_.ZoomFactor = static_cast<double>(doc_.DataLength) / doc_.ViewLength;
  StatusPanels[3]->setText(QStringLiteral("x%1").arg(doc_.ZoomFactor, 2, 'f', 1));
  transport_->PlayLineTiming();
  if (doc_.ViewLength > 0) {
    const double width = PaintBox1->width();
    const double oldByte = view_->PlayLineX() / width * oldLength + (oldStart - doc_.ViewStart);
    view_->MovePlayLine(RoundHalfEven(oldByte / doc_.ViewLength * width), WaveView::ColumnSource::CleanPicture);
  }
  doc_.WaveImageStale = true;
  RefreshDocumentView();
}

void TMainForm::PopupZinClick() {
  if (!doc_.FileLoaded || doc_.DataLength <= 0) return;
  ContextMenuOpen = false;
  DragStarted = false;
  const int32_t oldStart = doc_.ViewStart;
  const int32_t oldLength = doc_.ViewLength;
  PopUpZout->setEnabled(true);
  double factor = doc_.ZoomFactor * 2;
  if (factor >= kZoomInLimit * (1 - kZoomLimitSlack)) {
    factor = kZoomInLimit;
    PopupZin->setEnabled(false);
  }
  const int32_t b = BytesPerSampleOf(doc_);
  const double samples = static_cast<double>(doc_.DataLength) / b;
  const double pressed = pressColumn_ / static_cast<double>(PaintBox1->width()) * samples;
  const double half = doc_.DataLength / (factor * 2 * b);
  doc_.ViewStart = RoundHalfEven(pressed - half) * b;
  doc_.ViewEnd = RoundHalfEven(pressed + half) * b;
  doc_.ZoomFactor = factor;
  ClampView();
  PlaceLocatorButtons();
  FinishZoom(oldStart, oldLength);
  transport_->ResumePlayLine();
}

void TMainForm::PopUpZoutClick() {
  if (!doc_.FileLoaded || doc_.DataLength <= 0) return;
  ContextMenuOpen = false;
  DragStarted = false;
  const int32_t oldStart = doc_.ViewStart;
  const int32_t oldLength = doc_.ViewLength;
  PopupZin->setEnabled(true);
  doc_.ZoomFactor = RoundHalfEven(doc_.ZoomFactor * 0.5);
  if (doc_.ZoomFactor < 2) {
    doc_.ViewStart = 0;
    doc_.ViewEnd = doc_.DataLength;
    doc_.ZoomFactor = 1.0;
  } else {
    // Each side grows by a quarter of the file over the new factor.
    const int32_t b = BytesPerSampleOf(doc_);
    const double quarter = doc_.DataLength / (doc_.ZoomFactor * 4 * b);
    doc_.ViewStart = RoundHalfEven(static_cast<double>(doc_.ViewStart) / b - quarter) * b;
    doc_.ViewEnd = RoundHalfEven(static_cast<double>(doc_.ViewEnd) / b + quarter) * b;
  }
  ClampView();
  PlaceLocatorButtons();
  if (doc_.ViewLength == doc_.DataLength) PopUpZout->setEnabled(false);
  FinishZoom(oldStart, oldLength);
}

void TMainForm::PopUpZtsClick() {
  if (!doc_.FileLoaded || doc_.DataLength <= 0) return;
  ContextMenuOpen = false;
  DragStarted = false;
  const int32_t oldStart = doc_.ViewStart;
  const int32_t oldLength = doc_.ViewLength;
  const double oldFactor = doc_.ZoomFactor;
  PopUpZout->setEnabled(true);
  // The segment under the pointer; a pointer at the very start of the file
  // gives segment 1.
  const double p = static_cast<double>(PointerX) / PaintBox1->width() * doc_.ViewLength + doc_.ViewStart;
  const int32_t last = doc_.SegmentCount();
  int32_t segment = 1;
  while (segment < last && doc_.SegmentEnd(segment) < p) ++segment;
  doc_.ViewStart = doc_.SegmentStart(segment);
  doc_.ViewEnd = doc_.SegmentEnd(segment);
  doc_.ViewLength = doc_.ViewEnd - doc_.ViewStart;
  if (doc_.ViewLength <= 0) {
    // Two points on one sample leave an empty segment: there is nothing to show.
    doc_.ViewStart = oldStart;
    doc_.ViewLength = oldLength;
    doc_.ViewEnd = oldStart + oldLength;
    return;
  }
  PlaceLocatorButtons();
  // The highlighted segment is the one now shown.
  doc_.SelectedSegment = segment;
  SaveSelectItem->setEnabled(true);
  doc_.SegmentSelected = true;
  Button4->setEnabled(true);
  FinishZoom(oldStart, oldLength);
  PopupZin->setEnabled(oldFactor < kZoomInLimit || doc_.ZoomFactor < kZoomInLimit);
}

void TMainForm::PopUp11Click() {
  if (!doc_.FileLoaded) return;
  ContextMenuOpen = false;
  DragStarted = false;
  const int32_t oldStart = doc_.ViewStart;
  const int32_t oldLength = doc_.ViewLength;
  doc_.ViewWholeFile();
  PlaceLocatorButtons();
  PopupZin->setEnabled(true);
  PopUpZout->setEnabled(false);
  FinishZoom(oldStart, oldLength);
  transport_->ResumePlayLine();
}

void TMainForm::PaintBox2MouseDown(Qt::MouseButton button) {
  if (!doc_.FileLoaded) return;
  if (button == Qt::LeftButton) PopUpZtsClick();
  if (button == Qt::RightButton) PopUp11Click();
}

}  // namespace slicewright
