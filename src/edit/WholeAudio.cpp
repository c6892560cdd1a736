#include "edit/WholeAudio.h"

#include <utility>

#include "edit/PointTable.h"

namespace slicewright {

void ReplaceWholeAudio(Document& doc, std::vector<uint8_t> bytes) {
  doc.SampleStream = std::move(bytes);
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.SamplesReplaced();
  DropPointsPastEnd(doc);
  doc.RightLocatorPos = doc.DataLength;
  if (doc.LeftLocatorPos >= doc.DataLength) doc.LeftLocatorPos = 0;
  doc.ViewWholeFile();
  doc.PlayBufferStale = true;
  doc.WaveImageStale = true;
}

EditOutcome WholeAudioReplaced(LocatorButtons buttons) {
  EditOutcome outcome;
  outcome.Changed = true;
  outcome.StopPlayback = true;
  outcome.ClearDragState = true;
  outcome.Refresh = true;
  outcome.DeriveLocatorSegments = true;
  outcome.Buttons = buttons;
  return outcome;
}

}  // namespace slicewright
