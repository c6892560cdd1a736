#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

// The visible range ViewStart .. ViewEnd of the document, shown over `width`
// columns of the waveform area, and everything measured in it: the byte
// under a column and the column of a byte, the zooms with their limits and
// rounding, scrolling, and where the locator buttons go. The segment that
// holds a byte is Document::SegmentHolding.

constexpr double ZoomInLimit = 32.0;

// The byte under column x, unrounded.
double ByteAtColumn(const Document& doc, double x, int32_t width);
// The column that shows a byte.
int32_t ColumnOfByte(const Document& doc, int64_t byte, int32_t width);
// Column x of the view on the full-file scale, where the whole data spans the width.
double FullFileColumn(const Document& doc, double x, int32_t width);
// The segment under column x.
int32_t SegmentAtColumn(const Document& doc, double x, int32_t width);

// Which zooms the view leaves possible afterwards.
struct ZoomAvailability {
  bool zoomIn = true;
  bool zoomOut = true;
};

// Doubles the zoom, up to ZoomInLimit, centred on a column of the full-file
// scale, in whole samples.
ZoomAvailability ZoomIn(Document& doc, int32_t centreFullColumn, int32_t width);
// Halves the zoom (rounded); each side grows by a quarter of the file over
// the new factor, and a factor below 2 shows the whole file.
ZoomAvailability ZoomOut(Document& doc);
// Shows one segment exactly and selects it; false, changing nothing, for an
// empty segment.
bool ZoomToSegment(Document& doc, int32_t segment);
ZoomAvailability ZoomOneToOne(Document& doc);

// The mouse wheel's zooms: in, centred on the pointer's column as a press
// there zooms; out, by the same factor as ZoomOut, keeping the byte under
// the pointer where it is.
ZoomAvailability ZoomInAtColumn(Document& doc, double x, int32_t width);
ZoomAvailability ZoomOutAtColumn(Document& doc, double x, int32_t width);

// Moves the view by whole samples, keeping its length, inside the data.
void ScrollView(Document& doc, int64_t bytes);
void ScrollViewTo(Document& doc, int64_t start);

// The column a line had in the view that started at oldStart and held
// oldLength bytes, carried to the same byte in the current view.
int32_t CarriedColumn(const Document& doc, int32_t oldColumn, int32_t oldStart, int32_t oldLength,
                      int32_t width);

// Where the locator buttons go: L's left edge on its locator, R's right edge
// on its, each shown only while its locator lies in the view.
struct LocatorButtonPlaces {
  bool leftShown = false;
  int32_t leftEdge = 0;
  bool rightShown = false;
  int32_t rightEdge = 0;
};
LocatorButtonPlaces PlaceLocatorButtons(const Document& doc, int32_t width);

}  // namespace slicewright
