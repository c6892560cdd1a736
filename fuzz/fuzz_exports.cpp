// A short loop exported in every way the export command offers, with the
// command's options taken from the input; each file is checked for the
// structure its readers rely on.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "OutputChecks.h"
#include "detect/LoopTempo.h"
#include "export/MidiTemplate.h"
#include "export/RegionSlices.h"
#include "export/SoundFontWriter.h"
#include "export/WaveImage.h"

using namespace slicewright;

namespace {

constexpr int32_t kRates[] = {8000, 11025, 22050, 44100, 48000, 96000, 176400, 192000};

// Key settings as the dialogs leave them: white keys run from the C of the
// chosen octave.
KeyMapping Keys(FuzzedDataProvider& input, int32_t intervalStep) {
  KeyMapping keys;
  keys.baseKey = input.ConsumeIntegralInRange(0, 127);
  keys.interval = intervalStep * input.ConsumeIntegralInRange(0, 12 / intervalStep);
  keys.whiteKeys = input.ConsumeBool();
  if (keys.whiteKeys) {
    keys.baseKey -= keys.baseKey % 12;
    keys.interval = 0;
  }
  return keys;
}

std::span<const uint8_t> Audio(const Document& doc, int32_t start, int32_t length) {
  return std::span(doc.SampleStream).subspan(static_cast<size_t>(start), static_cast<size_t>(length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  // The options come from the end of the input (the bank name from its start);
  // the audio is what is left.
  const int32_t rate =
      input.ConsumeBool() ? input.PickValueInArray(kRates) : input.ConsumeIntegralInRange<int32_t>(1, 768000);
  const int32_t threshold = input.ConsumeIntegralInRange<int32_t>(-65536, 65536);
  const auto leftPick = input.ConsumeIntegral<uint16_t>();
  const auto rightPick = input.ConsumeIntegral<uint16_t>();
  const auto bars = input.ConsumeIntegral<uint16_t>();
  const auto beats = input.ConsumeIntegral<uint16_t>();
  SoundFontSettings font;
  font.keys = Keys(input, 2);
  font.smoothEnds = input.ConsumeBool();
  font.bankName = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, 40));
  MidiTemplateSettings midi;
  midi.keys = Keys(input, 1);
  midi.reverse = input.ConsumeBool();
  midi.aweFilter = input.ConsumeBool();
  Document doc = fuzz::ScannedDocument(input.ConsumeRemainingBytes<uint8_t>(), rate, threshold);

  // The locators on segment bounds, L's segment not after R's, as the export
  // command places them.
  const int32_t last = doc.SegmentCount();
  doc.LeftLocatorSegment = 1 + leftPick % last;
  doc.RightLocatorSegment = doc.LeftLocatorSegment + rightPick % (last - doc.LeftLocatorSegment + 1);
  doc.LeftLocatorPos = doc.SegmentStart(doc.LeftLocatorSegment);
  doc.RightLocatorPos = doc.SegmentEnd(doc.RightLocatorSegment);
  UpdateLoopTempo(doc, std::to_string(bars), std::to_string(beats));
  fuzz::CheckDocument(doc);

  // The slices cover the region from L to R without gap or overlap.
  const std::vector<ByteRange> slices = RegionSlices(doc);
  FUZZ_CHECK(!slices.empty());
  int32_t at = doc.LeftLocatorPos;
  for (const ByteRange& slice : slices) {
    FUZZ_CHECK(slice.start == at && slice.length >= 0 && slice.start + slice.length <= doc.RightLocatorPos);
    at += slice.length;
    fuzz::CheckWave(BuildWaveImage(doc, slice.start, slice.length), Audio(doc, slice.start, slice.length));
  }
  FUZZ_CHECK(at == doc.RightLocatorPos);
  const int32_t regionLength = doc.RightLocatorPos - doc.LeftLocatorPos;
  fuzz::CheckWave(BuildWaveImage(doc, doc.LeftLocatorPos, regionLength),
                  Audio(doc, doc.LeftLocatorPos, regionLength));

  if (const auto bank = BuildSoundFont(doc, font, CalendarDate{2024, 2, 29})) {
    FUZZ_CHECK(fuzz::CheckSoundFont(*bank) == slices.size());
  }
  const TemplateBuild midiFile = BuildMidiTemplate(doc, midi);
  if (midiFile.refusal == TemplateRefusal::None) {
    // One note a slice, together as long as the loop's bars and beats.
    const fuzz::MidiTrack track = fuzz::CheckMidi(midiFile.bytes);
    FUZZ_CHECK(track.notes == slices.size());
    FUZZ_CHECK(track.ticks == 4u * TemplateDivision * doc.LoopBars + 1u * TemplateDivision * doc.LoopBeats);
  }
  return 0;
}
