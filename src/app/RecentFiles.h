#pragma once

#include <array>
#include <string>

namespace slicewright {

constexpr int RecentFileCount = 4;

// The reopen list, newest first; an empty entry is an empty slot.
using RecentFileList = std::array<std::string, RecentFileCount>;
using RecentFileVisibility = std::array<bool, RecentFileCount>;

// Puts an existing file that is not already among the first three entries at
// the top, and says which entries the menu offers: the filled ones other than
// the file now open (path; empty after a close).
RecentFileVisibility UpdateRecentFiles(RecentFileList& files, const std::string& path, bool pathExists);

}  // namespace slicewright
