#include "export/RegionSlices.h"

#include <algorithm>

namespace slicewright {

std::vector<ByteRange> RegionSlices(const Document& doc) {
  // Locators are kept inside the data; should one not be, no slice reaches past it.
  const auto size = static_cast<int32_t>(doc.SampleStream.size());
  const int32_t left = std::clamp(doc.LeftLocatorPos, 0, size);
  const int32_t right = std::clamp(doc.RightLocatorPos, left, size);
  const int32_t endEntry = doc.ActivePointCount + 1;
  std::vector<ByteRange> slices;
  int32_t cur = left;
  // Points at or before L do not cut the region; the end entry stops the walk.
  int32_t i = 1;
  while (i < endEntry && doc.ActivePoints[i].Position <= left) ++i;
  for (; i < endEntry && doc.ActivePoints[i].Position < right; ++i) {
    slices.push_back({cur, doc.ActivePoints[i].Position - cur});
    cur = doc.ActivePoints[i].Position;
  }
  slices.push_back({cur, right - cur});
  return slices;
}

}  // namespace slicewright
