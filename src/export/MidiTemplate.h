#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/Document.h"
#include "export/KeyMapping.h"

namespace slicewright {

// Ticks per quarter note of the template.
constexpr int32_t TemplateDivision = 128;

// The choices of the MIDI template dialog and the options.
struct MidiTemplateSettings {
  KeyMapping keys;         // base key of the dialog's up-downs, interval, white keys
  bool reverse = false;    // play the last slice first
  bool aweFilter = false;  // enable the AWE sound card's filter first
};

// Appends a variable-length quantity: 7 bits a byte, most significant group
// first, bit 7 set on every byte but the last.
void WriteVarLength(std::vector<uint8_t>& track, uint32_t value);

// Appends a note on or off on channel 1 at velocity 96.
void WriteNoteEvent(std::vector<uint8_t>& track, uint32_t delta, bool on, uint8_t key);

enum class TemplateRefusal { None, NoTempo, EmptyRegion, TempoTooSlow, TempoTooFast, KeysExceeded };

struct TemplateBuild {
  TemplateRefusal refusal = TemplateRefusal::None;
  std::vector<uint8_t> bytes;  // the file, when not refused
};

// The format 0 Standard MIDI File that plays one note per slice of the looped
// region, each as long as its slice at the loop tempo, on the key the bank
// gives that slice. Refused without a positive tempo (LoopBars and LoopBeats
// both 0, or LoopBpm not positive), for an empty region, for a tempo slower
// than the file's tempo field can hold, or when the keys fail RangeCheck.
TemplateBuild BuildMidiTemplate(const Document& doc, const MidiTemplateSettings& settings);

// The message the window shows for a refusal.
const char* TemplateRefusalMessage(TemplateRefusal refusal);

enum class TemplateSaveResult { Saved, Refused, SaveFailed };

// Builds the template and saves it, replacing any file only once the new one
// is complete; `refusal` tells why when Refused.
TemplateSaveResult WriteMidiTemplate(const Document& doc, const MidiTemplateSettings& settings,
                                     const std::string& fileName, TemplateRefusal& refusal);

}  // namespace slicewright
