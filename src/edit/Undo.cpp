#include "edit/Undo.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "detect/Sensitivity.h"
#include "edit/AudioUndo.h"
#include "edit/PointOperations.h"
#include "edit/PointTable.h"
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
  undo.Kind = UndoKind::Kill;
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
  InsertPoint(
      doc, index,
      SlicePoint{undo.UndoStart, HandAddedPointStrength(doc.Threshold, addAtCurrentLength), true, true});
  undo.Kind = UndoKind::Add;
  undo.UndoIndex = index;
  EditOutcome outcome = PointsChanged(true);
  outcome.EnableZoomToSegment = true;
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
EditOutcome RestoreFlag(Document& doc, bool SlicePoint::*flag, bool value, UndoKind nextKind) {
  UndoRecord& undo = doc.Undo;
  if (!IsPointIndex(doc, undo.UndoIndex)) return {};
  doc.SlicePoints[undo.UndoIndex].*flag = value;
  undo.Kind = nextKind;
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
  return SamplesChangedInPlace(doc, undo.UndoStart, undo.UndoLength);
}

// Puts back a point table saved with whole audio; the points fit the audio
// they were saved with.
void RestorePoints(Document& doc, const std::vector<SlicePoint>& points) {
  const auto count = static_cast<int32_t>(std::min<size_t>(points.size(), PointLimit));
  std::copy_n(points.begin(), count, doc.SlicePoints.begin() + 1);
  doc.SlicePointCount = count;
  doc.SlicePoints[count + 1] = SlicePoint{doc.DataLength, 0, false, false};
  DropPointsPastEnd(doc);
}

// Undo of a change of the whole audio: swaps the saved audio with the current
// one, whatever their lengths, together with what belongs to each: the point
// table that Paste All And Keep changed, the locators that Crop moved.
EditOutcome SwapWholeAudio(Document& doc) {
  UndoRecord& undo = doc.Undo;
  // The two audios change places without a third copy of either.
  std::vector<uint8_t> saved = std::move(undo.UndoStream);
  saved.resize(std::min<size_t>(saved.size(), static_cast<size_t>(undo.UndoLength)));
  const std::vector<SlicePoint> savedPoints = std::move(undo.SavedPoints);
  const int32_t savedLeft = undo.SavedLeftLocator;
  const int32_t savedRight = undo.SavedRightLocator;
  RecordWholeAudio(doc, std::move(doc.SampleStream));
  ReplaceWholeAudio(doc, std::move(saved));
  const bool restoresLocators = undo.Kind == UndoKind::Crop;
  if (undo.Kind == UndoKind::PasteKeep) RestorePoints(doc, savedPoints);
  if (undo.Kind != UndoKind::PasteKeep) doc.RescanPending = true;
  if (restoresLocators) {
    doc.LeftLocatorPos = std::clamp(savedLeft, 0, doc.DataLength);
    doc.RightLocatorPos = std::clamp(savedRight, doc.LeftLocatorPos, doc.DataLength);
  } else {
    doc.LeftLocatorPos = 0;
    doc.LeftLocatorSegment = 1;
  }
  EditOutcome outcome =
      WholeAudioReplaced(restoresLocators ? LocatorButtons::FromPositions : LocatorButtons::AtEnds);
  outcome.UndoAvailable = true;
  outcome.ZoomOneToOne = true;
  outcome.PlayBufferRewritten = RefreshPlayBuffer(doc, 0, doc.DataLength);
  return outcome;
}

}  // namespace

EditOutcome UndoLastOperation(Document& doc, bool addAtCurrentLength) {
  switch (doc.Undo.Kind) {
    case UndoKind::None:
      return {};
    case UndoKind::Kill:
      return PutBackPoint(doc, addAtCurrentLength);
    case UndoKind::Add:
      return RemoveAddedPoint(doc);
    case UndoKind::Edit:
      return MovePointBack(doc);
    case UndoKind::Enable:
      return RestoreFlag(doc, &SlicePoint::Enabled, false, UndoKind::Disable);
    case UndoKind::Disable:
      return RestoreFlag(doc, &SlicePoint::Enabled, true, UndoKind::Enable);
    case UndoKind::Unlock:
      return RestoreFlag(doc, &SlicePoint::Locked, true, UndoKind::Lock);
    case UndoKind::Lock:
      return RestoreFlag(doc, &SlicePoint::Locked, false, UndoKind::Unlock);
    case UndoKind::Reverse:
    case UndoKind::Silence:
    case UndoKind::PasteSegment:
    case UndoKind::PasteKeep:
    case UndoKind::PasteNew:
    case UndoKind::Crop:
      break;
  }
  if (doc.Undo.UndoLength <= 0) return {};
  return IsWholeAudioKind(doc.Undo.Kind) ? SwapWholeAudio(doc) : SwapSegmentBytes(doc);
}

}  // namespace slicewright
