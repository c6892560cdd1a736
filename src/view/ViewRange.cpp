#include "view/ViewRange.h"

#include <algorithm>

#include "document/Rounding.h"
#include "view/PixelMapping.h"

namespace slicewright {
namespace {

// A factor doubled from a view rounded to whole samples can fall a hair short
// of the limit; within this share of it the limit counts as reached.
constexpr double kZoomLimitSlack = 0.01;

int32_t SampleBytes(const Document& doc) { return std::max(doc.BitsPerSample / 8, 1); }

// A view of at least one sample where the data has one (zooming far into a
// very short file must not leave nothing to show), slid back inside the data
// keeping its length where the data allows. Clamped in 64 bits: a zoom near
// the end of a file of over 1.7 GB reaches past the range of the view's fields.
void SetView(Document& doc, int64_t start, int64_t end) {
  const int32_t b = SampleBytes(doc);
  if (end - start < b && doc.DataLength >= b) end = start + b;
  if (start < 0) {
    end -= start;
    start = 0;
  }
  if (end > doc.DataLength) {
    start -= end - doc.DataLength;
    end = doc.DataLength;
  }
  doc.ViewStart = static_cast<int32_t>(std::max<int64_t>(start, 0));
  doc.ViewEnd = static_cast<int32_t>(end);
  doc.ViewLength = doc.ViewEnd - doc.ViewStart;
}

bool AtZoomLimit(const Document& doc) { return doc.ZoomFactor >= ZoomInLimit * (1 - kZoomLimitSlack); }

// The factor the status bar shows: how many views make the file.
void FinishZoom(Document& doc) {
  if (doc.ViewLength > 0) doc.ZoomFactor = static_cast<double>(doc.DataLength) / doc.ViewLength;
}

// A view of the given factor in which the anchor byte stays at the same
// share of the width.
void ZoomKeepingByte(Document& doc, double anchor, double share, double factor) {
  const int32_t b = SampleBytes(doc);
  const int64_t length = int64_t{RoundHalfEven(doc.DataLength / (factor * b))} * b;
  const int64_t start = int64_t{RoundHalfEven((anchor - share * length) / b)} * b;
  SetView(doc, start, start + length);
  FinishZoom(doc);
}

// The zoom out factor: half the current one, rounded; below 2 means the whole file.
double HalvedFactor(const Document& doc) { return RoundHalfEven(doc.ZoomFactor * 0.5); }

}  // namespace

double ByteAtColumn(const Document& doc, double x, int32_t width) {
  if (width <= 0) return doc.ViewStart;
  return x / width * doc.ViewLength + doc.ViewStart;
}

int32_t ColumnOfByte(const Document& doc, int64_t byte, int32_t width) {
  return ColumnOf(byte, doc.ViewStart, doc.ViewLength, width);
}

double FullFileColumn(const Document& doc, double x, int32_t width) {
  if (doc.DataLength <= 0) return x;
  return static_cast<double>(doc.ViewLength) / doc.DataLength * x +
         static_cast<double>(doc.ViewStart) / doc.DataLength * width;
}

int32_t SegmentAtColumn(const Document& doc, double x, int32_t width) {
  return doc.SegmentHolding(ByteAtColumn(doc, x, width));
}

ZoomAvailability ZoomIn(Document& doc, int32_t centreFullColumn, int32_t width) {
  if (doc.DataLength <= 0 || width <= 0) return {};
  double factor = doc.ZoomFactor * 2;
  const bool limit = factor >= ZoomInLimit * (1 - kZoomLimitSlack);
  if (limit) factor = ZoomInLimit;
  const int32_t b = SampleBytes(doc);
  const double samples = static_cast<double>(doc.DataLength) / b;
  const double centre = centreFullColumn / static_cast<double>(width) * samples;
  const double half = doc.DataLength / (factor * 2 * b);
  SetView(doc, int64_t{RoundHalfEven(centre - half)} * b, int64_t{RoundHalfEven(centre + half)} * b);
  doc.ZoomFactor = factor;
  FinishZoom(doc);
  return {!limit, true};
}

ZoomAvailability ZoomOut(Document& doc) {
  if (doc.DataLength <= 0) return {};
  doc.ZoomFactor = HalvedFactor(doc);
  if (doc.ZoomFactor < 2) {
    doc.ViewWholeFile();
  } else {
    // Each side grows by a quarter of the file over the new factor.
    const int32_t b = SampleBytes(doc);
    const double quarter = doc.DataLength / (doc.ZoomFactor * 4 * b);
    SetView(doc, int64_t{RoundHalfEven(static_cast<double>(doc.ViewStart) / b - quarter)} * b,
            int64_t{RoundHalfEven(static_cast<double>(doc.ViewEnd) / b + quarter)} * b);
  }
  FinishZoom(doc);
  return {true, doc.ViewLength != doc.DataLength};
}

bool ZoomToSegment(Document& doc, int32_t segment) {
  if (segment < 1 || segment > doc.SegmentCount() || doc.SegmentEnd(segment) <= doc.SegmentStart(segment)) {
    return false;  // two points on one sample leave an empty segment: nothing to show
  }
  doc.ViewStart = doc.SegmentStart(segment);
  doc.ViewEnd = doc.SegmentEnd(segment);
  doc.ViewLength = doc.ViewEnd - doc.ViewStart;
  doc.SelectedSegment = segment;
  doc.SegmentSelected = true;
  FinishZoom(doc);
  return true;
}

ZoomAvailability ZoomOneToOne(Document& doc) {
  doc.ViewWholeFile();
  return {true, false};
}

ZoomAvailability ZoomInAtColumn(Document& doc, double x, int32_t width) {
  if (doc.DataLength <= 0 || width <= 0) return {};
  // The wheel never zooms out by zooming in, as a factor past the limit
  // (a short segment shown whole) would.
  if (AtZoomLimit(doc)) return {false, true};
  const double factor = std::min(doc.ZoomFactor * 2, ZoomInLimit);
  ZoomKeepingByte(doc, ByteAtColumn(doc, x, width), x / width, factor);
  return {!AtZoomLimit(doc), true};
}

ZoomAvailability ZoomOutAtColumn(Document& doc, double x, int32_t width) {
  if (doc.DataLength <= 0 || width <= 0) return {};
  const double factor = HalvedFactor(doc);
  if (factor < 2) return ZoomOneToOne(doc);
  ZoomKeepingByte(doc, ByteAtColumn(doc, x, width), x / width, factor);
  return {true, doc.ViewLength != doc.DataLength};
}

void ScrollView(Document& doc, int64_t bytes) { ScrollViewTo(doc, int64_t{doc.ViewStart} + bytes); }

void ScrollViewTo(Document& doc, int64_t start) {
  const int32_t b = SampleBytes(doc);
  const int64_t length = doc.ViewLength;
  start = std::clamp<int64_t>(start / b * b, 0, std::max<int64_t>(doc.DataLength - length, 0));
  SetView(doc, start, start + length);
}

int32_t CarriedColumn(const Document& doc, int32_t oldColumn, int32_t oldStart, int32_t oldLength,
                      int32_t width) {
  if (doc.ViewLength <= 0 || width <= 0) return oldColumn;
  const double byte = oldColumn / static_cast<double>(width) * oldLength + (oldStart - doc.ViewStart);
  return RoundHalfEven(byte / doc.ViewLength * width);
}

LocatorButtonPlaces PlaceLocatorButtons(const Document& doc, int32_t width) {
  LocatorButtonPlaces places;
  places.leftShown = doc.ViewStart <= doc.LeftLocatorPos && doc.LeftLocatorPos < doc.ViewEnd;
  places.leftEdge = ColumnOfByte(doc, doc.LeftLocatorPos, width);
  places.rightShown = doc.ViewStart < doc.RightLocatorPos && doc.RightLocatorPos <= doc.ViewEnd;
  places.rightEdge = ColumnOfByte(doc, doc.RightLocatorPos, width);
  return places;
}

}  // namespace slicewright
