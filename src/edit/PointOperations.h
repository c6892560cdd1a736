#pragma once

#include <cstdint>

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// Byte position of the sample under the drag or tracking line at a column of
// the waveform area, kept inside the data.
int32_t DragLinePosition(const Document& doc, int32_t column, int32_t width);

// The add tool: inserts an enabled, locked point after any point already at
// position. Refused when the table holds PointLimit points.
EditOutcome AddPoint(Document& doc, int32_t position, bool addAtCurrentLength);

// Press on a point's mark: the drag records where the point started. Returns
// false for an index that names no point (the fixed start and end entries).
bool ArmPointDrag(Document& doc, int32_t index);

// Release of a drag: the point at index moves, with its strength and flags, to
// position (kept inside the data), before any point already there.
EditOutcome MovePoint(Document& doc, int32_t index, int32_t position);

// The enable and lock tools. Disabling also unlocks; locking and unlocking
// also enable.
EditOutcome EnablePoint(Document& doc, int32_t index);
EditOutcome DisablePoint(Document& doc, int32_t index);
EditOutcome LockPoint(Document& doc, int32_t index);
EditOutcome UnlockPoint(Document& doc, int32_t index);

// Lock All locks every point at the position of an active point; Unlock All
// unlocks every point. Neither records an undo.
EditOutcome LockAll(Document& doc);
EditOutcome UnlockAll(Document& doc);

// The outcome of any change of the point table: full refresh, then the
// locator segments are derived again.
EditOutcome PointsChanged(bool undoAvailable);

}  // namespace slicewright
