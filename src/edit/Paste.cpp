#include "edit/Paste.h"

#include <algorithm>
#include <vector>

#include "edit/AudioUndo.h"
#include "edit/WholeAudio.h"
#include "export/ClipboardImage.h"

namespace slicewright {
namespace {

// The audio found in a clipboard block, in whole samples.
std::span<const uint8_t> WholeSamples(const WaveDataLocation& location) {
  return location.Data.first(location.Data.size() / BytesPerSample * BytesPerSample);
}

EditOutcome PasteWhole(Document& doc, std::span<const uint8_t> block, UndoKind kind) {
  const std::span<const uint8_t> clip = WholeSamples(FindWaveData(block));
  if (clip.empty()) {
    SetUndoKindWithoutBytes(doc, kind);
    EditOutcome outcome;
    outcome.StopPlayback = true;
    return outcome;
  }
  SaveWholeAudioUndo(doc, kind);
  ReplaceWholeAudio(doc, std::vector<uint8_t>(clip.begin(), clip.end()));
  if (kind == UndoKind::PasteNew) doc.RescanPending = true;
  EditOutcome outcome = WholeAudioReplaced(LocatorButtons::FromPositions);
  outcome.UndoAvailable = true;
  return outcome;
}

}  // namespace

EditOutcome PasteAllAndKeep(Document& doc, std::span<const uint8_t> block) {
  return PasteWhole(doc, block, UndoKind::PasteKeep);
}

EditOutcome PasteAllAndFindNew(Document& doc, std::span<const uint8_t> block) {
  return PasteWhole(doc, block, UndoKind::PasteNew);
}

EditOutcome PasteIntoSegment(Document& doc, std::span<const uint8_t> block, int32_t start, int32_t length) {
  const WaveDataLocation location = FindWaveData(block);
  start = std::clamp(start, 0, doc.DataLength);
  length = std::clamp(length, 0, doc.DataLength - start);
  if (!location.Found) {
    SetUndoKindWithoutBytes(doc, UndoKind::PasteSegment);
    return {};
  }
  const std::span<const uint8_t> clip = WholeSamples(location);
  SaveUndoBytes(doc, UndoKind::PasteSegment, start, length);
  const auto target = doc.SampleStream.begin() + start;
  const size_t copied = std::min<size_t>(clip.size(), static_cast<size_t>(length));
  std::copy(clip.begin(), clip.begin() + copied, target);
  std::fill(target + copied, target + length, uint8_t{0});
  return SamplesChangedInPlace(doc, start, length);
}

}  // namespace slicewright
