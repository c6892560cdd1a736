#include "edit/PointTable.h"

#include <algorithm>

namespace slicewright {
namespace {

// Compacts entries 1 .. count of a table to those inside the data; returns the
// new count. Keeps the parallel column table in step when given.
int32_t KeepInside(std::vector<SlicePoint>& table, int32_t count, int32_t dataLength,
                   std::vector<double>* columns) {
  int32_t kept = 0;
  for (int32_t k = 1; k <= count; ++k) {
    if (table[k].Position >= dataLength) continue;
    ++kept;
    table[kept] = table[k];
    if (columns) (*columns)[kept] = (*columns)[k];
  }
  table[kept + 1] = SlicePoint{dataLength, 0, false, false};
  return kept;
}

}  // namespace

bool IsPointIndex(const Document& doc, int32_t index) { return index >= 1 && index <= doc.SlicePointCount; }

int32_t LastSamplePosition(const Document& doc) {
  return std::max(0, (doc.DataLength / BytesPerSample - 1) * BytesPerSample);
}

int32_t ClampToData(const Document& doc, int64_t position) {
  const int64_t aligned = position - position % BytesPerSample;
  return static_cast<int32_t>(std::clamp<int64_t>(aligned, 0, LastSamplePosition(doc)));
}

int32_t FirstPointAfter(const Document& doc, int32_t position) {
  int32_t index = 1;
  while (index <= doc.SlicePointCount && doc.SlicePoints[index].Position <= position) ++index;
  return index;
}

int32_t FirstPointAtOrAfter(const Document& doc, int32_t position) {
  int32_t index = 1;
  while (index <= doc.SlicePointCount && doc.SlicePoints[index].Position < position) ++index;
  return index;
}

bool InsertPoint(Document& doc, int32_t index, const SlicePoint& point) {
  if (doc.SlicePointCount >= PointLimit) return false;
  auto& table = doc.SlicePoints;
  const auto endEntry = table.begin() + doc.SlicePointCount + 1;
  std::move_backward(table.begin() + index, endEntry + 1, endEntry + 2);
  table[index] = point;
  ++doc.SlicePointCount;
  return true;
}

SlicePoint RemovePoint(Document& doc, int32_t index) {
  auto& table = doc.SlicePoints;
  const SlicePoint removed = table[index];
  std::move(table.begin() + index + 1, table.begin() + doc.SlicePointCount + 2, table.begin() + index);
  --doc.SlicePointCount;
  return removed;
}

void DropPointsPastEnd(Document& doc) {
  doc.SlicePointCount = KeepInside(doc.SlicePoints, doc.SlicePointCount, doc.DataLength, nullptr);
  doc.ActivePointCount =
      KeepInside(doc.ActivePoints, doc.ActivePointCount, doc.DataLength, &doc.ActivePointX);
  doc.SelectedSegment = std::clamp(doc.SelectedSegment, 1, doc.SegmentCount());
}

}  // namespace slicewright
