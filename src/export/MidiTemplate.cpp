#include "export/MidiTemplate.h"

#include "document/Rounding.h"
#include "export/ByteWriter.h"
#include "export/ExportMessages.h"
#include "export/FileSave.h"
#include "export/RegionSlices.h"

namespace slicewright {
namespace {

constexpr uint8_t kVelocity = 96;
// Ticks of the region: 512 a bar of 4/4, 128 a beat.
constexpr long double kTicksPerBar = 4.0L * TemplateDivision;
constexpr long double kMaxTempoField = 0xFFFFFF;  // microseconds per quarter note

void AppendFixedEvents(std::vector<uint8_t>& track, uint32_t tempo, bool aweFilter) {
  const uint8_t head[] = {0x00,
                          0xFF,
                          0x03,
                          0x07,
                          'W',
                          'r',
                          'i',
                          'g',
                          'h',
                          't',
                          's',
                          0x00,
                          0xFF,
                          0x58,
                          0x04,
                          0x04,
                          0x02,
                          0x18,
                          0x08,
                          0x00,
                          0xFF,
                          0x51,
                          0x03,
                          static_cast<uint8_t>(tempo >> 16),
                          static_cast<uint8_t>(tempo >> 8),
                          static_cast<uint8_t>(tempo)};
  track.insert(track.end(), std::begin(head), std::end(head));
  if (aweFilter) {
    // NRPN select of the AWE filter: controller 99 = 127, then 98 = 21.
    const uint8_t awe[] = {0x00, 0xB0, 0x63, 0x7F, 0x00, 0xB0, 0x62, 0x15};
    track.insert(track.end(), std::begin(awe), std::end(awe));
  }
}

}  // namespace

void WriteVarLength(std::vector<uint8_t>& track, uint32_t value) {
  uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) track.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
  track.push_back(groups[0]);
}

void WriteNoteEvent(std::vector<uint8_t>& track, uint32_t delta, bool on, uint8_t key) {
  WriteVarLength(track, delta);
  track.push_back(on ? 0x90 : 0x80);
  track.push_back(key);
  track.push_back(kVelocity);
}

TemplateBuild BuildMidiTemplate(const Document& doc, const MidiTemplateSettings& settings) {
  TemplateBuild build;
  if ((doc.LoopBars == 0 && doc.LoopBeats == 0) || !(doc.LoopBpm > 0.0)) {
    build.refusal = TemplateRefusal::NoTempo;
    return build;
  }
  const std::vector<ByteRange> slices = RegionSlices(doc);
  const int32_t left = slices.front().start;
  const int64_t regionBytes = int64_t{slices.back().start} + slices.back().length - left;
  if (regionBytes <= 0) {
    build.refusal = TemplateRefusal::EmptyRegion;
    return build;
  }
  const long double tempo =
      static_cast<long double>(RoundHalfEven64(60000000.0L / static_cast<long double>(doc.LoopBpm)));
  if (tempo > kMaxTempoField || tempo < 1) {
    // A tempo of 0 microseconds per quarter would make the file unplayable.
    build.refusal = tempo < 1 ? TemplateRefusal::TempoTooFast : TemplateRefusal::TempoTooSlow;
    return build;
  }
  // The slices after the first start at the active points inside the region.
  std::vector<int32_t> interior;
  for (size_t i = 1; i < slices.size(); ++i) interior.push_back(slices[i].start);
  const auto sliceCount = static_cast<int32_t>(slices.size());
  if (!RangeCheck(settings.keys, sliceCount)) {
    build.refusal = TemplateRefusal::KeysExceeded;
    return build;
  }

  const long double q = (doc.LoopBars + doc.LoopBeats * 0.25L) * kTicksPerBar;
  // Every boundary is rounded from its own position, so no error accumulates.
  const auto tick = [&](int32_t p) {
    return RoundHalfEven64(q * static_cast<long double>(int64_t{p} - left) /
                           static_cast<long double>(regionBytes));
  };
  const int64_t endTick = RoundHalfEven64(q);
  const auto key = [&](int32_t n) { return static_cast<uint8_t>(SlotKey(settings.keys, n)); };

  std::vector<uint8_t> track;
  AppendFixedEvents(track, static_cast<uint32_t>(tempo), settings.aweFilter);
  if (!settings.reverse) {
    int32_t n = 1;
    int64_t prev = 0;
    WriteNoteEvent(track, 0, true, key(n));
    for (const int32_t p : interior) {
      const int64_t t = tick(p);
      WriteNoteEvent(track, static_cast<uint32_t>(t - prev), false, key(n));
      WriteNoteEvent(track, 0, true, key(++n));
      prev = t;
    }
    WriteNoteEvent(track, static_cast<uint32_t>(endTick - prev), false, key(n));
  } else {
    int32_t n = sliceCount;
    int64_t prev = endTick;
    WriteNoteEvent(track, 0, true, key(n));
    for (auto it = interior.rbegin(); it != interior.rend(); ++it) {
      const int64_t t = tick(*it);
      WriteNoteEvent(track, static_cast<uint32_t>(prev - t), false, key(n));
      WriteNoteEvent(track, 0, true, key(--n));
      prev = t;
    }
    WriteNoteEvent(track, static_cast<uint32_t>(prev), false, key(n));
  }
  const uint8_t endOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
  track.insert(track.end(), std::begin(endOfTrack), std::end(endOfTrack));

  ByteWriter out;
  out.Text("MThd");
  out.U32BE(6);
  out.U16BE(0);  // format 0
  out.U16BE(1);  // one track
  out.U16BE(TemplateDivision);
  out.Text("MTrk");
  out.U32BE(static_cast<uint32_t>(track.size()));
  out.Append(track.data(), track.size());
  build.bytes = out.Take();
  return build;
}

const char* TemplateRefusalMessage(TemplateRefusal refusal) {
  switch (refusal) {
    case TemplateRefusal::NoTempo:
      return messages::kTemplateNeedsTempo;
    case TemplateRefusal::EmptyRegion:
      return messages::kTemplateNeedsRegion;
    case TemplateRefusal::TempoTooSlow:
      return messages::kTemplateTempoTooSlow;
    case TemplateRefusal::TempoTooFast:
      return messages::kTemplateTempoTooFast;
    case TemplateRefusal::KeysExceeded:
      return messages::kKeysExceeded;
    case TemplateRefusal::None:
      break;
  }
  return "";
}

TemplateSaveResult WriteMidiTemplate(const Document& doc, const MidiTemplateSettings& settings,
                                     const std::string& fileName, TemplateRefusal& refusal) {
  const TemplateBuild build = BuildMidiTemplate(doc, settings);
  refusal = build.refusal;
  if (build.refusal != TemplateRefusal::None) return TemplateSaveResult::Refused;
  return SaveFileReplacing(fileName, build.bytes) ? TemplateSaveResult::Saved
                                                  : TemplateSaveResult::SaveFailed;
}

}  // namespace slicewright
