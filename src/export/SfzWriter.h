#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "export/FileSave.h"
#include "export/SoundFontWriter.h"

namespace slicewright {

// An SFZ instrument of the looped region's slices: the .sfz text and the
// sample files it names, which lie in a folder beside it.
struct SfzSet {
  std::string folder;               // path of the folder: the .sfz name less its extension, then "_samples"
  std::vector<uint8_t> text;        // the .sfz file
  std::vector<FolderFile> samples;  // slice n as a 16-bit WAV file, n = 1 .. N
};

// One <region> per slice, each on the key the SoundFont bank of the same
// settings gives that slice (lokey = hikey = pitch_keycenter), played whole
// (loop_mode=one_shot), its sample named by a path relative to the .sfz file
// (the file a link of that name points to).
// Sample files are named as Save To Wave Files names slices; with smoothing
// on, their last 100 points fade out as in the bank. Nothing when the key
// mapping fails RangeCheck for the region's slice count.
std::optional<SfzSet> BuildSfz(const Document& doc, const SoundFontSettings& settings,
                               const std::string& sfzFileName);

enum class SfzResult { Saved, KeysExceeded, SaveFailed };

// Builds the set and saves it as one (SaveFileWithFolder): the sample folder
// replaces an older one only once it is complete, then the .sfz file. On
// SaveFailed the caller shows messages::kSfzSaveError; on KeysExceeded the
// key warning, messages::kKeysExceeded.
SfzResult WriteSfz(const Document& doc, const SoundFontSettings& settings, const std::string& fileName);

}  // namespace slicewright
