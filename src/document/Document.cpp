#include "document/Document.h"

namespace slicewright {

Document::Document()
    : SlicePoints(PointTableSize), ActivePoints(PointTableSize), ActivePointX(PointTableSize, 0.0) {}

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
