#pragma once

#include <cstdint>
#include <string>

#include "export/KeyMapping.h"

namespace slicewright {

// The key controls shared by the SoundFont and MIDI settings dialogs: note
// (1..12), octave position (0..10, shown as position - 2), interval (0..12)
// and "white keys only", with the range check for the region's slice count.
// The dialogs keep one of these each for as long as the program runs.
class KeyDialogState {
 public:
  static constexpr int32_t kDefaultNote = 1;
  static constexpr int32_t kDefaultOctave = 4;
  static constexpr int32_t kHighestOctave = 10;
  static constexpr int32_t kHighestInterval = 12;

  int32_t NotePosition() const { return note_; }
  int32_t OctavePosition() const { return octave_; }
  int32_t IntervalPosition() const { return interval_; }
  bool WhiteKeys() const { return whiteKeys_; }

  // Positions outside a control's range are brought into it.
  void SetNotePosition(int32_t position);
  void SetOctavePosition(int32_t position);
  void SetIntervalPosition(int32_t position);

  // On: keeps the note and interval aside and forces C with interval 0, so
  // the keys are the white keys upwards from C. Off: brings them back.
  // Setting the state the box already has changes nothing.
  void SetWhiteKeys(bool on);

  // C, octave position 4, interval 0; "white keys only" stays as it is.
  void Reset();

  // Takes another dialog's choices: its white-key state first (keeping or
  // restoring this one's note and interval as the box does), then the note
  // and octave of its base key and its interval, odd or not.
  void MatchKeys(const KeyDialogState& other);

  // Slices in the looped region less one, taken when the dialog is shown.
  void SetRegionPointCount(int32_t count) { regionPointCount_ = count; }
  int32_t SliceCount() const { return regionPointCount_ + 1; }

  // Key of the first slice: octave position x 12 + note - 1.
  int32_t BaseKey() const { return BaseKeyFromPositions(note_, octave_); }
  KeyMapping Mapping() const { return {BaseKey(), interval_, whiteKeys_}; }
  // False when the last slice's key would pass the highest key: the dialogs
  // then show the warning and refuse O.K.
  bool KeysFit() const { return RangeCheck(Mapping(), SliceCount()); }

  std::string NoteLabel() const;
  std::string OctaveLabel() const;
  std::string IntervalLabel() const;

 private:
  int32_t note_ = kDefaultNote;
  int32_t octave_ = kDefaultOctave;
  int32_t interval_ = 0;
  bool whiteKeys_ = false;
  int32_t savedNote_ = kDefaultNote;
  int32_t savedInterval_ = 0;
  int32_t regionPointCount_ = 0;
};

// A key as the SoundFont dialog names the template's base key: note name,
// "-", octave number (key div 12 - 2), then the key in parentheses, as in
// "C-2 (48)" or "C--2 (0)".
std::string KeyName(int32_t key);

// Key of the template's first note: the base key, or with the notes
// reversed the key of the last slice.
int32_t TemplateStartKey(const KeyDialogState& keys, bool reverse);

}  // namespace slicewright
