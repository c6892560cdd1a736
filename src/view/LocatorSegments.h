#pragma once

#include "document/Document.h"

namespace slicewright {

// Derives LeftLocatorSegment and RightLocatorSegment from the locator
// positions after the active points changed: L names the segment it starts
// or lies in, R the segment it ends or lies in, and L never names a segment
// after R's.
void DeriveLocatorSegments(Document& doc);

}  // namespace slicewright
