// A clipboard block from another program pasted into a loaded loop in each of
// the three ways, undone, redone and scanned again.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "edit/Paste.h"
#include "edit/Undo.h"
#include "view/LocatorSegments.h"

using namespace slicewright;

namespace {

// A quarter second of decaying noise bursts, scanned with about half the
// points active, the loop from the second segment to the last but one, and the
// loop in the play buffer as playback leaves it.
Document LoadedLoop() {
  constexpr int32_t kSamples = 11025;
  constexpr int32_t kSpacing = 1378;
  std::vector<uint8_t> pcm;
  uint32_t seed = 1;
  for (int32_t i = 0; i < kSamples; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed >> 16) - 32768.0;
    const auto sample = static_cast<uint16_t>(std::lround(0.8 * noise * std::exp(-(i % kSpacing) / 150.0)));
    pcm.push_back(static_cast<uint8_t>(sample & 0xFF));
    pcm.push_back(static_cast<uint8_t>(sample >> 8));
  }
  Document doc = fuzz::ScannedDocument(std::move(pcm), 44100, 0);
  int64_t strengths = 0;
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) strengths += doc.SlicePoints[k].Strength;
  doc.Threshold = static_cast<int32_t>(strengths / std::max(1, doc.SlicePointCount));
  DetectSlicePoints(doc, fuzz::kViewWidth);
  const int32_t last = doc.SegmentCount();
  doc.LeftLocatorPos = doc.SegmentStart(std::min(2, last));
  doc.RightLocatorPos = std::max(doc.LeftLocatorPos, doc.SegmentEnd(std::max(1, last - 1)));
  DeriveLocatorSegments(doc);
  doc.PlayBuffer.assign(doc.SampleStream.begin() + doc.LeftLocatorPos,
                        doc.SampleStream.begin() + doc.RightLocatorPos);
  doc.PlayBufferStart = doc.LeftLocatorPos;
  doc.PlayBufferLength = doc.RightLocatorPos - doc.LeftLocatorPos;
  return doc;
}

// The window's part of an edit: the refresh and the locator re-derivation.
void Finish(Document& doc, const EditOutcome& outcome) {
  if (outcome.Refresh || outcome.ZoomOneToOne) DetectSlicePoints(doc, fuzz::kViewWidth);
  if (outcome.DeriveLocatorSegments) DeriveLocatorSegments(doc);
  fuzz::CheckDocument(doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Document loop = LoadedLoop();
  FuzzedDataProvider input(data, size);
  // The last bytes give the segment pasted into, reaching a little past both ends.
  const int32_t start = input.ConsumeIntegralInRange<int32_t>(-16, loop.DataLength + 16);
  const int32_t length = input.ConsumeIntegralInRange<int32_t>(-16, loop.DataLength + 16);
  const std::vector<uint8_t> block = input.ConsumeRemainingBytes<uint8_t>();
  const auto paste = [&](Document& doc, int kind) {
    if (kind == 0) return PasteAllAndKeep(doc, block);
    if (kind == 1) return PasteAllAndFindNew(doc, block);
    return PasteIntoSegment(doc, block, start, length);
  };
  for (int kind = 0; kind < 3; ++kind) {
    Document doc = loop;
    Finish(doc, paste(doc, kind));
    const std::vector<uint8_t> pasted = doc.SampleStream;
    Finish(doc, UndoLastOperation(doc, false));
    FUZZ_CHECK(doc.SampleStream == loop.SampleStream);
    Finish(doc, UndoLastOperation(doc, false));
    FUZZ_CHECK(doc.SampleStream == pasted);
    doc.RescanPending = true;
    DetectSlicePoints(doc, fuzz::kViewWidth);
    fuzz::CheckDocument(doc);
  }
  return 0;
}
