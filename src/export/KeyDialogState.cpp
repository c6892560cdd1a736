#include "export/KeyDialogState.h"

#include <algorithm>

namespace slicewright {

void KeyDialogState::SetNotePosition(int32_t position) {
  note_ = std::clamp<int32_t>(position, 1, static_cast<int32_t>(NoteNames.size()));
}

void KeyDialogState::SetOctavePosition(int32_t position) {
  octave_ = std::clamp<int32_t>(position, 0, kHighestOctave);
}

void KeyDialogState::SetIntervalPosition(int32_t position) {
  interval_ = std::clamp<int32_t>(position, 0, kHighestInterval);
}

void KeyDialogState::SetWhiteKeys(bool on) {
  if (on == whiteKeys_) return;
  whiteKeys_ = on;
  if (on) {
    savedNote_ = note_;
    savedInterval_ = interval_;
    note_ = kDefaultNote;
    interval_ = 0;
  } else {
    note_ = savedNote_;
    interval_ = savedInterval_;
  }
}

void KeyDialogState::Reset() {
  note_ = kDefaultNote;
  octave_ = kDefaultOctave;
  interval_ = 0;
}

void KeyDialogState::MatchKeys(const KeyDialogState& other) {
  SetWhiteKeys(other.WhiteKeys());
  const int32_t key = other.BaseKey();
  SetNotePosition(key % 12 + 1);
  SetOctavePosition(key / 12);
  SetIntervalPosition(other.IntervalPosition());
}

std::string KeyDialogState::NoteLabel() const {
  return std::string(NoteNames[static_cast<size_t>(note_ - 1)]);
}

std::string KeyDialogState::OctaveLabel() const { return std::to_string(octave_ - 2); }

std::string KeyDialogState::IntervalLabel() const { return std::to_string(interval_); }

std::string KeyName(int32_t key) {
  const int32_t note = ((key % 12) + 12) % 12;
  return std::string(NoteNames[static_cast<size_t>(note)]) + "-" + std::to_string(key / 12 - 2) + " (" +
         std::to_string(key) + ")";
}

int32_t TemplateStartKey(const KeyDialogState& keys, bool reverse) {
  return reverse ? ReverseStartKey(keys.Mapping(), keys.SliceCount()) : keys.BaseKey();
}

}  // namespace slicewright
