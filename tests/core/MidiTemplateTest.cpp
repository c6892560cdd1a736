#include <gtest/gtest.h>

#include <algorithm>

#include "detect/LoopTempo.h"
#include "export/MidiTemplate.h"

namespace slicewright {
namespace {

// A 2-second region at 44.1 kHz cut into equal slices; 1 bar is 120 BPM.
Document LoopOf(int32_t slices, const std::string& bars = "1", const std::string& beats = "0") {
  Document doc;
  doc.SampleRate = 44100;
  doc.DataLength = 176400 + 4000;
  doc.SampleStream.resize(static_cast<size_t>(doc.DataLength));
  // A point at 4000 bytes, where L sits, then slices - 1 points inside the region.
  doc.ActivePointCount = slices;
  doc.ActivePoints[0].Position = 0;
  doc.ActivePoints[1].Position = 4000;
  for (int32_t k = 1; k < slices; ++k) doc.ActivePoints[k + 1].Position = 4000 + 176400 / slices / 2 * 2 * k;
  doc.ActivePoints[slices + 1].Position = doc.DataLength;
  doc.LeftLocatorPos = 4000;
  doc.RightLocatorPos = doc.DataLength;
  UpdateLoopTempo(doc, bars, beats);
  return doc;
}

std::vector<uint8_t> VarLength(uint32_t value) {
  std::vector<uint8_t> out;
  WriteVarLength(out, value);
  return out;
}

// Note events after the fixed events, as (delta, status, key) triples.
struct Note {
  uint32_t delta;
  uint8_t status;
  uint8_t key;
  bool operator==(const Note&) const = default;
};

std::vector<Note> Notes(const std::vector<uint8_t>& file, size_t first) {
  std::vector<Note> notes;
  size_t at = first;
  while (at + 4 < file.size()) {
    uint32_t delta = 0;
    while (file[at] & 0x80) delta = (delta << 7) | (file[at++] & 0x7F);
    delta = (delta << 7) | file[at++];
    if (file[at] == 0xFF) break;
    EXPECT_EQ(file[at + 2], 96);
    notes.push_back({delta, file[at], file[at + 1]});
    at += 3;
  }
  return notes;
}

TEST(MidiTemplate, VariableLengthQuantities) {
  EXPECT_EQ(VarLength(0), (std::vector<uint8_t>{0x00}));
  EXPECT_EQ(VarLength(127), (std::vector<uint8_t>{0x7F}));
  EXPECT_EQ(VarLength(128), (std::vector<uint8_t>{0x81, 0x00}));
  EXPECT_EQ(VarLength(171), (std::vector<uint8_t>{0x81, 0x2B}));
  EXPECT_EQ(VarLength(512), (std::vector<uint8_t>{0x84, 0x00}));
  EXPECT_EQ(VarLength(0x3FFF), (std::vector<uint8_t>{0xFF, 0x7F}));
  EXPECT_EQ(VarLength(0x4000), (std::vector<uint8_t>{0x81, 0x80, 0x00}));
  EXPECT_EQ(VarLength(0x0FFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiTemplate, ThreeEqualSlicesAtOneBarOf120Bpm) {
  const Document doc = LoopOf(3);
  const TemplateBuild build = BuildMidiTemplate(doc, {});
  ASSERT_EQ(build.refusal, TemplateRefusal::None);
  const std::vector<uint8_t> head{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x80, 'M', 'T', 'r', 'k'};
  ASSERT_GT(build.bytes.size(), 48u);
  EXPECT_EQ(std::vector<uint8_t>(build.bytes.begin(), build.bytes.begin() + 18), head);
  const std::vector<uint8_t> fixed{0x00, 0xFF, 0x03, 0x07, 'W',  'r',  'i',  'g',  'h',
                                   't',  's',  0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18,
                                   0x08, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
  EXPECT_EQ(std::vector<uint8_t>(build.bytes.begin() + 22, build.bytes.begin() + 48), fixed);
  const uint32_t trackLength =
      build.bytes[18] << 24 | build.bytes[19] << 16 | build.bytes[20] << 8 | build.bytes[21];
  EXPECT_EQ(trackLength, build.bytes.size() - 22);
  EXPECT_EQ(std::vector<uint8_t>(build.bytes.end() - 4, build.bytes.end()),
            (std::vector<uint8_t>{0, 0xFF, 0x2F, 0}));
  // 171 (81 2B), then round(1024/3) - 171 = 170, then 512 - 341 = 171.
  EXPECT_EQ(std::vector<uint8_t>(build.bytes.begin() + 48, build.bytes.begin() + 57),
            (std::vector<uint8_t>{0x00, 0x90, 48, 96, 0x81, 0x2B, 0x80, 48, 96}));
  EXPECT_EQ(
      Notes(build.bytes, 48),
      (std::vector<Note>{
          {0, 0x90, 48}, {171, 0x80, 48}, {0, 0x90, 49}, {170, 0x80, 49}, {0, 0x90, 50}, {171, 0x80, 50}}));
}

// Coinciding points give an empty slice: it keeps its key, as a note of no length.
TEST(MidiTemplate, AnEmptySliceIsANoteOfNoLength) {
  Document doc = LoopOf(3);
  doc.ActivePoints[3].Position = doc.ActivePoints[2].Position;
  const TemplateBuild build = BuildMidiTemplate(doc, {});
  ASSERT_EQ(build.refusal, TemplateRefusal::None);
  EXPECT_EQ(
      Notes(build.bytes, 48),
      (std::vector<Note>{
          {0, 0x90, 48}, {171, 0x80, 48}, {0, 0x90, 49}, {0, 0x80, 49}, {0, 0x90, 50}, {341, 0x80, 50}}));
}

TEST(MidiTemplate, ReverseOrderPlaysTheLastSliceFirst) {
  Document doc = LoopOf(3);
  doc.ActivePoints[2].Position = 4000 + 20000;  // unequal slices: 20000, 97600, 58800 bytes
  MidiTemplateSettings settings;
  settings.reverse = true;
  const auto notes = Notes(BuildMidiTemplate(doc, settings).bytes, 48);
  // Ticks: 58 at 20000 bytes, 341 at 117600, 512 at the end.
  EXPECT_EQ(
      notes,
      (std::vector<Note>{
          {0, 0x90, 50}, {171, 0x80, 50}, {0, 0x90, 49}, {283, 0x80, 49}, {0, 0x90, 48}, {58, 0x80, 48}}));

  settings.keys = {48, 2, false};
  doc = LoopOf(4);
  std::vector<uint8_t> keys;
  for (const Note& n : Notes(BuildMidiTemplate(doc, settings).bytes, 48)) {
    if (n.status == 0x90) keys.push_back(n.key);
  }
  EXPECT_EQ(keys, (std::vector<uint8_t>{57, 54, 51, 48}));
}

TEST(MidiTemplate, WhiteKeysForwardAndReverse) {
  const Document doc = LoopOf(8);
  MidiTemplateSettings settings;
  settings.keys = {48, 0, true};
  for (const bool reverse : {false, true}) {
    settings.reverse = reverse;
    std::vector<uint8_t> keys;
    uint32_t ticks = 0;
    for (const Note& n : Notes(BuildMidiTemplate(doc, settings).bytes, 48)) {
      ticks += n.delta;
      if (n.status == 0x90) keys.push_back(n.key);
    }
    std::vector<uint8_t> expected{48, 50, 52, 53, 55, 57, 59, 60};
    if (reverse) std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(ticks, 512u);
  }
}

TEST(MidiTemplate, AweFilterPairAndSingleSlice) {
  const Document doc = LoopOf(1, "2", "1");  // 9 beats: Q = 1152 ticks
  MidiTemplateSettings settings;
  settings.aweFilter = true;
  const auto bytes = BuildMidiTemplate(doc, settings).bytes;
  const auto plain = BuildMidiTemplate(doc, {}).bytes;
  EXPECT_EQ(bytes.size(), plain.size() + 8);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 48, bytes.begin() + 56),
            (std::vector<uint8_t>{0x00, 0xB0, 0x63, 0x7F, 0x00, 0xB0, 0x62, 0x15}));
  EXPECT_EQ(Notes(bytes, 56), (std::vector<Note>{{0, 0x90, 48}, {1152, 0x80, 48}}));
  EXPECT_EQ(bytes[21], plain[21] + 8);
}

TEST(MidiTemplate, RoundingIsFromAbsolutePositionsHalvesToEven) {
  Document doc = LoopOf(2, "0", "1");             // Q = 128 ticks over 176400 bytes
  doc.ActivePoints[2].Position = 4000 + 689 * 2;  // 1378 bytes: 128 * 1378 / 176400 = 0.99994
  EXPECT_EQ(Notes(BuildMidiTemplate(doc, {}).bytes, 48)[1].delta, 1u);
  doc.RightLocatorPos = 4000 + 512;         // now 4 bytes a tick
  doc.ActivePoints[2].Position = 4000 + 2;  // exactly half a tick: rounds to 0
  const auto notes = Notes(BuildMidiTemplate(doc, {}).bytes, 48);
  EXPECT_EQ(notes[1].delta, 0u);
  doc.ActivePoints[2].Position = 4000 + 6;  // 1.5 ticks: rounds to 2
  EXPECT_EQ(Notes(BuildMidiTemplate(doc, {}).bytes, 48)[1].delta, 2u);
}

TEST(MidiTemplate, RefusesWithoutTempoRegionOrKeys) {
  EXPECT_EQ(BuildMidiTemplate(LoopOf(3, "0", "0"), {}).refusal, TemplateRefusal::NoTempo);
  Document stale = LoopOf(3);
  stale.LoopBpm = 0.0;
  EXPECT_EQ(BuildMidiTemplate(stale, {}).refusal, TemplateRefusal::NoTempo);

  Document empty = LoopOf(3);
  empty.RightLocatorPos = empty.LeftLocatorPos;
  const TemplateBuild refused = BuildMidiTemplate(empty, {});
  EXPECT_EQ(refused.refusal, TemplateRefusal::EmptyRegion);
  EXPECT_TRUE(refused.bytes.empty());

  Document slow = LoopOf(1);
  slow.LoopBpm = 60000000.0 / 0x1000000;  // one microsecond per quarter too many
  EXPECT_EQ(BuildMidiTemplate(slow, {}).refusal, TemplateRefusal::TempoTooSlow);
  slow.LoopBpm = 60000000.0 / 0xFFFFFF;
  EXPECT_EQ(BuildMidiTemplate(slow, {}).refusal, TemplateRefusal::None);
  Document fast = LoopOf(1);
  fast.LoopBpm = 60000000.0 / 0.49;  // rounds to no microseconds per quarter
  EXPECT_EQ(BuildMidiTemplate(fast, {}).refusal, TemplateRefusal::TempoTooFast);
  fast.LoopBpm = 60000000.0 / 0.5;  // a half rounds to even: still none
  EXPECT_EQ(BuildMidiTemplate(fast, {}).refusal, TemplateRefusal::TempoTooFast);
  fast.LoopBpm = 60000000.0 / 0.51;
  EXPECT_EQ(BuildMidiTemplate(fast, {}).refusal, TemplateRefusal::None);

  MidiTemplateSettings high;
  high.keys.baseKey = 124;
  EXPECT_EQ(BuildMidiTemplate(LoopOf(3), high).refusal, TemplateRefusal::None);
  EXPECT_EQ(BuildMidiTemplate(LoopOf(4), high).refusal, TemplateRefusal::KeysExceeded);
  EXPECT_STRNE(TemplateRefusalMessage(TemplateRefusal::EmptyRegion), "");
}

}  // namespace
}  // namespace slicewright
