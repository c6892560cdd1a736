#include "export/FileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace slicewright {
namespace {

// Renaming over a symbolic link would replace the link, not the file it names.
std::filesystem::path ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    const auto target = std::filesystem::weakly_canonical(path, ec);
    if (!ec) return target;
  }
  return path;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Mode for the new file: the old file's, or what a plain create would give.
mode_t ModeFor(const std::filesystem::path& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool SaveFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (path.empty()) return false;
  const std::filesystem::path target = ResolvedTarget(path);
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) return false;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string hidden(".");
  hidden.append(target.filename().string()).append(".XXXXXX");
  std::string temp = (folder / hidden).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(target)) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace slicewright
