#include "export/SegmentUnderPointer.h"

#include <algorithm>

#include "view/ViewRange.h"

namespace slicewright {

PointerSegment SegmentUnderPointer(Document& doc, double pointerX, int32_t width) {
  // With no area to measure, the pointer counts as being at the view start.
  const int32_t j = SegmentAtColumn(doc, pointerX, width);
  const int32_t last = doc.ActivePointCount + 1;
  doc.SelectedSegment = j;

  PointerSegment segment{j, 0, 0};
  if (j == 1 && doc.ActivePointCount == 0) {
    segment.length = doc.DataLength;
  } else if (j == 1) {
    segment.length = doc.ActivePoints[1].Position - doc.BitsPerSample / 8;
  } else if (j == last) {
    segment.start = doc.ActivePoints[j - 1].Position;
    segment.length = doc.DataLength - segment.start;
  } else {
    segment.start = doc.ActivePoints[j - 1].Position;
    segment.length = doc.ActivePoints[j].Position - segment.start;
  }
  // A point at the very start leaves the shortened first segment nothing.
  segment.length = std::max(segment.length, 0);
  return segment;
}

}  // namespace slicewright
