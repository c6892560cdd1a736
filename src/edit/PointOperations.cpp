#include "edit/PointOperations.h"

#include <algorithm>
#include <vector>

#include "detect/Sensitivity.h"
#include "edit/PointTable.h"
#include "view/PixelMapping.h"

namespace slicewright {
namespace {

// Sets one point's flags and records the change under the given kind.
EditOutcome ChangeFlags(Document& doc, int32_t index, bool enabled, bool locked, UndoKind kind) {
  if (!IsPointIndex(doc, index)) return {};
  SlicePoint& point = doc.SlicePoints[index];
  point.Enabled = enabled;
  point.Locked = locked;
  doc.Undo.Kind = kind;
  doc.Undo.UndoIndex = index;
  return PointsChanged(true);
}

}  // namespace

EditOutcome PointsChanged(bool undoAvailable) {
  EditOutcome outcome;
  outcome.Changed = true;
  outcome.UndoAvailable = undoAvailable;
  outcome.Refresh = true;
  outcome.DeriveLocatorSegments = true;
  outcome.SelectionFollowsAudio = true;
  return outcome;
}

int32_t DragLinePosition(const Document& doc, int32_t column, int32_t width) {
  const int64_t sample = SampleUnderColumn(column, width, doc.ViewStart, doc.ViewLength, BytesPerSample);
  return ClampToData(doc, sample * BytesPerSample);
}

EditOutcome AddPoint(Document& doc, int32_t position, bool addAtCurrentLength) {
  if (doc.DataLength < BytesPerSample) return {};
  if (doc.SlicePointCount >= PointLimit) {
    EditOutcome refused;
    refused.PointTableFull = true;
    return refused;
  }
  const int32_t p = ClampToData(doc, position);
  const int32_t index = FirstPointAfter(doc, p);
  InsertPoint(doc, index,
              SlicePoint{p, HandAddedPointStrength(doc.Threshold, addAtCurrentLength), true, true});
  doc.Undo.Kind = UndoKind::Add;
  doc.Undo.UndoStart = p;
  doc.Undo.UndoIndex = index;
  EditOutcome outcome = PointsChanged(true);
  outcome.EnableZoomToSegment = true;
  return outcome;
}

bool ArmPointDrag(Document& doc, int32_t index) {
  if (!IsPointIndex(doc, index)) return false;
  doc.Undo.Kind = UndoKind::Edit;
  doc.Undo.UndoIndex = index;
  doc.Undo.UndoStart = doc.SlicePoints[index].Position;
  return true;
}

EditOutcome MovePoint(Document& doc, int32_t index, int32_t position) {
  if (!IsPointIndex(doc, index)) return {};
  SlicePoint point = RemovePoint(doc, index);
  const int32_t from = point.Position;
  point.Position = ClampToData(doc, position);
  const int32_t to = FirstPointAtOrAfter(doc, point.Position);
  InsertPoint(doc, to, point);  // cannot fail: one entry was just freed
  doc.Undo.Kind = UndoKind::Edit;
  doc.Undo.UndoStart = from;
  doc.Undo.UndoIndex = to;
  return PointsChanged(true);
}

EditOutcome EnablePoint(Document& doc, int32_t index) {
  const bool locked = IsPointIndex(doc, index) && doc.SlicePoints[index].Locked;
  return ChangeFlags(doc, index, true, locked, UndoKind::Enable);
}

EditOutcome DisablePoint(Document& doc, int32_t index) {
  return ChangeFlags(doc, index, false, false, UndoKind::Disable);
}

EditOutcome LockPoint(Document& doc, int32_t index) {
  return ChangeFlags(doc, index, true, true, UndoKind::Lock);
}

EditOutcome UnlockPoint(Document& doc, int32_t index) {
  return ChangeFlags(doc, index, true, false, UndoKind::Unlock);
}

EditOutcome LockAll(Document& doc) {
  std::vector<int32_t> active;
  for (int32_t j = 1; j <= doc.ActivePointCount; ++j) active.push_back(doc.ActivePoints[j].Position);
  std::sort(active.begin(), active.end());
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) {
    SlicePoint& point = doc.SlicePoints[k];
    if (std::binary_search(active.begin(), active.end(), point.Position)) point.Locked = true;
  }
  return PointsChanged(false);
}

EditOutcome UnlockAll(Document& doc) {
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) doc.SlicePoints[k].Locked = false;
  return PointsChanged(false);
}

}  // namespace slicewright
