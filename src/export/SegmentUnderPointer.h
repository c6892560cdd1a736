#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

struct PointerSegment {
  int32_t index = 1;
  int32_t start = 0;
  int32_t length = 0;
};

// The segment below the pointer column pointerX of a waveform area `width`
// pixels wide, and the byte range that Save Segment and Copy Segment take from
// it; sets SelectedSegment to its index. The first of several segments comes
// out one sample short, as it always has.
PointerSegment SegmentUnderPointer(Document& doc, double pointerX, int32_t width);

}  // namespace slicewright
