#include "view/gui/PaintBoxes.h"

#include <QMouseEvent>
#include <QPainter>

namespace slicewright {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void ImageBox::Present(const QRect& rect) { update(rect); }

void ImageBox::PresentAll() { update(); }

void ImageBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  if (!screen_.isNull()) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), screen_);
  }
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) { emit MouseMoved(event); }
void ImageBox::mousePressEvent(QMouseEvent* event) { emit MousePressed(event); }
void ImageBox::mouseReleaseEvent(QMouseEvent* event) { emit MouseReleased(event); }

}  // namespace slicewright
