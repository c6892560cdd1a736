#include "export/FileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace slicewright {
namespace {

// Renaming over a symbolic link would replace the link, not the file it
// names; a link whose file does not exist yet is followed too, so the save
// creates that file.
std::filesystem::path ResolvedTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows before ELOOP
  std::filesystem::path target = path;
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinks && std::filesystem::is_symlink(target, ec); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

// Temporary files being written, so that a signal handler can remove them.
// Fixed buffers, since the handler may only touch memory that is never freed.
constexpr size_t kPendingSlots = 64;
constexpr size_t kPendingPathSize = 4096;
enum SlotState : int { kFree, kFilling, kPending };
struct PendingTemporary {
  std::atomic<int> state{kFree};
  char path[kPendingPathSize] = {};
};
PendingTemporary g_pending[kPendingSlots];

// A registration that lasts while one temporary file may exist. With every
// slot taken (more saves at once than threads ever run) the file is simply
// not registered.
class PendingRegistration {
 public:
  explicit PendingRegistration(const std::string& path) {
    if (path.size() >= kPendingPathSize) return;
    for (PendingTemporary& slot : g_pending) {
      int expected = kFree;
      if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.state.store(kPending);
      slot_ = &slot;
      return;
    }
  }
  ~PendingRegistration() {
    if (slot_ != nullptr) slot_->state.store(kFree);
  }
  PendingRegistration(const PendingRegistration&) = delete;
  PendingRegistration& operator=(const PendingRegistration&) = delete;

 private:
  PendingTemporary* slot_ = nullptr;
};

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
  const PendingRegistration pending(temp);
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(target)) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

void RemovePendingTemporaryFiles() {
  for (PendingTemporary& slot : g_pending) {
    if (slot.state.load() == kPending) ::unlink(slot.path);
  }
}

}  // namespace slicewright
