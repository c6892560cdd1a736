#pragma once

// Texts the export commands report; the window shows them as they stand.
namespace slicewright::messages {

inline constexpr const char* kWaveSaveError =
    "Error saving Wave file;\r\nMay be insufficent disk space,\r\nor file of same name may be open.";
inline constexpr const char* kSoundFontSaveError =
    "Error saving SoundFont file;\r\nMay be insufficent disk space, or file may be open.";
inline constexpr const char* kMidiSaveError =
    "Error saving Midi file;\r\nMay be insufficent disk space,\r\nor file of same name may be open.";
inline constexpr const char* kSfzSaveError =
    "Error saving SFZ file;\r\nMay be insufficient disk space,\r\nor file of same name may be open.";
inline constexpr const char* kKeysExceeded = "WARNING! -  Samples exceed available notes";

// Refusals of the template writer, whose tick and tempo formulas need a
// region of some length and a positive tempo.
inline constexpr const char* kTemplateNeedsTempo =
    "The looped region has no tempo;\r\nSet the bars or beats it holds before saving a Midi template.";
inline constexpr const char* kTemplateNeedsRegion =
    "The looped region is empty;\r\nMove the locators apart before saving a Midi template.";
inline constexpr const char* kTemplateTempoTooSlow =
    "The loop tempo is too slow for a Midi file;\r\nSet more bars or beats for the looped region.";
inline constexpr const char* kTemplateTempoTooFast =
    "The loop tempo is too fast for a Midi file;\r\nSet fewer bars or beats for the looped region.";

}  // namespace slicewright::messages
