#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "document/Document.h"

namespace slicewright {

// Note names of the dialogs' note up-downs; position p (1..12) shows
// NoteNames[p - 1].
inline constexpr std::array<std::string_view, 12> NoteNames{"C",  "C#", "D",  "D#", "E",  "F",
                                                            "F#", "G",  "G#", "A",  "A#", "B"};
// Position + 1 of C D E F G A B within the octave.
inline constexpr std::array<int32_t, 7> WhiteKeySteps{1, 3, 5, 6, 8, 10, 12};

constexpr int32_t DefaultBaseKey = 48;
// The highest root key a slice may take.
constexpr int32_t HighestSliceKey = 126;

// How the slices of the region are laid out on the keyboard.
struct KeyMapping {
  int32_t baseKey = DefaultBaseKey;  // key of slice 1
  int32_t interval = 0;              // extra keys between two slices' keys
  bool whiteKeys = false;            // white keys upwards from the base key
};

// Key of the dialogs' up-down positions: note 1..12, octave position 0..10.
int32_t BaseKeyFromPositions(int32_t notePosition, int32_t octavePosition);

// Key of slice n (1-based).
int32_t SlotKey(const KeyMapping& mapping, int32_t n);

// True when every one of sliceCount slices gets a root key of 126 or below;
// false is the case the dialogs warn about with "WARNING! -  Samples exceed
// available notes".
bool RangeCheck(const KeyMapping& mapping, int32_t sliceCount);

// Number of active points strictly inside the looped region: the region's
// slice count less one.
int32_t RegionPointCount(const Document& doc);

// Key of the first note of a template written in reverse: that of the last
// slice.
int32_t ReverseStartKey(const KeyMapping& mapping, int32_t sliceCount);

}  // namespace slicewright
