#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

// Table edits on SlicePoints. Every point lies in [0, DataLength): a point at
// or past the end would give a segment of negative length or a read past the
// data, so such points are never created and are dropped when audio shrinks.

// Whether index names a point, not one of the fixed start and end entries.
bool IsPointIndex(const Document& doc, int32_t index);

// Start of the last whole sample, where a point furthest to the right may go.
int32_t LastSamplePosition(const Document& doc);
// A position kept on a sample boundary inside the data.
int32_t ClampToData(const Document& doc, int64_t position);

// First index from 1 whose position is greater than (After) or at least
// (AtOrAfter) the given one; the end entry's index when none is.
int32_t FirstPointAfter(const Document& doc, int32_t position);
int32_t FirstPointAtOrAfter(const Document& doc, int32_t position);

// Inserts a point at index (1 .. SlicePointCount + 1), moving the entries from
// there on, the end entry included, up by one. Returns false, changing
// nothing, when the table already holds PointLimit points.
bool InsertPoint(Document& doc, int32_t index, const SlicePoint& point);
// Removes the point at index, moving the later entries down; returns it.
SlicePoint RemovePoint(Document& doc, int32_t index);

// Drops every point at or past DataLength from both tables and puts the end
// entries at DataLength. The selected segment stays within the segments.
void DropPointsPastEnd(Document& doc);

}  // namespace slicewright
