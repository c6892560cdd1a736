#include "view/gui/WaveView.h"

#include <QPainter>
#include <algorithm>
#include <vector>

#include "document/Rounding.h"
#include "view/PixelMapping.h"
#include "view/WaveColumns.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/PointIcons.h"
#include "view/gui/ViewColour.h"

namespace slicewright {
namespace {

const QColor kStripBar(0x00, 0x80, 0x00);

// Fills each column's span of the waveform, row by row. Column i (from 1;
// column 0 keeps the frame and the last one falls outside) shows
// columns[i - 1] as the line from its low level's row up to its high
// level's, the end pixel excluded.
void FillWaveform(QImage& image, const std::vector<WaveColumn>& columns, QRgb colour) {
  const int width = image.width();
  const int height = image.height();
  std::vector<int> top(static_cast<size_t>(width), height);
  std::vector<int> bottom(static_cast<size_t>(width), -1);
  for (int i = 1; i < width; ++i) {
    const WaveColumn& column = columns[static_cast<size_t>(i - 1)];
    top[static_cast<size_t>(i)] = std::max(WaveRow(column.high, height) + 1, 0);
    bottom[static_cast<size_t>(i)] = std::min(WaveRow(column.low, height), height - 1);
  }
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 1; x < width; ++x) {
      if (top[static_cast<size_t>(x)] <= y && y <= bottom[static_cast<size_t>(x)]) line[x] = colour;
    }
  }
}

}  // namespace

WaveView::WaveView(Document& doc, ImageBox& paintBox1, ImageBox& paintBox2)
    : doc_(doc), paintBox1_(paintBox1), paintBox2_(paintBox2), waveformShown_([] { return true; }) {}

int WaveView::Width() const { return paintBox1_.width(); }
int WaveView::Height() const { return paintBox1_.height(); }
qreal WaveView::PixelRatio() const { return paintBox1_.devicePixelRatioF(); }

int WaveView::IconTop() const { return display_.panelAtTop ? 0 : Height() - PointIconSize; }

int WaveView::Column(int64_t position) const {
  return ColumnOf(position, doc_.ViewStart, doc_.ViewLength, Width());
}

