#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace slicewright {

// The file a save to `path` writes: renaming over a symbolic link would
// replace the link, not the file it names, so links are followed, and a link
// whose file does not exist yet too, so the save creates that file.
std::filesystem::path SaveTarget(const std::string& path);

// Writes the bytes to a new file beside the target and renames it over the
// target, so a failed save (full disk, missing folder, no permission) leaves
// any existing file untouched and no stray temporary behind. An existing
// target keeps its permissions. Returns whether the file now holds the bytes;
// the caller shows its own message on failure.
bool SaveFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

// A file to be written into a folder: its name there and its bytes.
struct FolderFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// Saves a file together with the folder of files it refers to, as one. The
// folder is written whole under a hidden name beside its final name and only
// then takes the place of an older folder of that name (which is removed);
// then the file replaces its target as SaveFileReplacing does. A failed save
// leaves the older file and folder as they were and nothing new behind. A
// folder name held by anything but a folder is left alone: the save fails.
bool SaveFileWithFolder(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& folder,
                        const std::vector<FolderFile>& files);

// Removes the temporary files and folders of saves under way. Safe to call
// from a signal handler: a program interrupted mid-save leaves no stray file
// behind.
void RemovePendingTemporaryFiles();

}  // namespace slicewright
