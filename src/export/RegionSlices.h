#pragma once

#include <cstdint>
#include <vector>

#include "document/Document.h"

namespace slicewright {

struct ByteRange {
  int32_t start = 0;
  int32_t length = 0;

  bool operator==(const ByteRange&) const = default;
};

// The slices of the looped region: the bytes from LeftLocatorPos to
// RightLocatorPos cut at every active point strictly inside them, in order.
// The first starts at L and the last ends at R; an empty region gives one
// empty slice. No slice reaches outside the sample data. Every exporter of
// slices shares this walk.
std::vector<ByteRange> RegionSlices(const Document& doc);

}  // namespace slicewright
