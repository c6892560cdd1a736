#include "edit/AudioUndo.h"

#include <algorithm>

namespace slicewright {

void SaveUndoBytes(Document& doc, UndoKind kind, int32_t start, int32_t length) {
  const auto first = doc.SampleStream.begin() + start;
  doc.Undo.Kind = kind;
  doc.Undo.UndoStream.assign(first, first + length);
  doc.Undo.UndoStart = start;
  doc.Undo.UndoLength = length;
  doc.Undo.SavedPoints.clear();
}

void SaveWholeAudioUndo(Document& doc, UndoKind kind) {
  doc.Undo.Kind = kind;
  // The audio is replaced next: moving it, after freeing the older record,
  // keeps a long file's edit from holding three copies at once.
  std::vector<uint8_t>().swap(doc.Undo.UndoStream);
  RecordWholeAudio(doc, std::move(doc.SampleStream));
}

void RecordWholeAudio(Document& doc, std::vector<uint8_t> audio) {
  UndoRecord& undo = doc.Undo;
  undo.UndoStart = 0;
  undo.UndoLength = static_cast<int32_t>(audio.size());
  undo.UndoStream = std::move(audio);
  const auto points = doc.SlicePoints.begin() + 1;
  undo.SavedPoints.assign(points, points + doc.SlicePointCount);
  undo.SavedLeftLocator = doc.LeftLocatorPos;
  undo.SavedRightLocator = doc.RightLocatorPos;
}

void SetUndoKindWithoutBytes(Document& doc, UndoKind kind) {
  doc.Undo.Kind = kind;
  doc.Undo.UndoStream.clear();
  doc.Undo.UndoLength = 0;
  doc.Undo.SavedPoints.clear();
}

EditOutcome SamplesChangedInPlace(Document& doc, int32_t start, int32_t length) {
  doc.SamplesChanged(start, length);
  doc.WaveImageStale = true;
  EditOutcome outcome;
  outcome.Changed = true;
  outcome.UndoAvailable = true;
  outcome.Refresh = true;
  outcome.PlayBufferRewritten = RefreshPlayBuffer(doc, start, length);
  return outcome;
}

bool RefreshPlayBuffer(Document& doc, int32_t start, int32_t length) {
  const int64_t bufferStart = doc.PlayBufferStart;
  const int64_t bufferEnd = bufferStart + doc.PlayBufferLength;
  const int64_t changeEnd = int64_t{start} + std::max(length, 1);
  if (doc.PlayBufferLength <= 0 || changeEnd <= bufferStart || start >= bufferEnd) return false;
  if (bufferStart < 0 || bufferStart >= doc.DataLength) return false;
  const int64_t count = std::min<int64_t>(
      {doc.PlayBufferLength, doc.DataLength - bufferStart, static_cast<int64_t>(doc.PlayBuffer.size())});
  const auto first = doc.SampleStream.begin() + bufferStart;
  std::copy(first, first + count, doc.PlayBuffer.begin());
  return true;
}

}  // namespace slicewright
