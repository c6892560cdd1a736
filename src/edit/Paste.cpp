#include "edit/Paste.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "edit/AudioUndo.h"
#include "edit/UndoKinds.h"
#include "edit/WholeAudio.h"
#include "export/ClipboardImage.h"

namespace slicewright {
namespace {

// The audio found in a clipboard block, in whole samples.
std::span<const uint8_t> WholeSamples(const WaveDataLocation& location) {
  return location.Data.first(location.Data.size() / BytesPerSample * BytesPerSample);
}

EditOutcome PasteWhole(Document& doc, std::span<const uint8_t> block, std::string_view kind) {
  const std::span<const uint8_t> clip = WholeSamples(FindWaveData(block));
  if (clip.empty()) {
    SetUndoKindWithoutBytes(doc, kind);
    EditOutcome outcome;
    outcome.StopPlayback = true;
    return outcome;
  }
  SaveUndoBytes(doc, kind, 0, doc.DataLength);
  ReplaceWholeAudio(doc, std::vector<uint8_t>(clip.begin(), clip.end()));
  if (kind == undo_kind::PasteNew) doc.RescanPending = true;
  EditOutcome outcome = WholeAudioReplaced(LocatorButtons::FromPositions);
  outcome.UndoAvailable = true;
  return outcome;
}

}  // namespace

EditOutcome PasteAllAndKeep(Document& doc, std::span<const uint8_t> block) {
  return PasteWhole(doc, block, undo_kind::PasteKeep);
}

EditOutcome PasteAllAndFindNew(Document& doc, std::span<const uint8_t> block) {
  return PasteWhole(doc, block, undo_kind::PasteNew);
}

EditOutcome PasteIntoSegment(Document& doc, std::span<const uint8_t> block, int32_t start, int32_t length) {
  const WaveDataLocation location = FindWaveData(block);
  start = std::clamp(start, 0, doc.DataLength);
  length = std::clamp(length, 0, doc.DataLength - start);
  if (!location.Found) {
    SetUndoKindWithoutBytes(doc, undo_kind::PasteSegment);
    return {};
  }
  const std::span<const uint8_t> clip = WholeSamples(location);
  SaveUndoBytes(doc, undo_kind::PasteSegment, start, length);
  const auto target = doc.SampleStream.begin() + start;
  const size_t copied = std::min<size_t>(clip.size(), static_cast<size_t>(length));
  std::copy(clip.begin(), clip.begin() + copied, target);
  std::fill(target + copied, target + length, uint8_t{0});
  doc.WaveImageStale = true;
  EditOutcome outcome;
  outcome.Changed = true;
  outcome.UndoAvailable = true;
  outcome.Refresh = true;
  outcome.PlayBufferRewritten = RefreshPlayBuffer(doc, start, length);
  return outcome;
}

}  // namespace slicewright
