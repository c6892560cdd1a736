#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/Document.h"

namespace slicewright {

// Saves bytes [start, start + length) of the sample data as a WAV file,
// replacing the file only once the new one is complete. Returns false when
// the save failed; the caller shows "Error saving Wave file..." and goes on.
bool WriteWaveFile(const Document& doc, const std::string& fileName, int32_t start, int32_t length);

// The name a file dialog returns for a typed name: one without an extension
// gets ".ext", as the dialog's default extension gives it.
std::string WithDefaultExtension(const std::string& fileName, const std::string& extension);

// The chosen name with its last 4 characters (its extension) replaced by
// ".wav", as the region and segment saves name their file.
std::string WaveFileName(const std::string& chosenName);

// Name of slice n: the chosen name less its last 4 characters, n padded with
// zeros to the digit count of the document's segment count, then ".wav".
std::string SliceFileName(const std::string& chosenName, int32_t n, int32_t activePointCount);

// n in decimal, zero-padded to the digit count of activePointCount + 1.
std::string PaddedSliceNumber(int32_t n, int32_t activePointCount);

struct SliceFileResult {
  std::string fileName;
  bool saved = false;
};

// Save To Wave Files: every slice of the looped region into its own numbered
// file. A failed file does not stop the others; `afterEach` runs after each
// slice (for the progress bar and the error box).
std::vector<SliceFileResult> WriteSliceFiles(
    const Document& doc, const std::string& chosenName,
    const std::function<void(const SliceFileResult&, int32_t n, int32_t count)>& afterEach = {});

}  // namespace slicewright
