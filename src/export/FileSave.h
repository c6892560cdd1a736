#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slicewright {

// Writes the bytes to a new file beside the target and renames it over the
// target, so a failed save (full disk, missing folder, no permission) leaves
// any existing file untouched and no stray temporary behind. An existing
// target keeps its permissions. Returns whether the file now holds the bytes;
// the caller shows its own message on failure.
bool SaveFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

// Removes the temporary files of saves under way. Safe to call from a signal
// handler: a program interrupted mid-save leaves no stray file behind.
void RemovePendingTemporaryFiles();

}  // namespace slicewright
