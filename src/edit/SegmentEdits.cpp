#include "edit/SegmentEdits.h"

#include <algorithm>
#include <vector>

#include "document/Rounding.h"
#include "document/Samples.h"
#include "edit/AudioUndo.h"
#include "edit/WholeAudio.h"

namespace slicewright {
namespace {

constexpr int32_t kFadeBytes = 500;
constexpr int32_t kFadeSamples = kFadeBytes / BytesPerSample;

// Reverse and Silence also mark the play buffer for refilling.
EditOutcome SamplesChanged(Document& doc, int32_t start, int32_t length) {
  doc.PlayBufferStale = true;
  return SamplesChangedInPlace(doc, start, length);
}

// The segment that holds byte p, as a byte range.
struct SegmentRange {
  int32_t Start = 0;
  int32_t End = 0;
};

SegmentRange SegmentAtByte(const Document& doc, double p) {
  const int32_t segment = doc.SegmentHolding(p);
  return {doc.SegmentStart(segment), doc.SegmentEnd(segment)};
}

}  // namespace

EditOutcome ReverseSegment(Document& doc, double p) {
  const SegmentRange segment = SegmentAtByte(doc, p);
  const int32_t length = segment.End - segment.Start;
  SaveUndoBytes(doc, UndoKind::Reverse, segment.Start, length);
  const int32_t samples = length / BytesPerSample;
  for (int32_t k = 0; k < samples; ++k) {
    const int32_t to = segment.Start + k * BytesPerSample;
    EncodeSample(&doc.SampleStream[to],
                 DecodeSample(&doc.Undo.UndoStream[length - (k + 1) * BytesPerSample]));
  }
  return SamplesChanged(doc, segment.Start, length);
}

EditOutcome SilenceSegment(Document& doc, double p) {
  const SegmentRange segment = SegmentAtByte(doc, p);
  const bool fade = segment.Start >= kFadeBytes;
  const int32_t first = fade ? segment.Start - kFadeBytes : segment.Start;
  SaveUndoBytes(doc, UndoKind::Silence, first, segment.End - first);
  if (fade) {
    for (int32_t j = 0; j < kFadeSamples; ++j) {
      const int32_t at = first + j * BytesPerSample;
      const int32_t faded =
          RoundHalfEven(doc.SampleAt(at) * static_cast<double>(kFadeSamples - 1 - j) / (kFadeSamples - 1));
      EncodeSample(&doc.SampleStream[at], static_cast<int16_t>(faded));
    }
  }
  std::fill(doc.SampleStream.begin() + segment.Start, doc.SampleStream.begin() + segment.End, uint8_t{0});
  return SamplesChanged(doc, first, segment.End - first);
}

EditOutcome CropRegion(Document& doc) {
  const int32_t left = std::clamp(doc.LeftLocatorPos, 0, doc.DataLength);
  const int32_t right = std::clamp(doc.RightLocatorPos, left, doc.DataLength);
  const int32_t length = (right - left) / BytesPerSample * BytesPerSample;
  if (length <= 0) return {};
  std::vector<uint8_t> region(doc.SampleStream.begin() + left, doc.SampleStream.begin() + left + length);
  SaveWholeAudioUndo(doc, UndoKind::Crop);
  ReplaceWholeAudio(doc, std::move(region));
  doc.LeftLocatorPos = 0;
  doc.LeftLocatorSegment = 1;
  doc.RescanPending = true;
  EditOutcome outcome = WholeAudioReplaced(LocatorButtons::AtEnds);
  outcome.UndoAvailable = true;
  return outcome;
}

}  // namespace slicewright
