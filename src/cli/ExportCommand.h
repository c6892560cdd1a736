#pragma once

#include <string>
#include <vector>

namespace slicewright::cli {

// slicewright-cli export IN.wav (--threshold T | --sensitivity PERCENT) ...:
// writes the slices of the region between two segment bounds as numbered WAV
// files, one region WAV, a SoundFont bank and a MIDI timing template, and
// prints a JSON summary of what it wrote.
int RunExport(const std::vector<std::string>& args);

}  // namespace slicewright::cli
