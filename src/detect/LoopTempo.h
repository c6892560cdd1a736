#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/Document.h"

namespace slicewright {

// What the tempo read-out shows after the bars or beats text or a locator changed.
struct LoopTempoUpdate {
  // The MIDI template commands may run: bars and beats valid, not both 0,
  // and a region of some length.
  bool templateEnabled = false;
  // New label caption, when it changes.
  std::optional<std::string> caption;
};

// Parses a whole decimal number the way the bars and beats fields hold it;
// nothing for empty, signed-out-of-range or partly numeric text.
std::optional<int32_t> ParseWholeNumber(const std::string& text);

// "120.0 BPM": one decimal, right-aligned in at least four characters.
std::string BpmCaption(double bpm);

// Recomputes LoopBars, LoopBeats and LoopBpm of the document from the two
// field texts and the locators. An empty region gives no tempo: the division
// is not carried out and the stored values stay.
LoopTempoUpdate UpdateLoopTempo(Document& doc, const std::string& barsText, const std::string& beatsText);

}  // namespace slicewright
