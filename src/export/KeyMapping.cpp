#include "export/KeyMapping.h"

#include "export/RegionSlices.h"

namespace slicewright {

int32_t BaseKeyFromPositions(int32_t notePosition, int32_t octavePosition) {
  return octavePosition * 12 + notePosition - 1;
}

int32_t SlotKey(const KeyMapping& mapping, int32_t n) {
  if (!mapping.whiteKeys) return mapping.baseKey + (n - 1) * (mapping.interval + 1);
  return mapping.baseKey + 12 * ((n - 1) / 7) + WhiteKeySteps[static_cast<size_t>((n - 1) % 7)] - 1;
}

bool RangeCheck(const KeyMapping& mapping, int32_t sliceCount) {
  return int64_t{SlotKey(mapping, sliceCount)} <= HighestSliceKey;
}

int32_t RegionPointCount(const Document& doc) { return static_cast<int32_t>(RegionSlices(doc).size()) - 1; }

int32_t ReverseStartKey(const KeyMapping& mapping, int32_t sliceCount) {
  return SlotKey(mapping, sliceCount);
}

}  // namespace slicewright
