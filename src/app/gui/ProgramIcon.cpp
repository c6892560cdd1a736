#include "app/gui/ProgramIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace slicewright {
namespace {

// The picture on a 64-unit square: a dark tile with a waveform, the centre
// line, two cut lines and their marks, as slicewright.svg draws it.
void DrawIcon(QPainter& p, const QRectF& rect) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(rect.topLeft());
  p.scale(rect.width() / 64.0, rect.height() / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x10, 0x10, 0x10));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
  const QColor red(0xFF, 0x30, 0x30);
  p.setPen(QPen(red, 1.5));
  p.drawLine(QLineF(6, 32, 58, 32));
  const QList<QList<QPointF>> strokes{
      {{8, 32}, {10, 14}, {12, 48}, {14, 20}, {16, 40}, {18, 26}, {20, 36}, {22, 30}, {24, 33}},
      {{26, 32}, {28, 18}, {30, 44}, {32, 24}, {34, 38}, {36, 29}, {38, 34}},
      {{42, 32}, {44, 12}, {46, 50}, {48, 20}, {50, 42}, {52, 27}, {54, 36}, {56, 31}}};
  p.setPen(QPen(QColor(0x20, 0xC0, 0x40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QList<QPointF>& stroke : strokes) p.drawPolyline(stroke.data(), static_cast<int>(stroke.size()));
  p.setPen(QPen(red, 2));
  p.drawLine(QLineF(25, 8, 25, 56));
  p.drawLine(QLineF(40, 8, 40, 56));
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(25, 50, 8, 8));
  p.drawRect(QRectF(40, 50, 8, 8));
  p.restore();
}

// Draws the picture afresh for each size and pixel ratio, as a vector icon.
class ProgramIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    DrawIcon(*painter, rect);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
  }
  QIconEngine* clone() const override { return new ProgramIconEngine; }
};

}  // namespace

QIcon ProgramIcon() { return QIcon(new ProgramIconEngine); }

}  // namespace slicewright
