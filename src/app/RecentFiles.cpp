#include "app/RecentFiles.h"

#include <algorithm>

namespace slicewright {

RecentFileVisibility UpdateRecentFiles(RecentFileList& files, const std::string& path, bool pathExists) {
  const bool amongFirstThree = std::find(files.begin(), files.begin() + 3, path) != files.begin() + 3;
  if (pathExists && !amongFirstThree) {
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files[0] = path;
  }
  RecentFileVisibility visible{};
  for (int i = 0; i < RecentFileCount; ++i) visible[i] = !files[i].empty() && files[i] != path;
  return visible;
}

}  // namespace slicewright
