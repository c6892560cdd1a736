#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

// A locator dropped and snapped to a segment bound.
struct LocatorDrop {
  int32_t Position = 0;
  int32_t Segment = 1;
  // Left edge of the button in view columns.
  int32_t ButtonLeft = 0;
};

// Drop of the L button with its left edge at leftEdge (view columns, may lie
// outside the area). Sets LeftLocatorPos and LeftLocatorSegment.
LocatorDrop SnapLeftLocator(Document& doc, int32_t leftEdge, int32_t width);

// Drop of the R button, whose right edge (leftEdge + buttonWidth) marks R.
// Derives LeftLocatorSegment from L first, then sets RightLocatorPos and
// RightLocatorSegment.
LocatorDrop SnapRightLocator(Document& doc, int32_t leftEdge, int32_t buttonWidth, int32_t width);

}  // namespace slicewright
