#include "view/gui/PaintBoxes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace slicewright {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void ImageBox::PresentAll() { update(); }

void ImageBox::RepaintColumn(std::optional<int> x) {
  if (x) update(QRect(*x, 0, 1, height()));
}

void ImageBox::SetLine(Line line, std::optional<int> x, const QColor& colour) {
  Overlay& overlay = lines_[line];
  if (overlay.x == x && overlay.colour == colour) return;
  RepaintColumn(overlay.x);
  overlay = {x, colour};
  RepaintColumn(x);
}

void ImageBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  if (!picture_.isNull()) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), picture_);
  }
  for (const Overlay& overlay : lines_) {
    if (overlay.x) painter.fillRect(QRect(*overlay.x, 0, 1, height()), overlay.colour);
  }
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) { emit MouseMoved(event); }
void ImageBox::mousePressEvent(QMouseEvent* event) { emit MousePressed(event); }
void ImageBox::mouseReleaseEvent(QMouseEvent* event) { emit MouseReleased(event); }
void ImageBox::wheelEvent(QWheelEvent* event) { emit WheelTurned(event); }

}  // namespace slicewright
