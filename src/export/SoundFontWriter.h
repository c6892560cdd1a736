#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "export/CreationDate.h"
#include "export/KeyMapping.h"

namespace slicewright {

// The choices of the SoundFont settings dialog.
struct SoundFontSettings {
  std::string bankName = "Slicewright Bank";
  bool smoothEnds = true;  // fade the last 100 sample points of each slice
  KeyMapping keys;
};

// Points faded out at the end of each slice when smoothing is on.
constexpr int32_t SmoothedPoints = 100;
// Zero sample points after each slice's data in the bank.
constexpr int32_t SamplePaddingPoints = 92;

// Fades the end of one slice's 16-bit samples in place: the last
// min(SmoothedPoints, point count) points f are scaled by (f - 1 - k) / (f - 1)
// for k = 0 .. f - 1, so the first faded point keeps its value and the last
// becomes 0. A slice shorter than SmoothedPoints is faded over its whole
// length; nothing outside the given bytes is touched.
void SmoothSliceEnd(uint8_t* bytes, size_t length);

// The bank for the slices of the looped region: one preset, one instrument,
// and one mono sample and key zone per slice. Nothing when the key mapping
// fails RangeCheck for the region's slice count.
std::optional<std::vector<uint8_t>> BuildSoundFont(const Document& doc, const SoundFontSettings& settings,
                                                   const CalendarDate& created);

enum class SoundFontResult { Saved, KeysExceeded, SaveFailed };

// Builds the bank and saves it to fileName, replacing any file only once the
// new one is complete. On SaveFailed the caller shows "Error saving SoundFont
// file..."; on KeysExceeded the key warning.
SoundFontResult WriteSoundFont(const Document& doc, const SoundFontSettings& settings,
                               const CalendarDate& created, const std::string& fileName);

}  // namespace slicewright
