#include "edit/Undo.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "detect/Sensitivity.h"
#include "edit/AudioUndo.h"
#include "edit/PointOperations.h"
#include "edit/PointTable.h"
#include "edit/UndoKinds.h"
#include "edit/WholeAudio.h"

namespace slicewright {
namespace {

// Undo of "add": takes the added point out again. It is found by its index,
// so a point that already sat on the same sample stays.
EditOutcome RemoveAddedPoint(Document& doc) {
  UndoRecord& undo = doc.Undo;
  int32_t index = undo.UndoIndex;
  if (!IsPointIndex(doc, index) || doc.SlicePoints[index].Position != undo.UndoStart) {
    index = FirstPointAtOrAfter(doc, undo.UndoStart);
    if (!IsPointIndex(doc, index) || doc.SlicePoints[index].Position != undo.UndoStart) return {};
  }
  RemovePoint(doc, index);
  undo.UndoKind = std::string(undo_kind::Kill);
  undo.UndoIndex = index;
  return PointsChanged(false);
}

// Undo of "kill": puts the removed point back, locked and enabled.
EditOutcome PutBackPoint(Document& doc, bool addAtCurrentLength) {
  UndoRecord& undo = doc.Undo;
  if (undo.UndoStart < 0 || undo.UndoStart >= doc.DataLength) return {};
  if (doc.SlicePointCount >= PointLimit) {
    EditOutcome refused;
    refused.PointTableFull = true;
    return refused;
  }
  const int32_t index = FirstPointAfter(doc, undo.UndoStart);
  InsertPoint(doc, index,
              SlicePoint{undo.UndoStart, HandAddedPointStrength(doc.Threshold, addAtCurrentLength), true, true});
  undo.UndoKind = std::string(undo_kind::Add);
  undo.UndoIndex = index;
  EditOutcome outcome = PointsChanged(true);
  outcome.EnableZoomToSegment = true;
  outcome.CutLineAt = undo.UndoStart;
  return outcome;
}

// Undo of "edit": moves the point back to where it was; the record then holds
// the other place, so the next Undo moves it again.
EditOutcome MovePointBack(Document& doc) {
  UndoRecord& undo = doc.Undo;
  if (!IsPointIndex(doc, undo.UndoIndex)) return {};
  SlicePoint point = RemovePoint(doc, undo.UndoIndex);
  const int32_t from = point.Position;
  point.Position = ClampToData(doc, undo.UndoStart);
  const int32_t to = FirstPointAtOrAfter(doc, point.Position);
  InsertPoint(doc, to, point);
  undo.UndoStart = from;
  undo.UndoIndex = to;
  return PointsChanged(true);
}

// Undo of a flag change: restores only the flag that the kind names.
EditOutcome RestoreFlag(Document& doc, bool SlicePoint::*flag, bool value, std::string_view nextKind) {
  UndoRecord& undo = doc.Undo;
  if (!IsPointIndex(doc, undo.UndoIndex)) return {};
  doc.SlicePoints[undo.UndoIndex].*flag = value;
  undo.UndoKind = std::string(nextKind);
  return PointsChanged(true);
}

// Undo of a change of a stretch of audio: swaps the saved bytes with the
// current ones in place.
EditOutcome SwapSegmentBytes(Document& doc) {
  UndoRecord& undo = doc.Undo;
  if (undo.UndoStart < 0 || int64_t{undo.UndoStart} + undo.UndoLength > doc.DataLength ||
      static_cast<int64_t>(undo.UndoStream.size()) < undo.UndoLength) {
    return {};
  }
  const auto first = doc.SampleStream.begin() + undo.UndoStart;
  std::swap_ranges(first, first + undo.UndoLength, undo.UndoStream.begin());
  doc.WaveImageStale = true;
  EditOutcome outcome;
  outcome.Changed = true;
  outcome.UndoAvailable = true;
  outcome.Refresh = true;
  outcome.PlayBufferRewritten = RefreshPlayBuffer(doc, undo.UndoStart, undo.UndoLength);
  return outcome;
}

// Undo of a change of the whole audio: swaps the saved audio with the current
// one, whatever their lengths.
EditOutcome SwapWholeAudio(Document& doc) {
  UndoRecord& undo = doc.Undo;
  std::vector<uint8_t> saved(undo.UndoStream.begin(),
                             undo.UndoStream.begin() + std::min<size_t>(undo.UndoStream.size(), undo.UndoLength));
  undo.UndoStream = doc.SampleStream;
  undo.UndoLength = doc.DataLength;
  undo.UndoStart = 0;
  ReplaceWholeAudio(doc, std::move(saved));
  doc.LeftLocatorPos = 0;
  doc.LeftLocatorSegment = 1;
  if (undo.UndoKind == undo_kind::PasteNew) doc.RescanPending = true;
  EditOutcome outcome = WholeAudioReplaced(LocatorButtons::AtEnds);
  outcome.UndoAvailable = true;
  outcome.ZoomOneToOne = true;
  outcome.PlayBufferRewritten = RefreshPlayBuffer(doc, 0, doc.DataLength);
  return outcome;
}

}  // namespace

EditOutcome UndoLastOperation(Document& doc, bool addAtCurrentLength) {
  const std::string& kind = doc.Undo.UndoKind;
  if (kind == undo_kind::Kill) return PutBackPoint(doc, addAtCurrentLength);
  if (kind == undo_kind::Add) return RemoveAddedPoint(doc);
  if (kind == undo_kind::Edit) return MovePointBack(doc);
  if (kind == undo_kind::Enable) return RestoreFlag(doc, &SlicePoint::Enabled, false, undo_kind::Disable);
  if (kind == undo_kind::Disable) return RestoreFlag(doc, &SlicePoint::Enabled, true, undo_kind::Enable);
  if (kind == undo_kind::Unlock) return RestoreFlag(doc, &SlicePoint::Locked, true, undo_kind::Lock);
  if (kind == undo_kind::Lock) return RestoreFlag(doc, &SlicePoint::Locked, false, undo_kind::Unlock);
  if (kind.empty() || doc.Undo.UndoLength <= 0) return {};
  return undo_kind::IsWholeAudioKind(kind) ? SwapWholeAudio(doc) : SwapSegmentBytes(doc);
}

}  // namespace slicewright
