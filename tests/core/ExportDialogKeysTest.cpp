#include <gtest/gtest.h>

#include "export/KeyDialogState.h"

namespace slicewright {
namespace {

KeyDialogState WithSlices(int32_t slices, int32_t interval = 0, bool whiteKeys = false) {
  KeyDialogState keys;
  keys.SetIntervalPosition(interval);
  keys.SetWhiteKeys(whiteKeys);
  keys.SetRegionPointCount(slices - 1);
  return keys;
}

TEST(ExportDialogKeys, StartsAtCOfOctaveTwoWithTheKeysOfOneSlice) {
  const KeyDialogState keys;
  EXPECT_EQ(keys.NoteLabel(), "C");
  EXPECT_EQ(keys.OctaveLabel(), "2");
  EXPECT_EQ(keys.IntervalLabel(), "0");
  EXPECT_EQ(keys.BaseKey(), 48);
  EXPECT_EQ(keys.SliceCount(), 1);
  EXPECT_TRUE(keys.KeysFit());
}

TEST(ExportDialogKeys, RangeCheckRefusesALastKeyAbove126) {
  EXPECT_TRUE(WithSlices(79).KeysFit());
  EXPECT_FALSE(WithSlices(80).KeysFit());
  // The SoundFont dialog's steps of 2: slice n at 48 + 3(n - 1).
  EXPECT_TRUE(WithSlices(27, 2).KeysFit());
  EXPECT_FALSE(WithSlices(28, 2).KeysFit());
  // The MIDI dialog's steps of 1.
  EXPECT_TRUE(WithSlices(40, 1).KeysFit());
  EXPECT_FALSE(WithSlices(41, 1).KeysFit());
  EXPECT_TRUE(WithSlices(46, 0, true).KeysFit());
  EXPECT_FALSE(WithSlices(47, 0, true).KeysFit());
}

TEST(ExportDialogKeys, PositionsStayInTheirControlsRanges) {
  KeyDialogState keys;
  keys.SetNotePosition(13);
  keys.SetOctavePosition(11);
  keys.SetIntervalPosition(-1);
  EXPECT_EQ(keys.NoteLabel(), "B");
  EXPECT_EQ(keys.OctaveLabel(), "8");
  EXPECT_EQ(keys.IntervalLabel(), "0");
  // B of the top octave position is beyond the key range even for one slice.
  EXPECT_EQ(keys.BaseKey(), 131);
  EXPECT_FALSE(keys.KeysFit());
  keys.SetOctavePosition(0);
  EXPECT_EQ(keys.OctaveLabel(), "-2");
}

TEST(ExportDialogKeys, WhiteKeysForceCAndGiveBackTheNoteAndInterval) {
  KeyDialogState keys;
  keys.SetNotePosition(5);
  keys.SetIntervalPosition(4);
  keys.SetWhiteKeys(true);
  EXPECT_EQ(keys.NoteLabel(), "C");
  EXPECT_EQ(keys.IntervalPosition(), 0);
  EXPECT_EQ(keys.BaseKey(), 48);
  // Checking a box that is already checked keeps what was put aside.
  keys.SetWhiteKeys(true);
  keys.Reset();
  keys.SetWhiteKeys(false);
  EXPECT_EQ(keys.NoteLabel(), "E");
  EXPECT_EQ(keys.IntervalPosition(), 4);
  EXPECT_EQ(keys.OctavePosition(), 4);
}

TEST(ExportDialogKeys, ResetLeavesWhiteKeysAlone) {
  KeyDialogState keys;
  keys.SetOctavePosition(7);
  keys.SetWhiteKeys(true);
  keys.Reset();
  EXPECT_TRUE(keys.WhiteKeys());
  EXPECT_EQ(keys.BaseKey(), 48);
}

TEST(ExportDialogKeys, MatchingTakesTheOtherDialogsKeysInOrder) {
  KeyDialogState midi;
  midi.SetNotePosition(4);  // D#
  midi.SetOctavePosition(3);
  midi.SetIntervalPosition(3);
  KeyDialogState font;
  font.SetNotePosition(9);
  font.SetWhiteKeys(true);
  font.MatchKeys(midi);
  EXPECT_FALSE(font.WhiteKeys());
  EXPECT_EQ(font.BaseKey(), 39);
  EXPECT_EQ(font.IntervalPosition(), 3);  // odd, taken as it is

  midi.SetWhiteKeys(true);
  midi.SetOctavePosition(5);
  font.MatchKeys(midi);
  EXPECT_TRUE(font.WhiteKeys());
  EXPECT_EQ(font.BaseKey(), 60);
  EXPECT_EQ(font.IntervalPosition(), 0);
  // Unchecking afterwards gives back the note and interval put aside by the
  // match; the octave stays the matched one.
  font.SetWhiteKeys(false);
  EXPECT_EQ(font.NoteLabel(), "D#");
  EXPECT_EQ(font.BaseKey(), 63);
  EXPECT_EQ(font.IntervalPosition(), 3);
}

TEST(ExportDialogKeys, KeyNamesShowNoteOctaveAndKey) {
  EXPECT_EQ(KeyName(48), "C-2 (48)");
  EXPECT_EQ(KeyName(60), "C-3 (60)");
  EXPECT_EQ(KeyName(0), "C--2 (0)");
  EXPECT_EQ(KeyName(70), "A#-3 (70)");
}

TEST(ExportDialogKeys, AReversedTemplateStartsOnTheLastSlicesKey) {
  KeyDialogState keys = WithSlices(4, 2);
  EXPECT_EQ(TemplateStartKey(keys, false), 48);
  EXPECT_EQ(TemplateStartKey(keys, true), 57);
  KeyDialogState white = WithSlices(8, 0, true);
  EXPECT_EQ(TemplateStartKey(white, true), 60);
}

}  // namespace
}  // namespace slicewright
