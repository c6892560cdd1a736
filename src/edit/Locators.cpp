#include "edit/Locators.h"

#include <algorithm>

#include "document/Rounding.h"
#include "view/ViewRange.h"

namespace slicewright {
namespace {

int32_t Bound(const Document& doc, int32_t k) { return doc.ActivePoints[k].Position; }

// Middle of segment k; a drop exactly here goes to the segment's start (L)
// or end (R).
int64_t Middle(const Document& doc, int32_t k) {
  return Bound(doc, k - 1) + (Bound(doc, k) - Bound(doc, k - 1)) / 2;
}

// A column of the view turned into a byte position: first to a whole column
// of the full-file scale, then to bytes.
int64_t DropPosition(const Document& doc, int32_t viewColumn, int32_t width) {
  const int32_t fullColumn = RoundHalfEven(FullFileColumn(doc, viewColumn, width));
  return RoundHalfEven64(static_cast<double>(fullColumn) / width * doc.DataLength);
}

}  // namespace

LocatorDrop SnapLeftLocator(Document& doc, int32_t leftEdge, int32_t width) {
  const int32_t n = doc.ActivePointCount;
  LocatorDrop drop;
  if (n == 0 || leftEdge < 0 || doc.DataLength <= 0 || width <= 0) {
    drop = {0, 1, 0};
  } else {
    const int64_t p = DropPosition(doc, leftEdge, width);
    const int32_t r = std::clamp(doc.RightLocatorSegment, 1, n + 1);
    if (p > Middle(doc, r)) {
      drop = {Bound(doc, r - 1), r, 0};  // never past the start of R's segment
    } else if (p > Bound(doc, n)) {
      drop = {Bound(doc, n), n + 1, 0};
    } else {
      int32_t i = 1;
      while (Bound(doc, i) < p) ++i;  // stops at n at the latest, since p <= A[n]
      drop = p > Middle(doc, i) ? LocatorDrop{Bound(doc, i), i + 1, 0} : LocatorDrop{Bound(doc, i - 1), i, 0};
    }
  }
  drop.ButtonLeft = ColumnOfByte(doc, drop.Position, width);
  doc.LeftLocatorPos = drop.Position;
  doc.LeftLocatorSegment = drop.Segment;
  return drop;
}

LocatorDrop SnapRightLocator(Document& doc, int32_t leftEdge, int32_t buttonWidth, int32_t width) {
  const int32_t n = doc.ActivePointCount;
  int32_t k = 0;
  while (k <= n && Bound(doc, k) < doc.LeftLocatorPos) ++k;
  doc.LeftLocatorSegment = std::min(k + 1, n + 1);

  const int32_t rightEdge = leftEdge + buttonWidth;
  LocatorDrop drop;
  if (n == 0 || doc.DataLength <= 0 || width <= 0) {
    drop = {doc.DataLength, 1, 0};
  } else if (rightEdge > width) {
    drop = {doc.DataLength, n + 1, 0};
  } else {
    const int64_t p = DropPosition(doc, rightEdge, width);
    const int32_t l = doc.LeftLocatorSegment;
    if (p < Middle(doc, l)) {
      drop = {Bound(doc, l), l, 0};  // never before the end of L's segment
    } else if (p < Bound(doc, 1)) {
      drop = {Bound(doc, 1), 1, 0};
    } else {
      int32_t i = 1;
      while (i <= n + 1 && p >= Bound(doc, i)) ++i;
      if (i > n + 1) {
        drop = {doc.DataLength, n + 1, 0};
      } else {
        drop =
            p < Middle(doc, i) ? LocatorDrop{Bound(doc, i - 1), i - 1, 0} : LocatorDrop{Bound(doc, i), i, 0};
      }
    }
  }
  drop.ButtonLeft = ColumnOfByte(doc, drop.Position, width) - buttonWidth;
  doc.RightLocatorPos = drop.Position;
  doc.RightLocatorSegment = drop.Segment;
  return drop;
}

}  // namespace slicewright