QImage WaveView::NewImage(int width, int height) const {
  const qreal ratio = PixelRatio();
  QImage image(std::max(1, qRound(width * ratio)), std::max(1, qRound(height * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  return image;
}

void WaveView::EnsureIcons() {
  if (iconRatio_ == PixelRatio()) return;
  iconRatio_ = PixelRatio();
  sampleIcon_ = SampleIcon(iconRatio_);
  lockIcon_ = LockIcon(iconRatio_);
  disabledIcon_ = DisabledIcon(iconRatio_);
}

void WaveView::RefreshDocumentView() {
  RenderWaveImage();
  // The marks go over the waveform afresh.
  paintBox1_.Picture() = waveImage_.isNull() ? NewImage(Width(), Height()) : waveImage_.copy();
  SelectActivePoints(doc_, Width(), *this);
  DrawPointMarks();
  DrawSegmentStrip();
}

void WaveView::Rescan() {
  RunStarted();
  ScanSlicePoints(doc_, *this);
  DetectionObserver quiet;
  SelectActivePoints(doc_, Width(), quiet);
  // Every command that rescans has put R at the end of the data.
  doc_.RightLocatorSegment = doc_.ActivePointCount + 1;
  // Said once per scan: a box on every redraw would make a full table unworkable.
  if (doc_.SlicePointCount == PointLimit && pointLimitHandler_) pointLimitHandler_();
}

// The waveform is drawn at the device's pixels, so a high-density screen
// shows it as finely as it can; frame and lines keep the logical geometry.
void WaveView::RenderWaveImage() {
  const int width = Width();
  const int height = Height();
  if (!doc_.WaveImageStale || height <= 1 || width < 1) return;
  waveImage_ = NewImage(width, height);
  QPainter p(&waveImage_);
  p.fillRect(QRect(0, 0, width, height), ToQColor(display_.colours.BGColour));
  p.fillRect(QRect(0, 0, width, 1), Qt::black);
  p.fillRect(QRect(0, height - 1, width, 1), Qt::black);
  p.fillRect(QRect(0, 0, 1, height), Qt::black);
  p.fillRect(QRect(width - 1, 0, 1, height), Qt::black);
  p.end();
  if (!doc_.FileLoaded) return;  // stays stale, so the first refresh after loading renders
  if (waveformShown_()) {
    FillWaveform(waveImage_, WaveColumns(doc_, waveImage_.width()),
                 ToQColor(display_.colours.WaveColour).rgb());
  }
  doc_.WaveImageStale = false;
}

void WaveView::RunStarted() {
  paintBox2_.Picture() = NewImage(paintBox2_.width(), paintBox2_.height());
  progressWidth_ = 0;
  paintBox2_.PresentAll();
}

void WaveView::ScanProgress(int32_t bytesRead) {
  if (doc_.DataLength <= 0) return;
  const int stripWidth = paintBox2_.width();
  const int filled =
      std::clamp(RoundHalfEven(static_cast<double>(bytesRead) / doc_.DataLength * stripWidth), 0, stripWidth);
  if (filled <= progressWidth_) return;
  progressWidth_ = filled;
  QPainter(&paintBox2_.Picture()).fillRect(QRect(0, 0, filled, paintBox2_.height()), kStripBar);
  // The scan runs on this thread: paint now, or the bar would only appear full.
  paintBox2_.repaint();
}

void WaveView::InactiveDisabledPoint(const SlicePoint& point) {
  if (!display_.showDisabledIcons || paintBox1_.Picture().isNull()) return;
  EnsureIcons();
  QPainter(&paintBox1_.Picture()).drawImage(QPoint(Column(point.Position), IconTop()), disabledIcon_);
}

void WaveView::DrawPointMarks() {
  EnsureIcons();
  const int width = Width();
  const int height = Height();
  const QColor cut = ToQColor(display_.colours.DivColour);
  QPainter p(&paintBox1_.Picture());
  for (int32_t j = 1; j <= doc_.ActivePointCount; ++j) {
    const SlicePoint& point = doc_.ActivePoints[j];
    if (point.Position <= doc_.ViewStart || point.Position >= doc_.ViewEnd) continue;
    const int x = Column(point.Position);
    if (point.Locked) {
      if (display_.showLockIcons) p.drawImage(QPoint(x, IconTop()), lockIcon_);
    } else if (display_.showSampleIcons) {
      p.drawImage(QPoint(x, IconTop()), sampleIcon_);
    } else {
      // Hidden sample icons still leave their dark top row along the bottom edge.
      p.drawImage(QPoint(x, height - PointIconSize + 14), sampleIcon_);
    }
    p.fillRect(QRect(x, 1, 1, height - 2), cut);
  }
  p.fillRect(QRect(0, height / 2, width, 1), ToQColor(display_.colours.LineColour));
  p.end();
  // A full redraw takes the play line away until the next tick draws it.
  HidePlayLine();
  paintBox1_.PresentAll();
}

void WaveView::DrawSegmentStrip() {
  const int width = paintBox2_.width();
  const int height = paintBox2_.height();
  QImage& strip = paintBox2_.Picture();
  strip = NewImage(width, height);
  const int32_t k = doc_.SelectedSegment;
  if (doc_.SegmentSelected && k >= 1 && k <= doc_.SegmentCount()) {
    const int32_t a = doc_.SegmentStart(k);
    const int32_t b = doc_.SegmentEnd(k);
    if (a >= doc_.ViewStart && b <= doc_.ViewEnd) {
      const int x1 = Column(a);
      const int x2 = Column(b);
      if (x2 - x1 > 2 && height > 2)
        QPainter(&strip).fillRect(QRect(x1 + 1, 1, x2 - x1 - 2, height - 2), kStripBar);
    }
  }
  paintBox2_.PresentAll();
}

void WaveView::ShowPlayLine() {
  paintBox1_.SetLine(ImageBox::PlayLine, playLineX_, ToQColor(display_.colours.PlayColour));
}

void WaveView::HidePlayLine() { paintBox1_.SetLine(ImageBox::PlayLine, std::nullopt, QColor()); }

void WaveView::MovePlayLine(int x) {
  playLineX_ = x;
  if (paintBox1_.LineX(ImageBox::PlayLine)) ShowPlayLine();
}

void WaveView::ShowTrackLine(int x) { paintBox1_.SetLine(ImageBox::TrackLine, x, trackPen_); }

void WaveView::HideTrackLine() { paintBox1_.SetLine(ImageBox::TrackLine, std::nullopt, QColor()); }

std::optional<int> WaveView::TrackLineX() const { return paintBox1_.LineX(ImageBox::TrackLine); }

}  // namespace slicewright
