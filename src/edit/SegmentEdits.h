#pragma once

#include <cstdint>

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// The two edits take the whole segment that holds byte p (Document::SegmentHolding):
// from its start to the start of the next, the last sample of the first
// segment included.

// Turns the segment that holds byte p back to front, sample by sample.
EditOutcome ReverseSegment(Document& doc, double p);

// Zeros the segment that holds byte p. When it starts 500 bytes or more into
// the data, the 250 samples before it fade out to silence first.
EditOutcome SilenceSegment(Document& doc, double p);

// Keeps only the audio between the locators; new slice points are found in
// it. Refused (nothing changes) when the region holds no whole sample.
EditOutcome CropRegion(Document& doc);

}  // namespace slicewright
