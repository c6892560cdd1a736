#include "view/gui/WaveView.h"

#include <QPainter>
#include <algorithm>

#include "view/PixelMapping.h"
#include "view/WaveColumns.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/PointIcons.h"
#include "view/gui/ViewColour.h"

namespace slicewright {
namespace {

const QColor kStripBar(0x00, 0x80, 0x00);

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
  QImage image(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  return image;
}

// Overlay columns are copied in device pixels, so a logical column keeps its
// exact pixels at any pixel ratio.
QImage WaveView::CopyColumn(const QImage& source, int x) const {
  const qreal ratio = source.isNull() ? PixelRatio() : source.devicePixelRatio();
  const int first = qRound(x * ratio);
  const int width = std::max(1, qRound((x + 1) * ratio) - first);
  QImage column = source.isNull() ? QImage(width, qRound(Height() * ratio), QImage::Format_RGB32)
                                  : source.copy(first, 0, width, source.height());
  if (source.isNull()) column.fill(Qt::black);
  column.setDevicePixelRatio(ratio);
  return column;
}

void WaveView::PutColumn(QImage& target, int x, const QImage& column) {
  if (target.isNull() || column.isNull()) return;
  const qreal ratio = target.devicePixelRatio();
  const int first = qRound(x * ratio);
  const int width = std::min(column.width(), std::max(1, qRound((x + 1) * ratio) - first));
  const int height = std::min(target.height(), column.height());
  for (int i = 0; i < width; ++i) {
    const int tx = first + i;
    if (tx < 0 || tx >= target.width()) continue;
    for (int y = 0; y < height; ++y) target.setPixel(tx, y, column.pixel(i, y));
  }
}

void WaveView::EnsureIcons() {
  if (iconRatio_ == PixelRatio()) return;
  iconRatio_ = PixelRatio();
  sampleIcon_ = SampleIcon(iconRatio_);
  lockIcon_ = LockIcon(iconRatio_);
  disabledIcon_ = DisabledIcon(iconRatio_);
}

void WaveView::ShowColumn(int x) { paintBox1_.Present(QRect(x, 0, 1, Height())); }

void WaveView::RefreshDocumentView() {
  RenderWaveImage();
  DetectAndMark();
  DrawSegmentStrip();
}

void WaveView::RenderWaveImage() {
  const int width = Width();
  const int height = Height();
  if (!doc_.WaveImageStale || height <= 1 || width < 1) return;
  waveImage_ = NewImage(width, height);
  waveImageCopy_ = NewImage(width, height);
  QPainter p(&waveImage_);
  p.fillRect(QRect(0, 0, width, height), ToQColor(display_.colours.BGColour));
  p.fillRect(QRect(0, 0, width, 1), Qt::black);
  p.fillRect(QRect(0, height - 1, width, 1), Qt::black);
  p.fillRect(QRect(0, 0, 1, height), Qt::black);
  p.fillRect(QRect(width - 1, 0, 1, height), Qt::black);
  if (!doc_.FileLoaded) return;  // stays stale, so the first refresh after loading renders
  if (waveformShown_()) {
    const QColor wave = ToQColor(display_.colours.WaveColour);
    const std::vector<WaveColumn> columns = WaveColumns(doc_, width);
    for (int i = 1; i <= width; ++i) {
      const WaveColumn& column = columns[static_cast<size_t>(i - 1)];
      const int from = WaveRow(column.low, height);  // the line runs upwards, its end pixel excluded
      const int to = WaveRow(column.high, height);
      if (from > to) p.fillRect(QRect(i, to + 1, 1, from - to), wave);
    }
  }
  doc_.WaveImageStale = false;
}

void WaveView::DetectAndMark() {
  runRescans_ = doc_.RescanPending;
  DetectSlicePoints(doc_, Width(), *this);
}

void WaveView::RunStarted() {
  QImage& strip = paintBox2_.Screen();
  strip = NewImage(paintBox2_.width(), paintBox2_.height());
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
  QImage& strip = paintBox2_.Screen();
  if (strip.isNull()) return;
  QPainter(&strip).fillRect(QRect(0, 0, filled, paintBox2_.height()), kStripBar);
  // The scan runs on this thread: paint now, or the bar would only appear full.
  paintBox2_.repaint();
}

void WaveView::InactiveDisabledPoint(const SlicePoint& point) {
  if (!display_.showDisabledIcons || waveImage_.isNull()) return;
  EnsureIcons();
  QPainter(&waveImage_).drawImage(QPoint(Column(point.Position), IconTop()), disabledIcon_);
}

void WaveView::ActivePointsSelected() { DrawPointMarks(); }

void WaveView::PointLimitReached() {
  // Said once per scan: every redraw reselects, and a box on each resize or
  // click would make a full table unworkable.
  if (runRescans_ && pointLimitHandler_) pointLimitHandler_();
}

void WaveView::DrawPointMarks() {
  if (waveImage_.isNull()) return;
  EnsureIcons();
  const int width = Width();
  const int height = Height();
  const QColor cut = ToQColor(display_.colours.DivColour);
  QPainter p(&waveImage_);
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

  waveImageCopy_ = waveImage_.copy();
  paintBox1_.Screen() = waveImage_.copy();
  paintBox1_.PresentAll();
  playLineBackground_ = CopyColumn(paintBox1_.Screen(), playLineX_);
}

void WaveView::DrawSegmentStrip() {
  const int width = paintBox2_.width();
  const int height = paintBox2_.height();
  QImage& strip = paintBox2_.Screen();
  strip = NewImage(width, height);
  const int32_t k = doc_.SelectedSegment;
  if (doc_.SegmentSelected && k >= 1 && k <= doc_.SegmentCount()) {
    const int32_t a = doc_.SegmentStart(k);
    const int32_t b = doc_.SegmentEnd(k);
    if (a >= doc_.ViewStart && b <= doc_.ViewEnd) {
      const int x1 = Column(a);
      const int x2 = Column(b);
      QPainter p(&strip);
      if (x2 - x1 > 2 && height > 2) p.fillRect(QRect(x1 + 1, 1, x2 - x1 - 2, height - 2), kStripBar);
    }
  }
  paintBox2_.PresentAll();
}

void WaveView::PreparePlayLineImages() {
  const int height = Height();
  playLineImage_ = NewImage(1, height);
  playLineImage_.fill(ToQColor(display_.colours.PlayColour));
  playLineBackground_ = NewImage(1, height);
  trackLineBackground_ = NewImage(1, height);
}

void WaveView::ErasePlayLine() {
  PutColumn(paintBox1_.Screen(), playLineX_, playLineBackground_);
  ShowColumn(playLineX_);
}

void WaveView::MovePlayLine(int x, ColumnSource source) {
  playLineX_ = x;
  playLineBackground_ = CopyColumn(source == ColumnSource::Screen ? paintBox1_.Screen() : waveImageCopy_, x);
}

void WaveView::DrawPlayLine() {
  PutColumn(paintBox1_.Screen(), playLineX_, playLineImage_);
  ShowColumn(playLineX_);
}

void WaveView::SaveTrackLineBackground(int x, ColumnSource source) {
  trackLineBackground_ = CopyColumn(source == ColumnSource::Screen ? paintBox1_.Screen() : waveImageCopy_, x);
}

void WaveView::EraseTrackLine() {
  PutColumn(paintBox1_.Screen(), trackLineX_, trackLineBackground_);
  ShowColumn(trackLineX_);
}

void WaveView::DrawTrackLine(int x, ColumnSource source) {
  SaveTrackLineBackground(x, source);
  trackLineX_ = x;
  QImage& screen = paintBox1_.Screen();
  if (!screen.isNull()) QPainter(&screen).fillRect(QRect(x, 0, 1, Height()), trackPen_);
  ShowColumn(x);
}

void WaveView::RestoreColumn(int x) {
  PutColumn(paintBox1_.Screen(), x, CopyColumn(waveImageCopy_, x));
  ShowColumn(x);
}

}  // namespace slicewright
