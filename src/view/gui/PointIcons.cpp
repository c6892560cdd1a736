#include "view/gui/PointIcons.h"

#include <QPainter>

namespace slicewright {
namespace {

const QColor kGlyphDark(0x20, 0x20, 0x20);
const QColor kRed(0xFF, 0x00, 0x00);

QImage Blank(qreal dpr, const QColor& frame) {
  const int side = qRound(PointIconSize * dpr);
  QImage image(side, side, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::white);
  QPainter p(&image);
  p.fillRect(QRect(0, 0, PointIconSize, 1), frame);
  p.fillRect(QRect(0, PointIconSize - 1, PointIconSize, 1), frame);
  p.fillRect(QRect(0, 0, 1, PointIconSize), frame);
  p.fillRect(QRect(PointIconSize - 1, 0, 1, PointIconSize), frame);
  return image;
}

// A small burst of audio: bars that rise at once and die away.
void DrawSampleGlyph(QImage& image) {
  QPainter p(&image);
  const int heights[] = {9, 8, 6, 5, 4, 3, 2, 1};
  for (int i = 0; i < 8; ++i) p.fillRect(QRect(3 + i, 7 - heights[i] / 2, 1, heights[i]), kGlyphDark);
}

}  // namespace

QImage SampleIcon(qreal dpr) {
  QImage image = Blank(dpr, Qt::black);
  DrawSampleGlyph(image);
  return image;
}

QImage LockIcon(qreal dpr) {
  QImage image = Blank(dpr, kRed);
  QPainter p(&image);
  p.fillRect(QRect(4, 3, 2, 9), kRed);
  p.fillRect(QRect(4, 10, 7, 2), kRed);
  return image;
}

QImage DisabledIcon(qreal dpr) {
  QImage image = Blank(dpr, kRed);
  DrawSampleGlyph(image);
  return image;
}

}  // namespace slicewright
