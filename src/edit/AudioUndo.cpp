#include "edit/AudioUndo.h"

#include <algorithm>
#include <string>

namespace slicewright {

void SaveUndoBytes(Document& doc, std::string_view kind, int32_t start, int32_t length) {
  const auto first = doc.SampleStream.begin() + start;
  doc.Undo.UndoKind = std::string(kind);
  doc.Undo.UndoStream.assign(first, first + length);
  doc.Undo.UndoStart = start;
  doc.Undo.UndoLength = length;
}

void SetUndoKindWithoutBytes(Document& doc, std::string_view kind) {
  doc.Undo.UndoKind = std::string(kind);
  doc.Undo.UndoStream.clear();
  doc.Undo.UndoLength = 0;
}

bool RefreshPlayBuffer(Document& doc, int32_t start, int32_t length) {
  const int64_t bufferStart = doc.PlayBufferStart;
  const int64_t bufferEnd = bufferStart + doc.PlayBufferLength;
  const int64_t changeEnd = int64_t{start} + std::max(length, 1);
  if (doc.PlayBufferLength <= 0 || changeEnd <= bufferStart || start >= bufferEnd) return false;
  if (bufferStart < 0 || bufferStart >= doc.DataLength) return false;
  const int64_t count = std::min<int64_t>({doc.PlayBufferLength, doc.DataLength - bufferStart,
                                           static_cast<int64_t>(doc.PlayBuffer.size())});
  const auto first = doc.SampleStream.begin() + bufferStart;
  std::copy(first, first + count, doc.PlayBuffer.begin());
  return true;
}

}  // namespace slicewright
