#include "document/Document.h"

#include <algorithm>

namespace slicewright {

Document::Document()
    : SlicePoints(PointTableSize), ActivePoints(PointTableSize), ActivePointX(PointTableSize, 0.0) {}

int32_t Document::SegmentHolding(double byte) const {
  // Active points ascend, so the first segment that ends past the byte holds it.
  const auto first = ActivePoints.begin() + 1;
  const auto last = first + ActivePointCount;
  const auto end =
      std::upper_bound(first, last, byte, [](double b, const SlicePoint& p) { return b < p.Position; });
  return static_cast<int32_t>(end - first) + 1;
}

void ResetPointTables(Document& doc) {
  for (int32_t i = 0; i <= doc.SlicePointCount + 1 && i < PointTableSize; ++i) {
    doc.SlicePoints[i].Enabled = false;
    doc.SlicePoints[i].Locked = false;
  }
  doc.SlicePointCount = 0;
  doc.ActivePointCount = 0;
  doc.SlicePoints[0] = SlicePoint{};
  doc.SlicePoints[1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.ActivePoints[0] = SlicePoint{};
  doc.ActivePoints[1] = SlicePoint{doc.DataLength, 0, false, false};
}

}  // namespace slicewright
