#include "view/LocatorSegments.h"

#include <algorithm>

namespace slicewright {

void DeriveLocatorSegments(Document& doc) {
  const int32_t segments = doc.SegmentCount();
  int32_t left = 1;
  while (left < segments && doc.SegmentStart(left + 1) <= doc.LeftLocatorPos) ++left;
  int32_t right = 1;
  while (right < segments && doc.SegmentEnd(right) < doc.RightLocatorPos) ++right;
  doc.LeftLocatorSegment = std::min(left, right);
  doc.RightLocatorSegment = right;
}

}  // namespace slicewright
